#!/bin/bash
# Installs what is missing, configures the build folder the first time and
# builds everything into build/ (the program and its tests in build/bin).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh

# Configure only once: CMake re-runs itself when a CMakeLists.txt changes,
# and a fresh configure would throw away the choices kept in the cache.
if [[ ! -f build/CMakeCache.txt || ! -f build/build.ninja ]]; then
    cmake -S . -B build -G Ninja
fi
cmake --build build
