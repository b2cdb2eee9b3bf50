#!/usr/bin/env bash
# Builds the game and all its tests (installing what they need first) and runs
# them. Extra arguments go to ctest, e.g. ./test.sh -R Covering
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

tools/build.sh

# The window tests draw into memory: no screen needed.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure "$@"
