#!/usr/bin/env bash
# Builds optimised and runs every benchmark: list-view sorting of 100,000 rows
# against std::sort of the same keys, the string cipher against a plain XOR,
# moving stored HDN messages, the company overview, the export and import
# of 100,000 agent numbers against a plain SQLite insert of the same rows, the
# settings window on the demo office (start, page switches, resizing), and the
# settings window on a PostgreSQL server of its own that asks a password
# (SCRAM), through a relay that adds 10 ms each way, the connection's handshake
# included, at 31 and 1,031 lenders: the real program from its start to its
# drawn window and to its end (median and fastest of eleven runs), on the first
# page and reopening on the company overview, every
# page, choosing a company and a save; and, timed from outside the process, the
# program drawing its window offscreen against a bare Qt Widgets program of a
# 44-entry list and one page of thirty labelled fields in group boxes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-bench -j2 --target listsort_bench cipher_bench hdn_storage_bench companies_bench agentnumbers_bench \
  window_bench workstations_bench tarvelo-instellingen bare_window
for bench in build-bench/listsort_bench build-bench/cipher_bench build-bench/hdn_storage_bench \
             build-bench/companies_bench build-bench/agentnumbers_bench build-bench/window_bench; do
  "$bench"
done

# Milliseconds of the median of 15 runs of a command, from start to exit.
median_ms() {
  local times=()
  for _ in $(seq 15); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 8p
}
pictures=$(mktemp -d)
data=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen
# The first start makes the demo office; the runs measured open it as a user's later starts do.
build-bench/tarvelo-instellingen --data "$data" --render window --out "$pictures" >/dev/null
window=$(median_ms build-bench/tarvelo-instellingen --data "$data" --render window --out "$pictures")
bare=$(median_ms build-bench/bare_window "$pictures")
echo "--render window: ${window} ms; bare Qt program: ${bare} ms; $(awk -v w="$window" -v b="$bare" 'BEGIN { printf "%.2f", w / b }')x"
rm -rf "$pictures" "$data"

# Starts its own server, and the program beside it.
build-bench/workstations_bench
