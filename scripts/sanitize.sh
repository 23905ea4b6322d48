#!/bin/sh
# Builds the whole suite (core, zelk-run, GUI, x11 tests) with AddressSanitizer
# and UBSan in build-asan and runs it. The first finding stops the test that
# made it; leaks are reported except the few in system libraries that
# scripts/lsan.supp names. Arguments go to ctest (e.g. -R core_).
set -e
cd "$(dirname "$0")/.."
ZELK_ROOT=$(pwd)
. ./scripts/setup.sh
zelk_install
# CXX chooses the compiler when the folder is first configured, e.g.
# CXX=clang++ ZELK_ASAN_BUILD=build-asan-clang scripts/sanitize.sh
ZELK_ASAN_BUILD="${ZELK_ASAN_BUILD:-$ZELK_ROOT/build-asan}"
cmake -S "$ZELK_ROOT" -B "$ZELK_ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_SANITIZE=ON
cmake --build "$ZELK_ASAN_BUILD" -j "$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$ZELK_ROOT/scripts/lsan.supp:print_suppressions=0"
cd "$ZELK_ASAN_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
