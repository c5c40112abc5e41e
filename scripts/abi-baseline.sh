#!/usr/bin/env bash
# Renews the library's ABI baseline and its Debian symbols file from a build,
# after a deliberate change of the interface (a new major version, or a call
# added in a new minor version). The ABI test compares every later build with
# what this writes. New symbols get the build's version; the symbols already
# listed keep the version that brought them.
#   bash scripts/abi-baseline.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
library=$(readlink -f "$build/libTarveloInstellingen.so.1")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
mkdir -p packaging/abi
abidw --no-show-locs --no-corpus-path --no-comp-dir-path --exported-interfaces-only --out-file "$build/libTarveloInstellingen.so.1.abi" "$library"
xz -9 -T1 -c "$build/libTarveloInstellingen.so.1.abi" >packaging/abi/libTarveloInstellingen.so.1.abi.xz
symbols=packaging/libtarveloinstellingen1.symbols
old=()
[ -f "$symbols" ] && old=(-I"$symbols")
dpkg-gensymbols -q -c0 -plibtarveloinstellingen1 -v"$version" "${old[@]}" -e"$library" -O"$symbols.new"
# A symbol the library no longer exports leaves the file. Within one version
# dpkg-gensymbols keeps it as if it were still there; asked as the next
# version, it marks it missing, and the rest stays as written above.
dpkg-gensymbols -q -c0 -plibtarveloinstellingen1 -v"$version+volgende" -I"$symbols.new" -e"$library" -O"$symbols.next"
grep -v '^#MISSING: ' "$symbols.next" >"$symbols"
rm -f "$symbols.new" "$symbols.next"
echo "Basislijn en symbolenbestand vernieuwd uit $library"
