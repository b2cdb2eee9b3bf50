#!/usr/bin/env bash
# Installs what the build needs, configures build/ and builds it: everything, or the
# targets named. Shared by ./play.sh and ./test.sh, so both build the same tree.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh

generator=()
[[ -f build/CMakeCache.txt ]] || generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDURAK_GUI=ON
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build "${targets[@]}" -j "$(nproc)"
