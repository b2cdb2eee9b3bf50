#!/usr/bin/env bash
# Builds the game's Debian package, installs it the way a user would (apt-get), checks
# what it put on the system, starts the installed game on a virtual screen until its
# window shows, and removes the package again. Needs root (or sudo) for apt-get.
#
#   tools/check-package.sh [build folder]     (default: build, as ./test.sh leaves it)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build="${1:-build}"
caption="Карты/Дурак"

say() { echo "check-package: $*"; }
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

as_root=()
if [[ "$(id -u)" -ne 0 ]]; then
  command -v sudo >/dev/null 2>&1 || fail "need root (or sudo) to install the package"
  as_root=(sudo -n)
  [[ -t 0 ]] && as_root=(sudo)
fi
apt_get() { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

# 1. The package, from the same build the tests ran on.
generator=()
[[ -f "$build/CMakeCache.txt" ]] || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DDURAK_GUI=ON >/dev/null
cmake --build "$build" --target durak -j "$(nproc)"
rm -f "$build"/durak_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/durak_*.deb 2>/dev/null | head -n 1)"
[[ -n "$deb" ]] || fail "cpack made no durak_*.deb in $build"
deb="$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
say "built $deb ($(du -k "$deb" | cut -f1) KiB)"

# 2. What the package says about itself and what it holds.
field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == durak ]] || fail "package name is '$(field Package)'"
depends="$(field Depends)"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-dejavu-core; do
  [[ ",$depends," == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
say "Depends: $depends"

contents="$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')"
for path in /usr/bin/durak /usr/share/applications/durak.desktop \
            /usr/share/icons/hicolor/64x64/apps/durak.png \
            /usr/share/icons/hicolor/128x128/apps/durak.png \
            /usr/share/icons/hicolor/256x256/apps/durak.png \
            /usr/share/pixmaps/durak.png /usr/share/doc/durak/copyright; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done

# 3. Install it as a user would; take it off again whatever happens next.
installed=0
cleanup() {
  if [[ $installed -eq 1 ]]; then
    apt_get remove -y -qq durak >/dev/null || echo "check-package: could not remove durak" >&2
  fi
}
trap cleanup EXIT
apt_get install -y -qq --no-install-recommends "$deb" >/dev/null
installed=1
[[ "$(dpkg-query -W -f='${Status}' durak)" == "install ok installed" ]] || fail "durak is not installed"
[[ "$(command -v durak)" == /usr/bin/durak ]] || fail "durak is not on the PATH as /usr/bin/durak"

desktop=/usr/share/applications/durak.desktop
command -v desktop-file-validate >/dev/null 2>&1 ||
  fail "desktop-file-validate is missing (tools/install-deps.sh installs it)"
desktop-file-validate "$desktop" || fail "$desktop does not validate"
for line in "Name=$caption" "Exec=durak" "Icon=durak" "Terminal=false" "Categories=Game;CardGame;"; do
  grep -qxF "$line" "$desktop" || fail "$desktop lacks $line"
done
# A PNG names its width and height in its header, bytes 16 to 23.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
for side in 64 128 256; do
  icon="/usr/share/icons/hicolor/${side}x${side}/apps/durak.png"
  [[ "$(png_size "$icon")" == "${side}x${side}" ]] || fail "$icon is $(png_size "$icon"), not ${side}x${side}"
done
say "installed: $(dpkg -L durak | while read -r f; do [[ -f "$f" ]] && echo "$f"; done | tr '\n' ' ')"
say "the desktop entry validates; the icons are 64, 128 and 256 pixels square"

# 4. The installed game opens its window, with the icon, on a virtual screen.
command -v xvfb-run >/dev/null 2>&1 || fail "xvfb-run is missing (tools/install-deps.sh installs it)"
runtime="$(mktemp -d)"
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    caption="$1"
    durak & game=$!
    window=""
    for _ in $(seq 200); do
      window="$(xwininfo -root -tree | grep -F "\"$caption\"" | awk "{print \$1}" | head -n 1)"
      [[ -n "$window" ]] && break
      kill -0 "$game" 2>/dev/null || { echo "the game ended before its window showed" >&2; exit 1; }
      sleep 0.05
    done
    [[ -n "$window" ]] || { echo "no window with the caption $caption" >&2; kill "$game"; exit 1; }
    if ! xprop -id "$window" _NET_WM_ICON | grep -q "Icon (64 x 64)"; then
      echo "the window carries no icon" >&2; kill "$game"; exit 1
    fi
    kill "$game"
    wait "$game" 2>/dev/null || true
    echo "window $window \"$caption\" shown, with its icon"
  ' check "$caption" | sed 's/^/check-package: /'
rm -rf "$runtime"

# 5. And off again: nothing of it stays behind.
apt_get remove -y -qq durak >/dev/null
installed=0
[[ ! -e /usr/bin/durak && ! -e "$desktop" ]] || fail "files stayed after removing the package"
say "removed again; the package installs, starts and removes cleanly"
