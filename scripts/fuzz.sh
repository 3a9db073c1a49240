#!/bin/bash
# Fuzzes every target for the given number of seconds each (default 60) with
# clang's libFuzzer, address and undefined-behaviour sanitizers; our own
# libraries are instrumented too, so the fuzzer sees their branches. Runs go
# into build-fuzz/corpus/<target> (seeded from tests/fuzz/corpus/<target>);
# afterwards the inputs that reach new branches are merged into
# tests/fuzz/corpus/<target>, so the replay tests keep running them. A crash,
# a hang, a leak or undefined behaviour stops the target and leaves its input
# in build-fuzz/artifacts/<target>/; the whole output is in build-fuzz/logs/.
#   ./scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
if ! command -v clang++ >/dev/null; then
    sudo=()
    (( $(id -u) == 0 )) || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang
fi
seconds="${1:-60}"
shift || true

if [[ ! -f build-fuzz/build.ninja ]] || ! grep -q '^TAVLORA_SANITIZE:STRING=fuzzer-no-link' build-fuzz/CMakeCache.txt; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTAVLORA_FUZZ=ON -DTAVLORA_BUILD_BENCH=OFF \
        -DTAVLORA_SANITIZE=fuzzer-no-link,address,undefined
fi
targets=("$@")
if (( ${#targets[@]} == 0 )); then
    mapfile -t targets < <(sed -n 's/^set(FUZZ_TARGETS \(.*\))/\1/p' tests/fuzz/CMakeLists.txt | tr ' ' '\n')
fi
for target in "${targets[@]}"; do
    cmake --build build-fuzz -j2 --target "fuzz_${target}"
done

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizer/lsan.supp:print_suppressions=0"
cd build-fuzz
mkdir -p logs
status=0
for target in "${targets[@]}"; do
    seeds="../tests/fuzz/corpus/${target}"
    mkdir -p "corpus/${target}" "artifacts/${target}"
    echo "== ${target}: ${seconds} s"
    # -timeout: one input taking longer is a hang.
    if ! "./bin/fuzz_${target}" -max_total_time="${seconds}" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
            -print_final_stats=1 -artifact_prefix="artifacts/${target}/" \
            "corpus/${target}" "${seeds}" >"logs/${target}.log" 2>&1; then
        status=1
    fi
    grep -E "^(stat::number_of_executed_units|stat::new_units_added|==.*ERROR|SUMMARY)|runtime error|artifact_prefix.*Test unit written|Test unit written" \
        "logs/${target}.log" || true
    # Only inputs that reach new branches: the kept corpus stays small.
    "./bin/fuzz_${target}" -merge=1 -use_counters=0 "${seeds}" "corpus/${target}" \
        >"logs/${target}.merge.log" 2>&1 || status=1
    grep -E "MERGE-OUTER: [0-9]+ new files" "logs/${target}.merge.log" || true
done
exit "${status}"
