#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (ctest).
# A second configuration builds the document reader and its tests with
# AddressSanitizer and UndefinedBehaviorSanitizer.
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
  cmake --build build-asan -j "$JOBS" --target diagram_tests
  ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -R '^diagram_tests$'
fi
