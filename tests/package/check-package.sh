#!/usr/bin/env bash
# Builds the Debian packages from this build, unpacks them into a temporary
# root and uses them from there, as an office and a host's developer would:
# lintian judges the three packages; the example host is configured and built
# against the root alone and draws the settings window; every installed
# header compiles on its own, with pkg-config's flags alone; the installed
# program answers --help and get and keeps the machine hive in the root's
# etc/tarvelo; the desktop entry, AppStream metadata, man page and bash
# completion are checked as installed. Fails on a header the example
# includes that is not installed, and on an installed header that includes a
# private one.
#   check-package.sh BUILD SOURCE [COMPILER_LAUNCHER]
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
launcher=${3:-}

work=$(mktemp -d /tmp/tarvelo-pakket.XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root
failures=0
fail() { echo "FOUT: $*" >&2; failures=$((failures + 1)); }
stop() { echo "FOUT: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "Pakketten maken"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/pakketten" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  stop "cpack is mislukt"
fi
shopt -s nullglob
debs=("$work"/pakketten/*.deb)
[ ${#debs[@]} -eq 3 ] || stop "drie pakketten verwacht, gevonden: ${debs[*]##*/}"
declare -A deb
for file in "${debs[@]}"; do
  deb[$(dpkg-deb -f "$file" Package)]=$file
  ls -l "$file" | awk '{print $5, $9}'
done
program_deb=${deb[tarvelo-instellingen]:-}
library_deb=${deb[libtarveloinstellingen1]:-}
dev_deb=${deb[libtarveloinstellingen-dev]:-}
[ -n "$program_deb" ] && [ -n "$library_deb" ] && [ -n "$dev_deb" ] ||
  stop "pakketnamen: ${!deb[*]}"

step "Afhankelijkheden"
depends() { dpkg-deb -f "$1" Depends; }
# The program is the library's host: it needs the library and what Qt loads at
# run time; the library needs the rest.
for need in libtarveloinstellingen1 libqt6sql6-sqlite qt6-qpa-plugins; do
  [[ $(depends "$program_deb") == *"$need"* ]] || fail "het programma hangt niet af van $need: $(depends "$program_deb")"
done
for need in libqt6core6 libqt6widgets6 libqt6sql6 libsqlite3-0 libsodium23 libpugixml1v5; do
  [[ $(depends "$library_deb") == *"$need"* ]] || fail "de bibliotheek hangt niet af van $need: $(depends "$library_deb")"
done
version=$(dpkg-deb -f "$library_deb" Version)
[[ $(depends "$dev_deb") == *"libtarveloinstellingen1 (= $version)"* ]] ||
  fail "het ontwikkelpakket hangt niet af van libtarveloinstellingen1 (= $version): $(depends "$dev_deb")"
[[ $(depends "$dev_deb") == *qt6-base-dev* ]] || fail "het ontwikkelpakket hangt niet af van qt6-base-dev"

for file in "${debs[@]}"; do dpkg-deb -x "$file" "$root"; done

step "Inhoud"
library=$(find "$root/usr/lib" -name 'libTarveloInstellingen.so.1' | head -n 1)
[ -n "$library" ] || stop "libTarveloInstellingen.so.1 ontbreekt"
libdir=$(dirname "$library")
for path in usr/bin/tarvelo-instellingen etc/tarvelo \
            usr/share/applications/nl.tarvelo.Instellingen.desktop \
            usr/share/icons/hicolor/scalable/apps/nl.tarvelo.Instellingen.svg \
            usr/share/metainfo/nl.tarvelo.Instellingen.metainfo.xml \
            usr/share/man/man1/tarvelo-instellingen.1.gz \
            usr/share/bash-completion/completions/tarvelo-instellingen \
            "${libdir#"$root"/}/libTarveloInstellingen.so" \
            "${libdir#"$root"/}/cmake/TarveloInstellingen/TarveloInstellingenConfig.cmake" \
            "${libdir#"$root"/}/pkgconfig/tarvelo-instellingen.pc" \
            usr/include/tarvelo/framework/page/SettingsPage.h \
            usr/include/tarvelo/TarveloVersion.h usr/include/tarvelo/TarveloExport.h \
            usr/share/doc/tarvelo-instellingen/copyright usr/share/doc/libtarveloinstellingen1/copyright \
            usr/share/doc/libtarveloinstellingen-dev/copyright \
            usr/share/doc/tarvelo-instellingen/changelog.Debian.gz \
            usr/share/doc/libtarveloinstellingen-dev/ARCHITECTURE.md \
            usr/share/doc/libtarveloinstellingen-dev/examples/minimal-host/CMakeLists.txt; do
  [ -e "$root/$path" ] || fail "$path ontbreekt"
done
soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = libTarveloInstellingen.so.1 ] || fail "SONAME is '$soname'"
[ "$(stat -c %a "$root/etc/tarvelo")" = 755 ] || fail "etc/tarvelo heeft rechten $(stat -c %a "$root/etc/tarvelo")"
dpkg-deb --ctrl-tarfile "$program_deb" | tar -t | grep -qx './postrm' ||
  fail "het programma ruimt de machinehive bij purge niet op (geen postrm)"
# dpkg-shlibdeps finds the library package of a host built against it by its shlibs file.
shlibs=$(dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./shlibs 2>/dev/null) || true
[[ $shlibs == "libTarveloInstellingen 1 libtarveloinstellingen1 (>= "* ]] ||
  fail "de bibliotheek heeft geen shlibs-bestand dat haar pakket noemt: '$shlibs'"
# ... and, more precisely, by its symbols file: each symbol with the version that brought it.
symbols=$(dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./symbols 2>/dev/null) || true
[[ $symbols == "libTarveloInstellingen.so.1 libtarveloinstellingen1 #MINVER#"* ]] ||
  fail "de bibliotheek heeft geen symbolenbestand: '${symbols:0:80}'"
[[ $(dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./triggers 2>/dev/null) == "activate-noawait ldconfig" ]] ||
  fail "de bibliotheek laat ldconfig niet door zijn trigger draaien"
# The program links the library instead of carrying a copy of it.
[[ $(depends "$program_deb") == *"libtarveloinstellingen1 (= $version)"* ]] ||
  fail "het programma hangt niet af van libtarveloinstellingen1 (= $version): $(depends "$program_deb")"
# The sizes stated are the sizes installed.
for file in "${debs[@]}"; do
  stated=$(dpkg-deb -f "$file" Installed-Size)
  actual=$(dpkg-deb -c "$file" | awk '$6 != "./" { if ($1 ~ /^[dl]/) kib += 1; else kib += int(($3 + 1023) / 1024) } END { print kib }')
  [ "$stated" = "$actual" ] || fail "${file##*/} noemt Installed-Size $stated voor $actual KiB"
done

step "lintian"
# Each tag lintian may give that this project accepts is in
# tests/package/lintian-accepted.txt, with the reason.
accepted=$(sed -n 's/^\([a-z0-9][a-z0-9-]*\)[[:space:]].*/\1/p' "$source/tests/package/lintian-accepted.txt" | sort -u)
lintian --no-cfg --allow-root --display-level '>=warning' --tag-display-limit 0 "${debs[@]}" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
while IFS= read -r line; do
  tag=$(awk '{print $3}' <<<"$line")
  case $line in
    [EW]:*) grep -qx -- "$tag" <<<"$accepted" || fail "lintian: $line" ;;
  esac
done <"$work/lintian.txt"

step "Alleen de openbare symbolen"
exported=$(nm -DC --defined-only "$library")
# The type information of the lambdas PageRegistry::add<Page> makes for the
# library's own pages names a private page but no call a host could make.
callable=$(grep -v '{lambda()' <<<"$exported")
for private in ReferenceApplication SettingsWindow PageInspector OfficeDatabase \
               SetupProxy MijOverzicht AdminCommands FormView 'detail::'; do
  if grep -E "tarvelo::$private(::|\b)" <<<"$callable" | grep -q .; then
    fail "de bibliotheek geeft $private prijs: $(grep -E "tarvelo::$private(::|\b)" <<<"$callable" | head -n 2)"
  fi
done
# Only the library's own symbols: none of Qt's inline code or the standard library's templates.
foreign=$(grep -vE ' (tarvelo::|typeinfo for tarvelo::|typeinfo name for tarvelo::|vtable for tarvelo::|VTT for tarvelo::|(non-)?virtual thunk to tarvelo::|guard variable for tarvelo::|tarvelo_instellingen_main)' <<<"$exported" || true)
[ -z "$foreign" ] || fail "de bibliotheek geeft symbolen die niet van haar zijn: $(head -n 2 <<<"$foreign")"
for public in 'tarvelo::SettingsPage::SettingsPage' 'typeinfo for tarvelo::SettingsHost' \
              'tarvelo::HostSettingsWindow::picture' 'tarvelo::registerAllPages' 'vtable for tarvelo::QtUi' \
              'tarvelo::shownChange(' 'tarvelo_instellingen_main'; do
  grep -qF "$public" <<<"$exported" || fail "de bibliotheek geeft $public niet"
done
echo "$(wc -l <<<"$exported") symbolen gegeven"

step "Openbare headers"
include=$root/usr/include/tarvelo
# The headers include one another as <tarvelo/...>, so that a host adds no
# folder of ours; each header they include is installed too.
while IFS= read -r header; do
  while IFS= read -r included; do
    fail "${header#"$include"/} haalt \"$included\" binnen, niet als <tarvelo/...>"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$header")
  while IFS= read -r included; do
    [ -f "$root/usr/include/$included" ] || fail "${header#"$include"/} haalt de besloten header $included binnen"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(tarvelo\/[^>]*\)>.*/\1/p' "$header")
done < <(find "$include" -name '*.h')
# Every library header the example includes is installed.
example_source=$root/usr/share/doc/libtarveloinstellingen-dev/examples/minimal-host
for file in "$example_source"/*.cpp "$example_source"/*.h; do
  while IFS= read -r included; do
    [ -f "$root/usr/include/$included" ] || fail "${file##*/} gebruikt $included, dat niet is geïnstalleerd"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(tarvelo\/[^>]*\)>.*/\1/p' "$file")
done
# pkg-config gives the root's headers, C++20 and the library: a program
# builds with its flags alone, and every installed header compiles on its own.
export PKG_CONFIG_PATH="$libdir/pkgconfig"
if cflags=$(pkg-config --cflags tarvelo-instellingen 2>"$work/pkg-config.err") &&
   libs=$(pkg-config --libs tarvelo-instellingen 2>>"$work/pkg-config.err"); then
  ours=$(tr ' ' '\n' <<<"$cflags" | sed -n 's/^-I\(.*\)$/\1/p' | grep -v qt6 | head -n 1)
  [ "$(realpath -m "$ours")" = "$root/usr/include" ] || fail "pkg-config geeft de headers uit '$ours'"
  [[ " $libs " == *" -lTarveloInstellingen "* ]] || fail "pkg-config --libs noemt de bibliotheek niet"
  printf '%s\n' '#include <tarvelo/TarveloVersion.h>' '#include <tarvelo/pages/AllPages.h>' \
    '#include <tarvelo/framework/page/PageRegistry.h>' \
    'static_assert(TARVELO_VERSION >= TARVELO_VERSION_CHECK(1, 0, 0));' \
    'int main() { tarvelo::PageRegistry r; tarvelo::registerAllPages(r); return r.pages().empty() ? 1 : 0; }' \
    >"$work/pkg-config-host.cpp"
  # shellcheck disable=SC2086 # the flags are words
  g++ "$work/pkg-config-host.cpp" -o "$work/pkg-config-host" $cflags $libs 2>"$work/pkg-config-compile.err" ||
    { cat "$work/pkg-config-compile.err" >&2; fail "een host bouwt niet met pkg-config --cflags --libs alleen"; }
  LD_LIBRARY_PATH=$libdir "$work/pkg-config-host" || fail "de host van pkg-config kent geen pagina's"
  # shellcheck disable=SC2016 # expanded by the inner shell
  find "$include" -name '*.h' -printf '%P\n' | sort |
    xargs -P 2 -I{} sh -c 'echo "#include <tarvelo/$1>" | g++ -fsyntax-only -Wall -Wextra -x c++ - $2 2>"$3/alleen-$(echo "$1" | tr / -).err" ||
                          echo "$1"' sh {} "$cflags" "$work" >"$work/alone.txt"
  while IFS= read -r header; do
    cat "$work/alleen-$(tr / - <<<"$header").err" >&2
    fail "$header compileert niet op zichzelf"
  done <"$work/alone.txt"
  echo "$(find "$include" -name '*.h' | wc -l) headers compileren elk op zichzelf"
  # Every example of the README compiles against the installed headers alone.
  awk -v dir="$work" '/^```cpp$/ { n++; file = dir "/readme-" n ".cpp"; next }
                      /^```$/ { file = ""; next }
                      file != "" { print > file }' "$source/README.md"
  examples=("$work"/readme-*.cpp)
  [ ${#examples[@]} -ge 2 ] || fail "de README heeft geen voorbeelden in C++"
  for example in "${examples[@]}"; do
    # shellcheck disable=SC2086 # the flags are words
    g++ -fsyntax-only -Wall -Wextra "$example" $cflags 2>"$example.err" ||
      { cat "$example" "$example.err" >&2; fail "het voorbeeld ${example##*/} uit de README compileert niet"; }
  done
else
  cat "$work/pkg-config.err" >&2; fail "pkg-config kent tarvelo-instellingen niet"
fi
[ "$failures" -eq 0 ] || stop "$failures fout(en) in de pakketten"

step "Voorbeeldhost bouwen tegen de uitgepakte pakketten"
cp -r "$example_source" "$work/voorbeeld"
cmake_args=(-S "$work/voorbeeld" -B "$work/voorbeeld/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_PREFIX_PATH="$root/usr" -DCMAKE_FIND_PACKAGE_NO_SYSTEM_PACKAGE_REGISTRY=ON)
[ -n "$launcher" ] && cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
if ! cmake "${cmake_args[@]}" >"$work/configure.log" 2>&1 ||
   ! cmake --build "$work/voorbeeld/build" -j1 >"$work/build.log" 2>&1; then
  cat "$work/configure.log" "$work/build.log" >&2 2>/dev/null || true
  stop "de voorbeeldhost bouwt niet tegen de pakketten"
fi
found=$(sed -n 's/^TarveloInstellingen_DIR:PATH=//p' "$work/voorbeeld/build/CMakeCache.txt")
[[ $found == "$root"/* ]] || fail "het CMake-pakket kwam uit $found, niet uit de uitgepakte pakketten"
if grep -qF "$source" "$work/voorbeeld/build/build.ninja"; then
  fail "de voorbeeldhost is gebouwd met een pad in de broncode: $(grep -oF "$source[^ ]*" "$work/voorbeeld/build/build.ninja" | head -n 1)"
fi
loaded=$(ldd "$work/voorbeeld/build/minimal-host" | awk '/libTarveloInstellingen/ {print $3}')
[[ $loaded == "$root"/* ]] || fail "de voorbeeldhost laadt de bibliotheek uit '$loaded'"

step "Voorbeeldhost tekent het instellingenvenster"
picture=$work/venster.png
"$work/voorbeeld/build/minimal-host" --data "$work/host" --render "$picture" >"$work/host.out" 2>"$work/host.err" ||
  { cat "$work/host.out" "$work/host.err" >&2; stop "de voorbeeldhost tekent het venster niet"; }
cat "$work/host.out"
grep -qx 'pagina: SetupVoorbeeldhost' "$work/host.out" || fail "de eigen pagina van de host is niet geopend"
pages=$(sed -n "s/^pagina's: //p" "$work/host.out")
[ "${pages:-0}" -gt 40 ] || fail "de host kent ${pages:-geen} pagina's; die van de bibliotheek ontbreken"
[ -s "$picture" ] && [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "het venster is niet als PNG getekend"
size=$(od -An -tu1 -j16 -N8 "$picture" | awk '{print $3*256+$4 "x" $7*256+$8}')
[ "$size" = 960x680 ] || fail "het venster is $size groot getekend"
# A host without a default logo of its own hears nothing of the missing picture.
if grep -q 'QFSFileEngine' "$work/host.err"; then fail "de voorbeeldhost meldt: $(grep -m1 QFSFileEngine "$work/host.err")"; fi
errors=$(sed -n 's/^fouten: //p' "$work/host.out")
[ "${errors:-1}" -eq 0 ] || { cat "$work/host.err" >&2; fail "de pagina's meldden $errors fout(en) in de voorbeeldhost"; }

step "Het geïnstalleerde programma"
# The program loads the library of the root, as it would load /usr's.
export LD_LIBRARY_PATH=$libdir
loaded=$(ldd "$root/usr/bin/tarvelo-instellingen" | awk '/libTarveloInstellingen/ {print $3}')
[[ $loaded == "$root"/* ]] || fail "het programma laadt de bibliotheek uit '$loaded'"
export HOME=$work/thuis XDG_CONFIG_HOME=$work/thuis/.config XDG_DATA_HOME=$work/thuis/.local/share
program=$root/usr/bin/tarvelo-instellingen
office=$work/kantoor
"$program" --help >"$work/help.txt" || fail "--help eindigt niet met 0"
grep -q '^Gebruik: tarvelo-instellingen' "$work/help.txt" || fail "--help toont het gebruik niet"
value=$("$program" get ProxyAdres --data "$office" 2>"$work/get.err") || { cat "$work/get.err" >&2; fail "get is mislukt"; }
[ -z "$value" ] || fail "get ProxyAdres op een nieuw kantoor gaf '$value'"
"$program" set ProxyAdres proxy.kantoor.nl:8080 --data "$office" >/dev/null 2>"$work/set.err" ||
  { cat "$work/set.err" >&2; fail "set is mislukt"; }
value=$("$program" get ProxyAdres --data "$office" 2>/dev/null) || fail "get na set is mislukt"
[ "$value" = proxy.kantoor.nl:8080 ] || fail "get na set gaf '$value'"
# The administrator's lock lands in the machine's folder of the root.
"$program" lock ProxyAdres --data "$office" >/dev/null 2>"$work/lock.err" || { cat "$work/lock.err" >&2; fail "lock is mislukt"; }
hive=$root/etc/tarvelo/HKEY_LOCAL_MACHINE.hive
[ -s "$hive" ] || fail "de vergrendeling staat niet in etc/tarvelo"
[ "$(stat -c %a "$hive" 2>/dev/null)" = 644 ] || fail "de machinehive heeft rechten $(stat -c %a "$hive" 2>/dev/null)"
[ ! -e "$office/HKEY_LOCAL_MACHINE.hive" ] || fail "de machinehive staat in de gegevensmap"
if "$program" set ProxyAdres ander.kantoor.nl:3128 --data "$office" >/dev/null 2>&1; then
  fail "een vergrendelde instelling kon worden gewijzigd"
fi

step "Bureaubladbestand, AppStream, man-pagina en voltooiing"
desktop=$root/usr/share/applications/nl.tarvelo.Instellingen.desktop
desktop-file-validate "$desktop" || fail "het bureaubladbestand is ongeldig"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is niet het geïnstalleerde programma"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "het pictogram $icon is niet geïnstalleerd"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/nl.tarvelo.Instellingen.metainfo.xml" ||
  fail "de AppStream-gegevens zijn ongeldig"
manual=$work/tarvelo-instellingen.1
zcat "$root/usr/share/man/man1/tarvelo-instellingen.1.gz" >"$manual"
warnings=$(groff -man -Tutf8 -ww -z "$manual" 2>&1) || true
[ -z "$warnings" ] || fail "groff over de man-pagina: $warnings"
# One line, so that a phrase the page breaks over two lines is found too.
rendered=$(groff -man -Tutf8 "$manual" 2>/dev/null | sed 's/.\x08//g' | tr -s '[:space:]' ' ')
for expected in 'OVERZICHT' 'OPDRACHTEN VOOR DE BEHEERDER' 'OPTIES' 'BESTANDEN' 'get NAAM' '--data MAP' \
                'de gegevensmap van het kantoor' 'etc/tarvelo/HKEY_LOCAL_MACHINE.hive' \
                'vast voor iedereen op deze computer'; do
  grep -qF -- "$expected" <<<"$rendered" || fail "de man-pagina zegt niets over '$expected'"
done
completion=$root/usr/share/bash-completion/completions/tarvelo-instellingen
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tarvelo_instellingen
           printf "%s\n" "${COMPREPLY[@]}"' complete "$completion" "$@"
}
words=$(complete_words tarvelo-instellingen set Prox)
grep -qx ProxyAdres <<<"$words" || fail "set Prox<TAB> biedt ProxyAdres niet aan: $words"
if grep -qv '^Prox' <<<"$words"; then fail "set Prox<TAB> biedt ook andere namen aan: $words"; fi
words=$(complete_words tarvelo-instellingen --data /tmp "")
for command in get set reset lock unlock export import history; do
  grep -qx "$command" <<<"$words" || fail "de opdracht $command wordt niet aangeboden"
done
words=$(complete_words tarvelo-instellingen --page SetupProx)
grep -qx SetupProxy <<<"$words" || fail "--page SetupProx<TAB> biedt SetupProxy niet aan: $words"
# Setting names complete whatever their case, as the program takes them.
words=$(complete_words tarvelo-instellingen set prox)
grep -qx ProxyAdres <<<"$words" || fail "set prox<TAB> biedt ProxyAdres niet aan: $words"
words=$(complete_words tarvelo-instellingen get ProxyAdres --)
grep -qx -- --toon <<<"$words" || fail "get NAAM --<TAB> biedt --toon niet aan: $words"
words=$(complete_words tarvelo-instellingen history --)
for option in --since --namen --terugdraaien --toch; do
  grep -qx -- "$option" <<<"$words" || fail "history --<TAB> biedt $option niet aan: $words"
done
words=$(complete_words tarvelo-instellingen --render beh)
grep -qx beheer <<<"$words" || fail "--render beh<TAB> biedt beheer niet aan: $words"
words=$(complete_words tarvelo-instellingen set ProxyAdres "")
[ -z "$words" ] || fail "na de naam van de instelling worden nog namen aangeboden"

[ "$failures" -eq 0 ] || stop "$failures fout(en)"
echo "De pakketten werken."
