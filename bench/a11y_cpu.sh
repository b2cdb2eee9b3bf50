#!/usr/bin/env bash
# The cost of a screen reader to a blind player's machine: the CPU time of one
# two-computer game in the window (window_bench game, a fixed deal) at the fast and the
# slow pace, with a client on the accessibility bus listening to what a screen reader
# listens to (the events Orca's default script registers for) and asking each event's
# source for its role and name, as a screen reader does, against the same game with
# nobody listening; interleaved, A B A B, each game on a virtual screen and a session bus
# of its own with the accessibility bus up.
#
#   bench/a11y_cpu.sh [BUILD] [ROUNDS]     BUILD defaults to build-bench, ROUNDS to 3
#
# Prints each game, then per pace the medians and their ratio (aim 2 or less).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build="${1:-build-bench}"
rounds="${2:-3}"
bench="$build/bench/window_bench"
[[ -x "$bench" ]] || { echo "a11y_cpu: $bench is not built"; exit 2; }

listener="$(mktemp)"
runtime="$(mktemp -d)"
trap 'rm -rf "$listener" "$runtime"' EXIT
cat >"$listener" <<'PY'
# listener yes|no COMMAND...: runs COMMAND while a screen reader's events are listened to
# (yes) or while nobody listens (no); the accessibility bus is started either way.
import subprocess, sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib
heard = 0
def on_event(event):
    global heard
    heard += 1
    try:
        event.source.get_role_name(); event.source.get_name()
    except GLib.Error:
        pass
Atspi.get_desktop(0)  # the accessibility bus comes up
if sys.argv[1] == "yes":
    listener = Atspi.EventListener.new(on_event)
    for kind in ("focus:", "window:activate", "object:property-change:accessible-name",
                 "object:property-change:accessible-description", "object:children-changed:add",
                 "object:children-changed:remove", "object:text-changed:insert", "object:text-changed:delete",
                 "object:text-caret-moved", "object:active-descendant-changed", "object:state-changed:active",
                 "object:state-changed:focused", "object:state-changed:showing", "object:state-changed:checked",
                 "object:state-changed:pressed", "object:state-changed:selected", "object:state-changed:busy"):
        listener.register(kind)
game = subprocess.Popen(sys.argv[2:])
context = GLib.MainContext.default()
while game.poll() is None:
    while context.iteration(False):
        pass
    time.sleep(0.005)
print("events heard:", heard)
PY

export XDG_RUNTIME_DIR="$runtime" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
one_game() {  # PACE yes|no: the game's CPU time in ms
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- \
    /usr/bin/python3 "$listener" "$2" "$bench" game 1 "$1" 2>/dev/null |
    sed -n 's/.*, \([0-9.]*\) ms CPU .*/\1/p'
}
median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

for pace in fast slow; do
  quiet=() heard=()
  for round in $(seq "$rounds"); do
    quiet+=("$(one_game "$pace" no)")
    heard+=("$(one_game "$pace" yes)")
    echo "$pace, round $round: nobody listening ${quiet[-1]} ms CPU, a screen reader listening ${heard[-1]} ms CPU"
  done
  q=$(printf '%s\n' "${quiet[@]}" | median)
  h=$(printf '%s\n' "${heard[@]}" | median)
  echo "$pace pace: a game takes $q ms CPU with nobody listening, $h ms with a screen reader, ratio $(awk -v h="$h" -v q="$q" 'BEGIN {printf "%.2f", h / q}') (aim 2 or less)"
done
