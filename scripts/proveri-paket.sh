#!/usr/bin/env bash
# Builds the Debian package and checks it on a clean Debian 12: a fresh root
# made with debootstrap gets the package through apt (which must find every
# dependency in Debian's archive), then the installed program prints its
# version and runs the bundled oscillator example in batch mode; its CSV must
# equal the one of the program in the build folder. The Python module then
# imports there (with no display) and gives the same CSV.
#
#   sudo ./scripts/proveri-paket.sh        # about 5 minutes, needs Debian's archive
#
# Environment: MIRROR (the Debian archive debootstrap and the root's apt use;
# by default the one this machine's own apt sources name), BUILD (the build
# folder for the package, default build-paket). Not part of ./test.sh.

# The Debian archive named by the apt sources under the folder $1 (/etc/apt):
# sources.list, then sources.list.d/ by name, its *.list files with one-line
# entries and its *.sources files with deb822 stanzas, as apt reads them. The
# first "deb" entry whose suites include bookworm wins; failing that, the first
# with a release's own suite (no "-": not its security or updates archive).
# Prints nothing when no entry fits. Sourcing this script defines only this.
mirror_iz_izvora() {
  local apt=${1:-/etc/apt} fajlovi=() f
  [ -f "$apt/sources.list" ] && fajlovi+=("$apt/sources.list")
  for f in "$apt"/sources.list.d/*; do
    case $f in *.list | *.sources) [ -f "$f" ] && fajlovi+=("$f") ;; esac
  done
  [ ${#fajlovi[@]} -gt 0 ] || return 0
  awk '
    function kandidat(uri, suite) {
      if (suite == "" || uri !~ /^(https?|ftp|file):/) return
      sub(/\/+$/, "", uri)
      if (suite == "bookworm" && prvi == "") prvi = uri
      if (suite !~ /-/ && drugi == "") drugi = uri
    }
    function stanza(   i, j, n, m, u, s, t, deb) {
      n = split(polje["types"], t, /[ \t]+/)
      for (i = 1; i <= n; i++) if (t[i] == "deb") deb = 1
      if (deb && tolower(polje["enabled"]) != "no") {
        n = split(polje["uris"], u, /[ \t]+/)
        m = split(polje["suites"], s, /[ \t]+/)
        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) kandidat(u[i], s[j])
      }
      split("", polje)
      kljuc = ""
    }
    function bez_razmaka(v) {
      gsub(/^[ \t]+|[ \t]+$/, "", v)
      return v
    }
    FNR == 1 { stanza(); deb822 = FILENAME ~ /\.sources$/ }
    deb822 && /^#/ { next }
    deb822 && /^[ \t]*$/ { stanza(); next }
    deb822 && /^[ \t]/ {
      if (kljuc != "") polje[kljuc] = polje[kljuc] " " bez_razmaka($0)
      next
    }
    deb822 {
      d = index($0, ":")
      kljuc = d ? tolower(substr($0, 1, d - 1)) : ""
      if (kljuc != "") polje[kljuc] = bez_razmaka(substr($0, d + 1))
      next
    }
    { sub(/#.*/, "") }
    $1 == "deb" {
      i = 2
      if ($i ~ /^\[/) while (i < NF && $i !~ /\]$/) i++
      if ($i ~ /^\[/ || $i ~ /\]$/) i++
      kandidat($i, $(i + 1))
    }
    END {
      stanza()
      print (prvi != "" ? prvi : drugi)
    }
  ' "${fajlovi[@]}"
}
[ "${BASH_SOURCE[0]}" = "$0" ] || return 0

set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "proveri-paket: pokrenite kao root (debootstrap i chroot to traze)" >&2
  exit 2
fi

MIRROR=${MIRROR:-$(mirror_iz_izvora /etc/apt)}
if [ -z "$MIRROR" ]; then
  echo "proveri-paket: izvori apt-a (/etc/apt/sources.list, /etc/apt/sources.list.d/)" \
       "ne navode Debianovu arhivu (unos \"deb\"); navedite je: MIRROR=<adresa arhive>" >&2
  exit 2
fi
echo "== arhiva: $MIRROR"
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
echo "== python3 -c \"import skem\""
u_korenu python3 -c '
import sys, skem
r = skem.ucitaj("/usr/share/skem/examples/oscilator.skem").simuliraj(10, 0.01, 0.1)
sys.stdout.buffer.write(r.csv())' > "$BUILD/u-korenu-python.csv"
if ! cmp -s "$BUILD/ocekivano.csv" "$BUILD/u-korenu-python.csv"; then
  diff "$BUILD/ocekivano.csv" "$BUILD/u-korenu-python.csv" | head -20 >&2
  echo "proveri-paket: modul skem u Pythonu daje drugi CSV" >&2
  exit 1
fi
echo "== modul skem daje isti CSV"
echo "proveri-paket: uspeh za $(( $(date +%s) - pocetak )) s"
