#!/usr/bin/env bash
# Builds optimised and runs every benchmark: list-view sorting of 100,000 rows
# against std::sort of the same keys, the string cipher against a plain XOR,
# moving stored HDN messages, the company overview, the export and import
# of 100,000 agent numbers against a plain SQLite insert of the same rows, the
# settings window on the demo office (start, page switches, resizing), and the
# settings window on a PostgreSQL server of its own, directly and through a
# relay that adds 10 ms each way.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-bench -j2 --target listsort_bench cipher_bench hdn_storage_bench companies_bench agentnumbers_bench \
  window_bench workstations_bench
for bench in build-bench/listsort_bench build-bench/cipher_bench build-bench/hdn_storage_bench \
             build-bench/companies_bench build-bench/agentnumbers_bench build-bench/window_bench; do
  "$bench"
done

source scripts/test-postgres.sh
start_test_postgres
trap stop_test_postgres EXIT
build-bench/workstations_bench
