#!/bin/bash
# Builds everything and runs every test, headless. Extra arguments go to
# ctest, for example: ./scripts/test.sh -R Schema
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/build.sh

# Widgets, previews and printing run without a display.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 "$@"
