#!/usr/bin/env bash
# Builds the game (installing what it needs first) and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

tools/build.sh durak

game="$(find build -path build/CMakeFiles -prune -o -type f -name durak -perm -u+x -print | head -n 1)"
if [[ -z "$game" ]]; then
  echo "play: the game was not built (no executable named durak under build/)" >&2
  exit 1
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "play: built $game, but there is no desktop to open its window on (no DISPLAY)" >&2
  exit 1
fi
exec "$game" "$@"
