#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, AddressSanitizer, UndefinedBehavior-
# Sanitizer) in build-fuzz/ and runs each for SECONDS (default 60), one after
# the other, at the lowest priority. What a fuzzer finds is written to
# build-fuzz/nalazi/<harness>/ and the script fails.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."

SEKUNDI=${1:-60}
shift || true
HARNESI=("$@")
[ ${#HARNESI[@]} -gt 0 ] || HARNESI=(dokument model katalog paketni brojevi)

./scripts/install-deps.sh --fuzz
export QT_QPA_PLATFORM=offscreen
B=build-fuzz

cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DSKEM_FUZZ=ON \
      -DSKEM_BUILD_TESTS=OFF -DSKEM_BUILD_BENCH=OFF >/dev/null
cmake --build "$B" -j "$(nproc)" --target "${HARNESI[@]/#/fuzz_}"

# Seeds: examples, the broken-file corpus and the catalogue; each harness
# also has its own seeds in fuzz/korpus/<harness>/.
semena() {
  case "$1" in
    dokument | model) echo examples tests/diagram/korpus fuzz/korpus/dokument ;;
    katalog) echo resources/Manifest.xml fuzz/korpus/katalog ;;
    *) echo "fuzz/korpus/$1" ;;
  esac
}

neuspeh=0
for h in "${HARNESI[@]}"; do
  korpus="$B/korpus/$h"
  nalazi="$B/nalazi/$h"
  mkdir -p "$korpus" "$nalazi"
  semeFajlovi=()
  for s in $(semena "$h"); do
    if [ -d "$s" ]; then semeFajlovi+=("$s"/*); else semeFajlovi+=("$s"); fi
  done
  cp -f "${semeFajlovi[@]}" "$korpus"/ 2>/dev/null || true
  recnik=()
  [ -f "fuzz/$h.dict" ] && recnik=(-dict="fuzz/$h.dict")
  [ "$h" = model ] && recnik=(-dict=fuzz/dokument.dict)
  echo "fuzz.sh: $h for ${SEKUNDI}s" >&2
  if ! nice -n 19 "$B/fuzz/fuzz_$h" "$korpus" "${recnik[@]}" -max_total_time="$SEKUNDI" \
        -timeout=5 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$nalazi/" 2>"$B/fuzz_$h.log"; then
    echo "fuzz.sh: $h found a fault; see $B/fuzz_$h.log and $nalazi/" >&2
    neuspeh=1
  fi
  grep -E '^(stat::|#[0-9]+[[:space:]]+DONE)' "$B/fuzz_$h.log" >&2 || true
done
exit $neuspeh
