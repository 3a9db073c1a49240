#!/bin/bash
# Builds everything with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer into build-asan/ and runs the whole test suite
# there, headless. Slow: not part of scripts/test.sh or CI.
#   ./scripts/sanitize.sh [ctest arguments, e.g. -R report]
# Another compiler: CC=clang CXX=clang++ ./scripts/sanitize.sh (on a fresh build-asan).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$(pwd)"

./scripts/install-deps.sh

if [[ ! -f build-asan/CMakeCache.txt || ! -f build-asan/build.ninja ]]; then
    cmake -S . -B build-asan -G Ninja -DTAVLORA_SANITIZE=address,undefined -DTAVLORA_BUILD_BENCH=OFF
fi
cmake --build build-asan -j2

export QT_QPA_PLATFORM=offscreen
# The first error ends the test program, with its stack. Firebird's client
# and engine install their own SIGSEGV/SIGBUS handlers (the engine turns some
# faults into status errors) and ASan must not take those signals away from
# them; a real segfault still ends the test as a crash. Stack
# use-after-return checks stay off: the engine switches stacks.
# intercept_tls_get_addr=0: the leak checker of this GCC dies reading a
# dynamic thread-local block at the end of crash_tests ("Tracer caught signal
# 11" after all its tests passed), a block of one of the libraries loaded at
# run time. Such blocks are then not searched for pointers; static
# thread-locals, stacks and the heap still are.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:handle_segv=0:handle_sigbus=0:handle_sigfpe=0:allow_user_segv_handler=1:detect_stack_use_after_return=0:check_initialization_order=1:strict_init_order=0:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Only allocations the third-party libraries own for the life of the process.
export LSAN_OPTIONS="suppressions=${root}/tests/sanitizer/lsan.supp:print_suppressions=0"

ctest --test-dir build-asan --output-on-failure -j2 "$@"
