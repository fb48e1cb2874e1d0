#!/usr/bin/env bash
# One large batch run, the same run skem_bench_prozor makes through the
# window: examples/oscilator.skem with D = 10000, h = 0.001, P = 0.001 (ten
# million printed times) written to a CSV file. Shows the wall-clock time,
# the processor time (user, system), the peak resident size of the process
# and the file's size; the file is removed afterwards.
#
#   bench/VelikiRad.sh [BUILD_DIR]      (default: build)
#
# Needs GNU time (/usr/bin/time, Debian package "time") for the peak size.
set -euo pipefail

koren=$(cd "$(dirname "$0")/.." && pwd)
skem=${1:-$koren/build}/app/skem
model=$koren/examples/oscilator.skem
if [ ! -x /usr/bin/time ]; then
    echo "VelikiRad.sh: /usr/bin/time is missing (Debian package \"time\")" >&2
    exit 2
fi
privremeni=$(mktemp -d)
trap 'rm -rf "$privremeni"' EXIT
izlaz=$privremeni/rezultati.csv
merenje=$privremeni/time.txt

/usr/bin/time -v -o "$merenje" \
    "$skem" --run "$model" --duration 10000 --step 0.001 --print 0.001 --output "$izlaz"

polje() { sed -n "s/^[[:space:]]*$1: //p" "$merenje"; }
printf 'skem --run, D = 10000, h = 0.001, P = 0.001, --output CSV\n'
printf '  wall          %s\n' "$(polje 'Elapsed (wall clock) time (h:mm:ss or m:ss)')"
printf '  user          %s s\n' "$(polje 'User time (seconds)')"
printf '  system        %s s\n' "$(polje 'System time (seconds)')"
printf '  peak RSS      %s MB\n' "$(awk -v k="$(polje 'Maximum resident set size (kbytes)')" 'BEGIN { printf "%.0f", k / 1024 }')"
printf '  CSV           %s MB\n' "$(awk -v b="$(stat -c %s "$izlaz")" 'BEGIN { printf "%.0f", b / 1048576 }')"
