#!/usr/bin/env bash
# The package check's choice of the Debian archive from apt's sources: each
# case lays out an apt folder (file name, content, ...) and names the archive
# that must be chosen ("" for none).
set -uo pipefail
# shellcheck disable=SC1091 # the script under test, by its path from here
source "$(dirname "$0")/../../scripts/proveri-paket.sh"

radni=$(mktemp -d)
trap 'rm -rf "$radni"' EXIT
neuspeha=0
slucajeva=0

slucaj() {
  local opis=$1 ocekivano=$2 apt
  shift 2
  apt=$(mktemp -d "$radni/apt.XXXXXX")
  mkdir -p "$apt/sources.list.d"
  while [ $# -gt 0 ]; do
    printf '%b' "$2" > "$apt/$1"
    shift 2
  done
  local dobijeno
  dobijeno=$(mirror_iz_izvora "$apt")
  slucajeva=$((slucajeva + 1))
  if [ "$dobijeno" != "$ocekivano" ]; then
    echo "FAIL $opis: '$dobijeno', ocekivano '$ocekivano'" >&2
    neuspeha=$((neuspeha + 1))
  fi
}

slucaj "nema izvora" ""
slucaj "jednoredni" "file:/srv/a/debian" \
  sources.list "deb file:/srv/a/debian bookworm main\n"
slucaj "komentar, deb-src, opcije u zagradama" "file:/srv/b/debian" \
  sources.list "# deb file:/srv/x/debian bookworm main\ndeb-src file:/srv/y/debian bookworm main\ndeb [arch=amd64 signed-by=/k.gpg] file:/srv/b/debian/ bookworm main # glavna\n"
slucaj "opcije sa razmacima" "file:/srv/c/d" \
  sources.list "deb [ arch=amd64 ] file:/srv/c/d bookworm main\n"
slucaj "deb822 sa komentarima medju poljima" "file:/srv/d/debian" \
  sources.list.d/debian.sources "Types: deb\n# file:/srv/stari/debian\nURIs: file:/srv/d/debian/\nSuites: bookworm bookworm-updates\nComponents: main\n\nTypes: deb\nURIs: file:/srv/d/debian-security\nSuites: bookworm-security\nComponents: main\n"
slucaj "bezbednosna arhiva prva" "file:/srv/e/debian" \
  sources.list.d/a.sources "Types: deb\nURIs: file:/srv/e/debian-security\nSuites: bookworm-security\n\nTypes: deb-src deb\nURIs: file:/srv/e/debian\nSuites: bookworm\n"
slucaj "iskljucen unos" "file:/srv/f/dobra" \
  sources.list.d/a.sources "Enabled: no\nTypes: deb\nURIs: file:/srv/f/losa\nSuites: bookworm\n\nTypes: deb\nURIs: file:/srv/f/dobra\nSuites: bookworm\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n -----END PGP PUBLIC KEY BLOCK-----\n"
slucaj "samo deb-src" "" \
  sources.list "deb-src file:/srv/g/debian bookworm main\n"
slucaj "drugo izdanje, ne njegova bezbednosna" "file:/srv/h/debian" \
  sources.list "deb file:/srv/h/debian-security trixie-security main\ndeb file:/srv/h/debian trixie main\n"
slucaj "bookworm pre ranijeg drugog izdanja" "file:/srv/i/b" \
  sources.list "deb file:/srv/i/t trixie main\n" \
  sources.list.d/z.list "deb file:/srv/i/b bookworm main\n"
slucaj "sources.list.d po imenu, oba oblika" "file:/srv/m/a" \
  sources.list.d/b.list "deb file:/srv/m/b bookworm main\n" \
  sources.list.d/a.sources "Types: deb\nURIs: file:/srv/m/a\nSuites: bookworm\n"
slucaj "samo bezbednosna" "" \
  sources.list "deb file:/srv/j/debian-security bookworm-security main\n"
slucaj "cdrom i ogledala preko liste se preskacu" "file:/srv/debian" \
  sources.list "deb cdrom:[Debian 12]/ bookworm main\ndeb mirror+file:/etc/apt/m.txt bookworm main\ndeb file:/srv/debian bookworm main\n"
slucaj "sources.list pre sources.list.d" "file:/srv/k/prvi" \
  sources.list "deb file:/srv/k/prvi bookworm main\n" \
  sources.list.d/a.list "deb file:/srv/k/drugi bookworm main\n"
slucaj "iskljuceni fajlovi se ne citaju" "" \
  sources.list.d/a.list.disabled "deb file:/srv/l/debian bookworm main\n" \
  sources.list.d/b.sources.bak "Types: deb\nURIs: file:/srv/l/debian\nSuites: bookworm\n"

echo "$((slucajeva - neuspeha)) passed, $neuspeha failed"
[ "$neuspeha" -eq 0 ]
