#!/usr/bin/env bash
# Builds optimised and runs every benchmark: list-view sorting of 100,000 rows
# against std::sort of the same keys, and the string cipher against a plain XOR.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-bench --target listsort_bench cipher_bench hdn_storage_bench
for bench in build-bench/listsort_bench build-bench/cipher_bench build-bench/hdn_storage_bench; do
  "$bench"
done
