#!/usr/bin/env bash
# Headless speed of this tree against an earlier commit: both simulators are built the
# same way (RelWithDebInfo, no window) into a temporary folder, then play the same
# two-computer games in interleaved rounds (A B A B ...). Each round's CPU time (user +
# system, from the shell's own account of the child) gives games per CPU-second; the
# medians and the best rounds are compared. With valgrind present, the instructions per
# game are counted too (callgrind, 300 games, which does not depend on the machine's load).
#
#   bench/headless_vs.sh BASELINE [ROUNDS] [GAMES]     e.g. bench/headless_vs.sh e837ea1 10 20000
#
# Nothing is written into the source tree: the baseline is checked out as a temporary
# worktree and every build goes into the temporary folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
baseline="${1:?usage: bench/headless_vs.sh BASELINE [ROUNDS] [GAMES]}"
rounds="${2:-10}"
games="${3:-20000}"

work="$(mktemp -d)"
cleanup() {
    git worktree remove --force "$work/base-src" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

build() {  # source folder, build folder
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDURAK_GUI=OFF >/dev/null
    cmake --build "$2" --target durak-sim -j "$(nproc)" >/dev/null
}
git worktree add --detach "$work/base-src" "$baseline" >/dev/null 2>&1
build "$work/base-src" "$work/base"
build . "$work/now"
a="$work/base/sim/durak-sim"
b="$work/now/sim/durak-sim"

echo "== machine load at the start (1, 5, 15 min; running/all tasks): $(cat /proc/loadavg)"
echo "== $rounds interleaved rounds of $games games, --mode 200, seed = round number"
TIMEFORMAT='%U %S'
for round in $(seq "$rounds"); do
    for which in base now; do
        bin="$work/$which/sim/durak-sim"
        seconds=$( { time "$bin" --games "$games" --mode 200 --seed "$round" >/dev/null; } 2>&1 )
        awk -v w="$which" -v g="$games" '{ printf "%s %.0f\n", w, g / ($1 + $2) }' <<<"$seconds"
    done
done | awk -v base="$baseline" '
    { v[$1] = v[$1] " " $2; n[$1]++; all[$1, n[$1]] = $2; if ($2 > best[$1]) best[$1] = $2 }
    function median(w,   i, j, t, m, a) {
        m = n[w]; for (i = 1; i <= m; i++) a[i] = all[w, i]
        for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
    }
    END {
        printf "baseline %s: games per CPU-second median %.0f, best %.0f (rounds:%s)\n", base, median("base"), best["base"], v["base"]
        printf "this tree:        games per CPU-second median %.0f, best %.0f (rounds:%s)\n", median("now"), best["now"], v["now"]
        printf "ratio: median %.2fx, best %.2fx\n", median("now") / median("base"), best["now"] / best["base"]
    }'
echo "== machine load at the end: $(cat /proc/loadavg)"

if command -v valgrind >/dev/null; then
    for which in base now; do
        refs=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$work/$which/sim/durak-sim" \
                   --games 300 --mode 200 --seed 1 2>&1 >/dev/null | awk '/refs:/ { gsub(",", "", $NF); print $NF }')
        echo "$which: $((refs / 300)) instructions per game (callgrind, --games 300 --mode 200 --seed 1)"
    done
fi
