#!/usr/bin/env bash
# Installs what is missing, builds (Release) and starts SKEM.
#   ./run.sh                 the application
#   ./run.sh FILE.skem       the application with a document
#   ./run.sh --run FILE.skem --duration D --step H --print P [--output OUT.csv]
# Without a display it says so and runs the bundled example in batch mode.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target skem

if [ "${1:-}" != "--run" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Nema ekrana (DISPLAY nije postavljen): pokrecem primer u paketnom rezimu." >&2
  exec ./build/app/skem --run examples/oscilator.skem --duration 10 --step 0.01 --print 0.5
fi
exec ./build/app/skem "$@"
