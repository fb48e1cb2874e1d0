#!/usr/bin/env bash
# Installs every Debian package SKEM needs to build, test, package and run
# (dpkg-dev: dependencies of the Debian package; desktop-file-utils, appstream,
# shared-mime-info, groff-base: checks of the installed desktop files;
# time: GNU time for bench/VelikiRad.sh; libgccjit-12-dev: the compiled pass
# for long runs, its header at build time and libgccjit0 at run time;
# libsundials-dev: the variable-step methods (ARKODE's Dormand-Prince, CVODE's
# BDF), libsundials-arkode5 and libsundials-cvode6 at run time;
# libeigen3-dev: the linearization's linear algebra, header-only, so nothing
# at run time;
# pybind11-dev, python3-dev, python3-numpy, python3-pytest: the Python module
# and its tests; python3-matplotlib, python3-pandas, python3-distributed: its
# examples).
# Idempotent: packages already present are skipped, so a second run is quick.
# With --fuzz also clang and its libFuzzer runtime (scripts/fuzz.sh).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev
  libqt6svg6 libqt6charts6 qt6-qpa-plugins libqt6opengl6-dev
  libgl-dev libglx-dev libegl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xauth xvfb time
  dpkg-dev desktop-file-utils appstream shared-mime-info groff-base
  libgccjit-12-dev libsundials-dev libeigen3-dev
  pybind11-dev python3-dev python3-numpy python3-pytest
  python3-matplotlib python3-pandas python3-distributed
)
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
