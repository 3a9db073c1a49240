#!/bin/bash
# Builds the program and starts it. The first time, it makes a demo database
# (embedded, no server needed) and names it in build/bin/database.txt; log
# in as demo / demo. A database.txt that is already there is left alone, so
# the program can be pointed at another database by editing it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/build.sh

bin="$(pwd)/build/bin"
# The templates it prints with and the folder of its grid layouts; templates
# already there may have been changed in the designer and are kept.
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

exec "$bin/TavloraFree"
