#!/bin/bash
# Builds the program and starts it. The first time, it makes a demo database
# (embedded, no server needed) and names it in build/bin/database.txt; log
# in as demo / demo. A database.txt that is already there is left alone, so
# the program can be pointed at another database by editing it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/build.sh
./scripts/prepare-program-folder.sh

exec "$(pwd)/build/bin/TavloraFree"
