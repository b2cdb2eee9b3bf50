#!/usr/bin/env bash
# Benchmark, not a test: how long the game takes to end after the window manager's
# close request, in the middle of a slow two-computer game, in a round end's wait of
# the player's game, and (for comparison) with the window idle. Several runs each, on
# a virtual screen; the figures are printed against the aim of half a second.
#
#   bench/close_latency.sh [runs] [build folder]      (defaults: 5, build)
#   DURAK=/usr/bin/durak bench/close_latency.sh        times an installed game instead
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

runs="${1:-5}"
build="${2:-build}"

for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "close_latency: $tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done

generator=()
[[ -f "$build/CMakeCache.txt" ]] || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DDURAK_GUI=ON >/dev/null
cmake --build "$build" --target durak durak_close_latency -j "$(nproc)" >/dev/null

bench="$build/bench/durak_close_latency"
game="${DURAK:-$build/ui/durak}"
[[ -x "$bench" && -x "$game" ]] || { echo "close_latency: $bench or $game was not built" >&2; exit 1; }

runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR="$runtime" xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$bench" "$game" "$runs"
