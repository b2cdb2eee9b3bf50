#!/usr/bin/env bash
# Runs a program on a virtual X screen of its own, of DURAK_TEST_SCREEN (WIDTHxHEIGHT)
# or else 1024x768 pixels. Without the virtual screen
# (xvfb-run) or the input tool (xdotool) it does nothing and says the test is
# skipped (exit code 77, which CTest reads as skipped).
set -euo pipefail

for tool in xvfb-run xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done

# The tests start the program on Qt's X platform themselves; a quiet runtime folder
# keeps Qt from warning about a missing one.
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
xvfb-run -a -s "-screen 0 ${DURAK_TEST_SCREEN:-1024x768}x24 -noreset" "$@"
