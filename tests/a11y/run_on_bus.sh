#!/usr/bin/env bash
# Runs a command on a virtual X screen inside a D-Bus session of its own, where the
# accessibility bus starts when the first program asks for it. Without the virtual
# screen, the session tool, the accessibility bus or Python's AT-SPI binding it does
# nothing and says the test is skipped (exit code 77, which CTest reads as skipped).
set -euo pipefail

for tool in xvfb-run xdotool dbus-run-session; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done
if [ ! -x /usr/libexec/at-spi-bus-launcher ] ||
   ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
       >/dev/null 2>&1; then
  echo "skipped: the accessibility bus or Python's AT-SPI binding is missing (tools/install-deps.sh installs them)"
  exit 77
fi

runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
# The program joins the accessibility bus though no screen reader runs, on X.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$@"
