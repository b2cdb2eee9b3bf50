#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (and the
# bounds checks of the 1-based arrays) into build-sanitize/, and runs every test there.
# Any sanitizer report fails the run. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh

generator=()
[[ -f build-sanitize/CMakeCache.txt ]] || generator=(-G Ninja)
cmake -S . -B build-sanitize "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DDURAK_SANITIZE=ON -DDURAK_GUI=ON
cmake --build build-sanitize -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitize --output-on-failure "$@"
