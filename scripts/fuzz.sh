#!/bin/bash
# Fuzzes every target for the given number of seconds each (default 60) with
# clang's libFuzzer, address and undefined-behaviour sanitizers. New
# interesting inputs go into tests/fuzz/corpus/<target>, so the replay tests
# keep running them; a crash leaves crash-* files in build-fuzz/.
#   ./scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
seconds="${1:-60}"
shift || true

if [[ ! -f build-fuzz/build.ninja ]]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTAVLORA_FUZZ=ON -DTAVLORA_BUILD_BENCH=OFF
fi
targets=("$@")
if (( ${#targets[@]} == 0 )); then
    mapfile -t targets < <(sed -n 's/^set(FUZZ_TARGETS \(.*\))/\1/p' tests/fuzz/CMakeLists.txt | tr ' ' '\n')
fi
for target in "${targets[@]}"; do
    cmake --build build-fuzz --target "fuzz_${target}"
done
cd build-fuzz
for target in "${targets[@]}"; do
    echo "== ${target}: ${seconds} s"
    "./bin/fuzz_${target}" -max_total_time="${seconds}" -print_final_stats=1 \
        "../tests/fuzz/corpus/${target}" 2>&1 | grep -E "^(stat::number_of_executed_units|stat::new_units_added|==.*ERROR)" || true
done
