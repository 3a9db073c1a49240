#!/bin/bash
# Creates a new database file from schema/*.sql (in name order) and, with
# --demo, fills it with the demo cafe of schema/demo/demo_data.sql.
#
#   scripts/create-database.sh PATH [--demo]
#
# The file is created through Firebird's embedded engine (a plain file path,
# no server). An existing file is never overwritten. Nothing is printed on
# success; on the first SQL error isql stops, the half-made file is removed
# and the script exits non-zero.
set -euo pipefail

usage() {
    echo "usage: $0 PATH [--demo]" >&2
    exit 2
}

db=""
demo=0
for arg in "$@"; do
    case "$arg" in
        --demo) demo=1 ;;
        -*) usage ;;
        *)
            [[ -z "$db" ]] || usage
            db="$arg"
            ;;
    esac
done
[[ -n "$db" ]] || usage

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
schema="$root/schema"

if [[ -e "$db" ]]; then
    echo "$0: $db already exists; not overwriting it" >&2
    exit 1
fi
dir="$(dirname "$db")"
if [[ ! -d "$dir" ]]; then
    echo "$0: folder $dir does not exist" >&2
    exit 1
fi
# The engine resolves a relative path against its own working folder; an
# absolute path leaves no doubt which file is meant.
db="$(cd "$dir" && pwd)/$(basename "$db")"

shopt -s nullglob
files=("$schema"/*.sql)
shopt -u nullglob
if (( ${#files[@]} == 0 )); then
    echo "$0: no schema files in $schema" >&2
    exit 1
fi
if (( demo )); then
    files+=("$schema/demo/demo_data.sql")
fi

script="$(mktemp "${TMPDIR:-/tmp}/tavlora-create.XXXXXX.sql")"
errors="$(mktemp "${TMPDIR:-/tmp}/tavlora-create.XXXXXX.err")"
created=0
cleanup() {
    local rc=$?
    rm -f "$script" "$errors"
    if (( rc != 0 && created )); then
        rm -f "$db"
    fi
    exit "$rc"
}
trap cleanup EXIT

# One isql run for everything: starting the engine costs more than the
# statements themselves, and the tests create a database per test program.
# starts[i] is the line of the combined script where files[i] begins, so
# that an error can be traced back to its own file.
starts=()
{
    # A quote in the path is doubled to stay inside the SQL string.
    printf "create database '%s' user 'SYSDBA' password 'plumbride' page_size 8192 default character set WIN1254;\n" \
        "${db//\'/\'\'}"
    line=2
    for f in "${files[@]}"; do
        starts+=("$line")
        cat "$f"
        printf '\ncommit;\n'
        line=$(( line + $(wc -l < "$f") + 2 ))
    done
} > "$script"

# The files are UTF-8; isql's UTF8 connection lets the engine turn their
# Turkish letters into the database's WIN1254.
created=1
if ! isql-fb -ch UTF8 -q -bail -i "$script" > /dev/null 2> "$errors"; then
    cat "$errors" >&2
    # isql names the line of a failing DML statement ("At line N"), but for
    # a failing DDL statement the last line it had read before it
    # ("After line N").
    failed="$(sed -n -e 's/^At line \([0-9]*\) in file .*/\1/p' \
                     -e 's/^After line \([0-9]*\) in file .*/+\1/p' "$errors" | tail -n 1)"
    if [[ -n "$failed" ]]; then
        where="at"
        if [[ "$failed" == +* ]]; then
            failed=$(( ${failed#+} + 1 ))
            where="at or after"
        fi
        for (( i = ${#files[@]} - 1; i >= 0; i-- )); do
            if (( failed >= starts[i] )); then
                echo "$0: the failing statement is $where line $(( failed - starts[i] + 1 )) of ${files[i]#"$root"/}" >&2
                break
            fi
        done
    fi
    exit 1
fi
if [[ -s "$errors" ]]; then
    cat "$errors" >&2
fi
