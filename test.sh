#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (ctest).
# A second configuration builds the document reader, the batch program and
# their tests with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# the batch program on every example. FUZZ=1 also runs every fuzzer for 20 s
# (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
JOBS=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

if [ -f tests/diagram/CMakeLists.txt ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKEM_SANITIZE=ON \
        -DSKEM_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$JOBS" --target diagram_tests model_tests paketni_tests primeri_tests \
        inspektor_tests glavni_tests skem
  # Leaks are not checked: the compiler library of compiled runs keeps its own.
  export ASAN_OPTIONS=detect_leaks=0
  ctest --test-dir build-asan --output-on-failure \
        -R '^(diagram_tests|model_tests|paketni_tests|primeri_tests|inspektor_tests|glavni_tests)$'
  # The batch program itself on every example: one run to standard output and
  # a seeded series on two threads into files.
  serija=$(mktemp -d)
  trap 'rm -rf "$serija"' EXIT
  for primer in examples/*.skem; do
    build-asan/app/skem --run "$primer" --duration 5 --step 0.01 --print 0.1 >/dev/null
    build-asan/app/skem --run "$primer" --duration 2 --step 0.01 --print 0.1 --runs 3 --seed 1 \
                        --jobs 2 --output-dir "$serija" >/dev/null
  done
  unset ASAN_OPTIONS
fi

# The fuzzers, 20 s each, only when asked: FUZZ=1 ./test.sh
if [ "${FUZZ:-0}" = 1 ]; then
  ./scripts/fuzz.sh 20
fi
