#!/usr/bin/env bash
# Batch series speed: a 64-point sweep of examples/vanderpol.skem (mu = block
# 5's gain from 0.1 to 3.2) with --jobs 1, with --jobs 2, and as 64 separate
# "skem --run --set" processes one after another. Best of N runs each, the
# three interleaved so a change in the machine's load hits them alike.
#
#   bench/SerijaBench.sh [BUILD_DIR] [N]      (defaults: build 5)
set -euo pipefail

koren=$(cd "$(dirname "$0")/.." && pwd)
skem=${1:-$koren/build}/app/skem
n=${2:-5}
model=$koren/examples/vanderpol.skem
opcije=(--duration 100 --step 0.001 --print 0.1)
mreza=(--sweep 5.p1=0.1:3.2:64)
privremeni=$(mktemp -d)
trap 'rm -rf "$privremeni"' EXIT

# The values the sweep uses, for the separate processes.
"$skem" --run "$model" "${opcije[@]}" "${mreza[@]}" --output-dir "$privremeni/d" --jobs 1
vrednosti=$(tail -n +2 "$privremeni/d/indeks.csv" | cut -d, -f2)

sekundi() {
    local od=$(date +%s.%N)
    "$@" > /dev/null
    awk -v a="$od" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'
}
odvojeni() {
    for v in $vrednosti; do
        "$skem" --run "$model" "${opcije[@]}" --set "5.p1=$v"
    done
}

najbolje() { sort -g | head -1; }
j1=() j2=() p=()
for ((i = 0; i < n; i++)); do
    j1+=("$(sekundi "$skem" --run "$model" "${opcije[@]}" "${mreza[@]}" --jobs 1)")
    j2+=("$(sekundi "$skem" --run "$model" "${opcije[@]}" "${mreza[@]}" --jobs 2)")
    p+=("$(sekundi odvojeni)")
done
t1=$(printf '%s\n' "${j1[@]}" | najbolje)
t2=$(printf '%s\n' "${j2[@]}" | najbolje)
tp=$(printf '%s\n' "${p[@]}" | najbolje)
printf 'sweep, --jobs 1          %6.2f s\n' "$t1"
printf 'sweep, --jobs 2          %6.2f s   speed-up %.2f\n' "$t2" "$(awk -v a="$t1" -v b="$t2" 'BEGIN { print a / b }')"
printf '64 separate --run        %6.2f s   %.2f x the --jobs 1 time\n' "$tp" "$(awk -v a="$tp" -v b="$t1" 'BEGIN { print a / b }')"
