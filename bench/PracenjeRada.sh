#!/usr/bin/env bash
# The window's run observer: its cost to the engine (at most 5 %) and the
# pacing of a 1x run (5 simulated seconds in 5 +- 0.2 wall seconds).
#
#   bench/PracenjeRada.sh [BUILD_DIR] [ROUNDS]      (defaults: build 5)
set -euo pipefail
koren=$(cd "$(dirname "$0")/.." && pwd)
bench=${1:-$koren/build}/bench/skem_bench_pracenje
kod=0
"$bench" "${2:-5}" || kod=1
"$bench" --tempo || kod=1
exit $kod
