#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, with a PostgreSQL server
# of its own for the tests of the server database (127.0.0.1 only, removed after).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build

source scripts/test-postgres.sh
start_test_postgres
trap stop_test_postgres EXIT

cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
