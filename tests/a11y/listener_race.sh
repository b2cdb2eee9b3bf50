#!/usr/bin/env bash
# A screen reader that registers its listeners in the very moment the game joins the
# accessibility bus is still told everything. The moment is made to happen every time:
# the game runs under gdb, stopped where it has asked the registry which events are
# wanted and is about to listen for the registry's news of new listeners; there the
# screen reader registers (table_client.py listen), then the game goes on. After a deal
# made with the keyboard the screen reader must have heard the game's first words.
#
#   listener_race.sh CLIENT DURAK      (on a virtual screen and a session bus: run_on_bus.sh)
set -euo pipefail
client="$1" game="$2"
if ! command -v gdb >/dev/null 2>&1; then
  echo "skipped: gdb is not installed (tools/install-deps.sh installs it)"
  exit 77
fi
work="$(mktemp -d)"
trap 'kill "$debugger" 2>/dev/null || true; pkill -f "$client listen" 2>/dev/null || true; rm -rf "$work"' EXIT
heard="$work/heard"

# The accessibility bus comes up before the game, as a running desktop has it.
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi; Atspi.get_desktop(0)'

cat >"$work/commands" <<GDB
set pagination off
set breakpoint pending on
break dbus_bus_add_match if \$_regex((char *) \$rsi, ".*EventListenerRegistered.*")
commands
  silent
  shell /usr/bin/python3 $client listen $heard >/dev/null 2>&1 &
  shell for i in \$(seq 200); do [ -e $heard.ready ] && break; sleep 0.05; done
  continue
end
run
GDB
gdb -q -batch -x "$work/commands" "$game" >"$work/gdb.log" 2>&1 &
debugger=$!

for _ in $(seq 300); do [[ -e "$heard.ready" ]] && break; sleep 0.1; done
if [[ ! -e "$heard.ready" ]]; then
  echo "FAILED: the game never came to listen for new listeners"; tail -n 20 "$work/gdb.log"; exit 1
fi
window="$(xdotool search --sync --onlyvisible --name 'Карты/Дурак' | head -n 1)"
xdotool windowfocus --sync "$window"
sleep 1
xdotool key F10 Return
for _ in $(seq 100); do [[ -s "$heard" ]] && break; sleep 0.1; done
if ! grep -q '^Новая игра\. Козырь: ' "$heard" 2>/dev/null; then
  echo "FAILED: a screen reader that registered as the game joined the bus heard nothing of the deal"
  exit 1
fi
echo "heard: $(head -n 1 "$heard")"
