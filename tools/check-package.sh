#!/usr/bin/env bash
# Builds the game's Debian package and checks it the way a distribution would: lintian
# (pedantic), the AppStream metadata and the desktop entry must pass without an error or
# a warning. Then installs it the way a user would (apt-get), checks what it put on the
# system, starts the installed game from its menu entry on a virtual screen until its
# window shows, and removes the package again. Needs root (or sudo) for apt-get.
#
#   tools/check-package.sh [build folder]     (default: build, as ./test.sh leaves it)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build="${1:-build}"
caption="Карты/Дурак"
program=/usr/games/durak
metainfo=/usr/share/metainfo/org.example.durak.metainfo.xml
desktop=/usr/share/applications/durak.desktop

say() { echo "check-package: $*"; }
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null 2>&1 || fail "$1 is missing (tools/install-deps.sh installs it)"; }

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
version="$(field Version)"
depends="$(field Depends)"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-dejavu-core; do
  [[ ",$depends," == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
[[ "$(field Section)" == games ]] || fail "section is '$(field Section)', not games"
say "Version: $version; Depends: $depends"

contents="$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')"
for path in "$program" "$desktop" "$metainfo" \
            /usr/share/icons/hicolor/scalable/apps/durak.svg \
            /usr/share/icons/hicolor/64x64/apps/durak.png \
            /usr/share/icons/hicolor/128x128/apps/durak.png \
            /usr/share/icons/hicolor/256x256/apps/durak.png \
            /usr/share/pixmaps/durak.png /usr/share/man/man6/durak.6.gz \
            /usr/share/doc/durak/changelog.gz /usr/share/doc/durak/copyright; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done

# 3. The validators a distribution runs, on the package and the files it holds. Any
# error or warning fails the check; lintian's informational tags are shown.
need lintian
need appstreamcli
need desktop-file-validate
unpacked="$(mktemp -d)"
runtime=""
installed=0
cleanup() {
  rm -rf "$unpacked"
  [[ -n "$runtime" ]] && rm -rf "$runtime"
  if [[ $installed -eq 1 ]]; then
    apt_get remove -y -qq durak >/dev/null || echo "check-package: could not remove durak" >&2
  fi
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$unpacked"

# lintian warns when it runs as root, which CI does; that note is not about the package.
lintian_out="$(lintian -EvI --pedantic --fail-on error,warning "$deb" 2>&1)" || {
  echo "$lintian_out" >&2; fail "lintian found errors or warnings"; }
lintian_out="$(grep -v '^running with root privileges is not recommended!$' <<<"$lintian_out" || true)"
grep -q '^[EW]: ' <<<"$lintian_out" && { echo "$lintian_out" >&2; fail "lintian found errors or warnings"; }
if [[ -n "$lintian_out" ]]; then echo "$lintian_out" | sed 's/^/check-package: lintian: /'; fi
say "lintian -EvI --pedantic: no error, no warning ($(grep -c '^[IPX]: ' <<<"$lintian_out" || true) other tags)"

# The screenshot lives on the project's web site, out of reach of a build machine, so
# the metadata is checked without the network. validate-tree also checks that the menu
# entry the metadata names is in the package.
appstream_out="$(appstreamcli validate --pedantic --no-net "$unpacked$metainfo" 2>&1)" || {
  echo "$appstream_out" >&2; fail "appstreamcli validate found errors or warnings"; }
tree_out="$(appstreamcli validate-tree --pedantic --no-net "$unpacked" 2>&1)" || {
  echo "$tree_out" >&2; fail "appstreamcli validate-tree found errors or warnings"; }
grep -q '^ *[EW]: ' <<<"$appstream_out$tree_out" && {
  echo "$appstream_out$tree_out" >&2; fail "appstreamcli found errors or warnings"; }
say "appstreamcli validate --pedantic --no-net: $(tail -n 1 <<<"$appstream_out")"

desktop_out="$(desktop-file-validate "$unpacked$desktop" 2>&1)" || {
  echo "$desktop_out" >&2; fail "desktop-file-validate found errors"; }
grep -qE ': (error|warning): ' <<<"$desktop_out" && {
  echo "$desktop_out" >&2; fail "desktop-file-validate found errors or warnings"; }
[[ -n "$desktop_out" ]] && echo "$desktop_out" | sed 's/^/check-package: desktop-file-validate: /'
say "desktop-file-validate: no error, no warning"

# The changelog, the software centre's newest release and the package agree on the version.
zcat "$unpacked/usr/share/doc/durak/changelog.gz" >"$unpacked/changelog"
logged="$(dpkg-parsechangelog -l "$unpacked/changelog" -S Version)"
[[ "$logged" == "$version" ]] || fail "the changelog's newest version is $logged, the package's $version"
released="$(grep -o '<release version="[^"]*"' "$unpacked$metainfo" | head -n 1 | cut -d'"' -f2)"
[[ "$released" == "$version" ]] || fail "the metadata's newest release is $released, the package's $version"

# 4. Install it as a user would; take it off again whatever happens next.
apt_get install -y -qq --no-install-recommends "$deb" >/dev/null
installed=1
[[ "$(dpkg-query -W -f='${Status}' durak)" == "install ok installed" ]] || fail "durak is not installed"
[[ -x "$program" ]] || fail "$program is not an installed program"
# A user's PATH as Debian's /etc/profile sets it finds the game by its name.
user_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
[[ "$(PATH=$user_path command -v durak)" == "$program" ]] || fail "durak is not found on a user's PATH"
[[ "$(man -w 6 durak)" == /usr/share/man/man6/durak.6.gz ]] || fail "man 6 durak finds no manual page"

for line in "Name=$caption" "Exec=$program" "Icon=durak" "Terminal=false" "Categories=Game;CardGame;"; do
  grep -qxF "$line" "$desktop" || fail "$desktop lacks $line"
done
# A PNG names its width and height in its header, bytes 16 to 23.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
for side in 64 128 256; do
  icon="/usr/share/icons/hicolor/${side}x${side}/apps/durak.png"
  [[ "$(png_size "$icon")" == "${side}x${side}" ]] || fail "$icon is $(png_size "$icon"), not ${side}x${side}"
done
mapfile -t files < <(dpkg -L durak | while read -r f; do [[ -f "$f" ]] && echo "$f"; done)
say "installed: ${files[*]}"
say "the icons are 64, 128 and 256 pixels square, and scalable"

# 5. The installed game, started as its menu entry starts it, opens its window with the
# icon on a virtual screen.
need xvfb-run
exec_line="$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)"
runtime="$(mktemp -d)"
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    caption="$1"
    $2 & game=$!
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
  ' check "$caption" "$exec_line" | sed 's/^/check-package: /'

# 6. And off again: nothing of it stays behind.
apt_get remove -y -qq durak >/dev/null
installed=0
for f in "${files[@]}"; do
  [[ ! -e "$f" ]] || fail "$f stayed after removing the package"
done
status="$(dpkg-query -W -f='${Status}' durak 2>/dev/null || true)"
[[ -z "$status" || "$status" == *" not-installed" ]] || fail "dpkg still lists durak as '$status'"
say "removed again: the package passes its validators, installs, starts and removes cleanly"
