#!/usr/bin/env bash
# Installs what is missing, builds and starts the settings window on the demo
# office. Arguments go to the program (see: bash scripts/run.sh --help).
# Without a display the program says how to use -platform vnc or --render.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target tarvelo-instellingen
exec build/tarvelo-instellingen "$@"
