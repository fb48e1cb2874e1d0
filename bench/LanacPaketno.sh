#!/usr/bin/env bash
# A batch run on large diagrams: a chain of N blocks (time source, gains,
# an integrator; written by skem_bench_model --napisi-lanac) read, run for
# three steps and left (D = 0.3, h = P = 0.1, the CSV thrown away). Shows the
# wall-clock time, the processor time and the peak resident size of the
# process for each N.
#
#   bench/LanacPaketno.sh [BUILD_DIR [N...]]    (default: build 10000 100000)
#
# Needs GNU time (/usr/bin/time, Debian package "time") for the peak size.
set -euo pipefail

koren=$(cd "$(dirname "$0")/.." && pwd)
gradnja=${1:-$koren/build}
shift || true
brojevi=("$@")
[ ${#brojevi[@]} -gt 0 ] || brojevi=(10000 100000)
if [ ! -x /usr/bin/time ]; then
    echo "LanacPaketno.sh: /usr/bin/time is missing (Debian package \"time\")" >&2
    exit 2
fi
privremeni=$(mktemp -d)
trap 'rm -rf "$privremeni"' EXIT
merenje=$privremeni/time.txt
polje() { sed -n "s/^[[:space:]]*$1: //p" "$merenje"; }

for n in "${brojevi[@]}"; do
    lanac=$privremeni/lanac$n.skem
    "$gradnja/bench/skem_bench_model" --napisi-lanac "$n" "$lanac"
    kod=0
    /usr/bin/time -v -o "$merenje" "$gradnja/app/skem" --run "$lanac" \
        --duration 0.3 --step 0.1 --print 0.1 > /dev/null || kod=$?
    printf 'skem --run, a chain of %s blocks (%s MB), D = 0.3, h = P = 0.1: exit %s\n' "$n" \
        "$(awk -v b="$(stat -c %s "$lanac")" 'BEGIN { printf "%.0f", b / 1048576 }')" "$kod"
    printf '  wall          %s\n' "$(polje 'Elapsed (wall clock) time (h:mm:ss or m:ss)')"
    printf '  user          %s s\n' "$(polje 'User time (seconds)')"
    printf '  system        %s s\n' "$(polje 'System time (seconds)')"
    printf '  peak RSS      %s MB\n' "$(awk -v k="$(polje 'Maximum resident set size (kbytes)')" 'BEGIN { printf "%.0f", k / 1024 }')"
    rm -f "$lanac"
done
