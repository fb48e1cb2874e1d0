#!/usr/bin/env bash
# Builds the Debian package and checks it on a clean Debian 12: a fresh root
# made with debootstrap gets the package through apt (which must find every
# dependency in Debian's archive), then the installed program prints its
# version and runs the bundled oscillator example in batch mode; its CSV must
# equal the one of the program in the build folder.
#
#   sudo ./scripts/proveri-paket.sh        # about 5 minutes, needs Debian's archive
#
# Environment: MIRROR (default http://deb.debian.org/debian), BUILD (the build
# folder for the package, default build-paket). Not part of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "proveri-paket: pokrenite kao root (debootstrap i chroot to traze)" >&2
  exit 2
fi

MIRROR=${MIRROR:-http://deb.debian.org/debian}
BUILD=${BUILD:-build-paket}
pocetak=$(date +%s)

./scripts/install-deps.sh
if ! command -v debootstrap >/dev/null; then
  echo "proveri-paket: instaliram debootstrap" >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# --- the package -----------------------------------------------------------
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKEM_BUILD_TESTS=OFF \
      -DSKEM_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
rm -f "$BUILD"/skem_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
paket=$(ls "$BUILD"/skem_*.deb)
echo "== paket: $paket"
dpkg-deb --field "$paket" Package Version Architecture Depends Recommends

argumenti=(--duration 10 --step 0.01 --print 0.1)
"$BUILD/app/skem" --run examples/oscilator.skem "${argumenti[@]}" > "$BUILD/ocekivano.csv"

# --- a clean Debian 12 -----------------------------------------------------
koren=$(mktemp -d /tmp/skem-debian12.XXXXXX)
chmod 755 "$koren" # it becomes "/": apt's own user must get in
montirano=()
pocisti() {
  for ((i = ${#montirano[@]} - 1; i >= 0; i--)); do umount "${montirano[$i]}" || true; done
  # Never remove through a mount point that is still there.
  if ! grep -q " $koren/" /proc/mounts; then rm -rf --one-file-system "$koren"; fi
}
trap pocisti EXIT

echo "== debootstrap bookworm u $koren"
debootstrap --variant=minbase bookworm "$koren" "$MIRROR" >"$koren.log" 2>&1 ||
  { tail -20 "$koren.log" >&2; exit 1; }
rm -f "$koren.log"
mount -t proc proc "$koren/proc"
montirano+=("$koren/proc")
cp /etc/resolv.conf "$koren/etc/resolv.conf"
# No services start inside the root.
printf '#!/bin/sh\nexit 101\n' > "$koren/usr/sbin/policy-rc.d"
chmod +x "$koren/usr/sbin/policy-rc.d"
cp "$paket" "$koren/tmp/"
u_korenu() { chroot "$koren" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

echo "== apt-get install ./$(basename "$paket")"
u_korenu apt-get update -qq
u_korenu env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends -o Dpkg::Use-Pty=0 \
  "/tmp/$(basename "$paket")" >/dev/null

echo "== skem --version"
verzija=$(u_korenu skem --version)
echo "$verzija"
if [ "$verzija" != "$("$BUILD/app/skem" --version)" ]; then
  echo "proveri-paket: druga verzija nego u $BUILD" >&2
  exit 1
fi
# The desktop's window system plugin (loaded, not linked) finds all its libraries.
xcb=$(u_korenu sh -c 'ldd /usr/lib/*/qt6/plugins/platforms/libqxcb.so') ||
  { echo "proveri-paket: nema xcb dodatka Qt-a" >&2; exit 1; }
if grep "not found" <<< "$xcb" >&2; then
  echo "proveri-paket: xcb dodatku Qt-a nedostaju biblioteke" >&2
  exit 1
fi
echo "== skem --run /usr/share/skem/examples/oscilator.skem ${argumenti[*]}"
u_korenu env QT_QPA_PLATFORM=offscreen \
  skem --run /usr/share/skem/examples/oscilator.skem "${argumenti[@]}" > "$BUILD/u-korenu.csv"

if ! cmp -s "$BUILD/ocekivano.csv" "$BUILD/u-korenu.csv"; then
  diff "$BUILD/ocekivano.csv" "$BUILD/u-korenu.csv" | head -20 >&2
  echo "proveri-paket: instalirani program daje drugi CSV" >&2
  exit 1
fi
echo "== CSV je isti kao iz $BUILD/app/skem ($(wc -l < "$BUILD/u-korenu.csv") redova)"
echo "proveri-paket: uspeh za $(( $(date +%s) - pocetak )) s"
