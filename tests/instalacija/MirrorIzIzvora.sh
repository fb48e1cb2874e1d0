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
slucaj "jednoredni" "http://a.test/debian" \
  sources.list "deb http://a.test/debian bookworm main\n"
slucaj "komentar, deb-src, opcije u zagradama" "https://b.test/debian" \
  sources.list "# deb http://x.test/debian bookworm main\ndeb-src http://y.test/debian bookworm main\ndeb [arch=amd64 signed-by=/k.gpg] https://b.test/debian/ bookworm main # glavna\n"
slucaj "opcije sa razmacima" "http://c.test/d" \
  sources.list "deb [ arch=amd64 ] http://c.test/d bookworm main\n"
slucaj "deb822 sa komentarima medju poljima" "http://d.test/debian" \
  sources.list.d/debian.sources "Types: deb\n# http://stari.test/debian\nURIs: http://d.test/debian/\nSuites: bookworm bookworm-updates\nComponents: main\n\nTypes: deb\nURIs: http://d.test/debian-security\nSuites: bookworm-security\nComponents: main\n"
slucaj "bezbednosna arhiva prva" "http://e.test/debian" \
  sources.list.d/a.sources "Types: deb\nURIs: http://e.test/debian-security\nSuites: bookworm-security\n\nTypes: deb-src deb\nURIs: http://e.test/debian\nSuites: bookworm\n"
slucaj "iskljucen unos" "http://f.test/dobra" \
  sources.list.d/a.sources "Enabled: no\nTypes: deb\nURIs: http://f.test/losa\nSuites: bookworm\n\nTypes: deb\nURIs: http://f.test/dobra\nSuites: bookworm\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n -----END PGP PUBLIC KEY BLOCK-----\n"
slucaj "samo deb-src" "" \
  sources.list "deb-src http://g.test/debian bookworm main\n"
slucaj "drugo izdanje, ne njegova bezbednosna" "http://h.test/debian" \
  sources.list "deb http://h.test/debian-security trixie-security main\ndeb http://h.test/debian trixie main\n"
slucaj "bookworm pre ranijeg drugog izdanja" "http://i.test/b" \
  sources.list "deb http://i.test/t trixie main\n" \
  sources.list.d/z.list "deb http://i.test/b bookworm main\n"
slucaj "sources.list.d po imenu, oba oblika" "http://m.test/a" \
  sources.list.d/b.list "deb http://m.test/b bookworm main\n" \
  sources.list.d/a.sources "Types: deb\nURIs: http://m.test/a\nSuites: bookworm\n"
slucaj "samo bezbednosna" "" \
  sources.list "deb http://j.test/debian-security bookworm-security main\n"
slucaj "cdrom i ogledala preko liste se preskacu" "file:/srv/debian" \
  sources.list "deb cdrom:[Debian 12]/ bookworm main\ndeb mirror+file:/etc/apt/m.txt bookworm main\ndeb file:/srv/debian bookworm main\n"
slucaj "sources.list pre sources.list.d" "http://k.test/prvi" \
  sources.list "deb http://k.test/prvi bookworm main\n" \
  sources.list.d/a.list "deb http://k.test/drugi bookworm main\n"
slucaj "iskljuceni fajlovi se ne citaju" "" \
  sources.list.d/a.list.disabled "deb http://l.test/debian bookworm main\n" \
  sources.list.d/b.sources.bak "Types: deb\nURIs: http://l.test/debian\nSuites: bookworm\n"

echo "$((slucajeva - neuspeha)) passed, $neuspeha failed"
[ "$neuspeha" -eq 0 ]
