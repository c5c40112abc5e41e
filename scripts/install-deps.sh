#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the settings window and
# the Debian packages of the program need.
# Does nothing when all of them are present already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libsqlite3-dev libpugixml-dev libsodium-dev libpq-dev libsecret-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  postgresql fonts-dejavu-core openssl
  qt6-translations-l10n
  dpkg-dev file desktop-file-utils appstream groff-base
  lintian abigail-tools xz-utils
  xvfb xdotool dbus at-spi2-core python3-pyatspi
  gnome-keyring
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installeren: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
