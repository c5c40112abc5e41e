#!/usr/bin/env bash
# The library's interface as hosts built against version 1.0 rely on it:
# - its ABI (the exported functions and variables, and the layout of every
#   type they reach) is compared with the baseline kept in packaging/abi/;
#   a removed symbol or a changed type fails (abidiff from libabigail);
#   added symbols do not, since a later 1.x may add calls;
# - its exported symbols are the ones the Debian symbols file
#   packaging/libtarveloinstellingen1.symbols lists, each with the version
#   that brought it (dpkg-gensymbols): none lost, none new without an entry;
# - none of them is the type of a lambda: those are the library's own, and a
#   host that met one would tie itself to how a call is written inside.
# After a deliberate change of the interface, scripts/abi-baseline.sh BUILD
# renews both.
#   check-abi.sh BUILD SOURCE
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
library=$(readlink -f "$build/libTarveloInstellingen.so.1")
baseline=$source/packaging/abi/libTarveloInstellingen.so.1.abi.xz
symbols=$source/packaging/libtarveloinstellingen1.symbols
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

work=$(mktemp -d /tmp/tarvelo-abi.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FOUT: $*" >&2; failures=$((failures + 1)); }

echo "== Symbolen tegen $(basename "$symbols")"
# dpkg-gensymbols counts a listed symbol as lost only when it checks a later
# version than the one that brought it: within one version it lets a symbol go
# without a word. So it is asked as the next build would be.
if ! dpkg-gensymbols -c2 -plibtarveloinstellingen1 -v"$version+volgende" -I"$symbols" -e"$library" \
       -O"$work/symbols" >"$work/symbols.diff" 2>&1; then
  cat "$work/symbols.diff" >&2
  fail "de bibliotheek geeft andere symbolen dan het symbolenbestand noemt"
fi

echo "== Geen typen van lambda's"
nm -DC --defined-only "$library" | grep -F '{lambda' >"$work/lambdas.txt" || true
if [ -s "$work/lambdas.txt" ]; then
  head -20 "$work/lambdas.txt" >&2
  fail "de bibliotheek exporteert $(wc -l <"$work/lambdas.txt") symbolen van lambda's"
fi

echo "== ABI tegen de basislijn"
xz -dc "$baseline" >"$work/baseline.abi"
status=0
abidiff --no-show-locs --no-added-syms --exported-interfaces-only "$work/baseline.abi" "$library" >"$work/abidiff.txt" 2>&1 || status=$?
if [ $((status & 1)) -ne 0 ]; then
  cat "$work/abidiff.txt" >&2
  fail "abidiff kon de bibliotheek niet vergelijken (status $status)"
elif [ "$status" -ne 0 ]; then
  cat "$work/abidiff.txt" >&2
  fail "de ABI van de bibliotheek wijkt af van de basislijn (status $status)"
fi

[ "$failures" -eq 0 ] || { echo "FOUT: $failures fout(en) in de interface van de bibliotheek" >&2; exit 1; }
echo "De interface is die van de basislijn."
