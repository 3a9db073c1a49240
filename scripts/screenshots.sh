#!/bin/bash
# Makes the README's pictures in docs/ on a fresh copy of the demo cafe,
# without a display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/build.sh
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/ini" "$folder/rapor"
cp rapor/*.fr3 "$folder/rapor/"
./scripts/create-database.sh "$folder/demo.fdb" --demo
echo "$folder/demo.fdb" > "$folder/database.txt"
QT_QPA_PLATFORM=offscreen build/bin/screenshots "$folder" docs
