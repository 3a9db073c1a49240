#!/bin/bash
# Makes build/bin ready to start the program from: the shipped templates in
# rapor/ (a template already there may have been changed in the designer and
# is kept), an ini/ folder for the grid layouts, and, the first time, a demo
# database (embedded, no server) named in database.txt. A database.txt that
# is already there is left alone, so the program can be pointed at another
# database by editing it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

bin="$(pwd)/build/bin"
mkdir -p "$bin/ini" "$bin/rapor"
for template in rapor/*.fr3; do
    [[ -e "$bin/rapor/${template##*/}" ]] || cp "$template" "$bin/rapor/"
done
if [[ ! -f "$bin/database.txt" ]]; then
    if [[ ! -f "$bin/demo.fdb" ]]; then
        ./scripts/create-database.sh "$bin/demo.fdb" --demo
    fi
    printf '%s\n' "$bin/demo.fdb" > "$bin/database.txt"
fi
