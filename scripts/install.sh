#!/usr/bin/env bash
# Builds the Debian packages of the program and the library and installs them
# on this machine: tarvelo-instellingen for the office, libtarveloinstellingen1
# and libtarveloinstellingen-dev for a host's developers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELO_TESTS=OFF
cmake --build build-package
rm -rf build-package/packages
cpack --config build-package/CPackConfig.cmake -B build-package/packages
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y ./build-package/packages/*.deb
