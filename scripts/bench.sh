#!/bin/bash
# Builds everything, makes the large benchmark database the first time
# (build/bench/large.fdb: 200,000 bills, 1,000,000 lines; under a minute
# here), runs every benchmark and prints one table: our figure, the raw
# figure (the same statements sent straight through the Firebird client),
# their ratio, the target and whether it is met.
#
#   scripts/bench.sh [--regenerate] [GROUP...]
#
# GROUPs: pick plus discount panel saved_bills summary day memory start (all
# by default); memory spends the day with the data module alone and reads the
# process's memory after 200 and after 2,000 bills; start times the program
# from its start to the login window on a virtual display (bench/startup.sh).
# Each group runs in a process of its own, so the memory figures are its own.
# Google Benchmark's full report of each group goes to build/bench/*.log.
#
# TAVLORA_BENCH_BIN=DIR runs the tavlora_bench and tavlora_generate found in
# DIR instead of building; for a build folder of one's own.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

all_groups=(pick plus discount panel saved_bills summary day memory start)
regenerate=0
groups=()
for arg in "$@"; do
    case "$arg" in
        --regenerate) regenerate=1 ;;
        -*)
            echo "usage: $0 [--regenerate] [GROUP...]   groups: ${all_groups[*]}" >&2
            exit 2
            ;;
        *) groups+=("$arg") ;;
    esac
done
if (( ${#groups[@]} == 0 )); then
    groups=("${all_groups[@]}")
fi

if [[ -n "${TAVLORA_BENCH_BIN:-}" ]]; then
    bin="$TAVLORA_BENCH_BIN"
else
    ./scripts/build.sh
    bin=build/bin
fi
for tool in tavlora_bench tavlora_generate; do
    if [[ ! -x "$bin/$tool" ]]; then
        echo "$0: $bin/$tool was not built (is TAVLORA_BUILD_BENCH on?)" >&2
        exit 1
    fi
done

out="$(pwd)/build/bench"
mkdir -p "$out"
db="$out/large.fdb"
# Work copies of a run that was killed.
rm -f "$out"/work-*.fdb

generate=()
if (( regenerate )); then
    generate=(--force)
fi
"$bin/tavlora_generate" --database="$db" "${generate[@]}"

table="$(mktemp "${TMPDIR:-/tmp}/tavlora-bench.XXXXXX")"
trap 'rm -f "$table"' EXIT

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
for group in "${groups[@]}"; do
    echo "== $group"
    if [[ "$group" == start ]]; then
        if [[ -z "${TAVLORA_BENCH_BIN:-}" ]]; then
            ./scripts/prepare-program-folder.sh
        fi
        ms="$(bench/startup.sh "$bin")"
        met=NO
        if (( ms < 1000 )); then met=yes; fi
        printf 'start to the login window, warm (median of 10)\t%s ms\t\t\t< 1 s\t%s\n' "$ms" "$met" >> "$table"
        continue
    fi
    if ! "$bin/tavlora_bench" --database="$db" --table_out="$table" \
            --benchmark_filter="^$group/" > "$out/$group.log" 2>&1; then
        cat "$out/$group.log" >&2
        echo "$0: the $group benchmarks failed" >&2
        exit 1
    fi
    # A benchmark that stopped with an error says so in its line.
    if grep -q "ERROR OCCURRED" "$out/$group.log"; then
        grep "ERROR OCCURRED" "$out/$group.log" >&2
        echo "$0: a $group benchmark failed; see $out/$group.log" >&2
        exit 1
    fi
done
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

echo
{
    printf 'work\tours\traw\tratio\ttarget\tmet?\n'
    cat "$table"
} | awk -F'\t' '
    { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } rows = NR; cols = NF }
    END {
        for (r = 1; r <= rows; r++) {
            line = ""
            for (i = 1; i <= cols; i++) {
                # Text left, figures right.
                fmt = (i == 1 || i >= 5) ? "%-" width[i] "s" : "%" width[i] "s"
                line = line (i > 1 ? "  " : "") sprintf(i == cols ? "%s" : fmt, cell[r, i])
            }
            print line
            if (r == 1) {
                total = 2 * (cols - 1)
                for (i = 1; i <= cols; i++) total += width[i]
                rule = ""
                for (i = 1; i <= total; i++) rule = rule "-"
                print rule
            }
        }
    }'
echo
echo "ours: the program's data module and datasets; raw: the same statements through the Firebird"
echo "client, prepared once, no dataset layer; ratio = ours / raw. Load average (1, 5, 15 min):"
echo "$load_before before, $load_after after, on $(nproc) cores. Full reports: $out/*.log"
