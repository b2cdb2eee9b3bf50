#!/usr/bin/env bash
# The benchmarks (not tests): headless throughput; the window's start-up (CPU time to
# its first frame, and memory) against a bare window with the same menu bar; the CPU
# and wakeups of a round-end wait against the window idling with one timer; CPU and
# wakeups of the real program while two computers play at the slow pace, against the
# same program idle; closing the window in the middle of a move; a two-computer game
# while a screen reader listens, against nobody listening. Every ratio compares
# figures measured in this same run, in interleaved rounds, and the machine's load is
# printed before and after, since the machines are shared.
#
#   bench/run.sh            all of them (about five minutes)
#   ROUNDS=21 bench/run.sh  more start-up rounds (default 15)
#   BASELINE=e837ea1 bench/run.sh   also headless speed against that commit (headless_vs.sh)
#
# Everything is built into build-bench/ and run from there; nothing is written into the
# source tree (the virtual screens' runtime folder is a temporary one).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
rounds="${ROUNDS:-15}"

tools/install-deps.sh
build=build-bench
generator=()
[[ -f $build/CMakeCache.txt ]] || generator=(-G Ninja)
cmake -S . -B $build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DDURAK_GUI=ON >/dev/null
cmake --build $build -j "$(nproc)" --target durak-sim durak durak_first_frame bare_first_frame \
      window_bench durak_pace_cpu durak_close_latency >/dev/null

echo "== machine load at the start (1, 5, 15 min; running/all tasks): $(cat /proc/loadavg)"

sim=$build/sim/durak-sim
echo "== headless throughput (one core; games_per_s counts games per CPU-second)"
for mode in 200 mixed; do
  line=$("$sim" --games 100000 --mode "$mode" --seed 1 | tail -n 1)
  echo "mode $mode: $line"
done

if [[ -n "${BASELINE:-}" ]]; then
  echo "== headless speed against $BASELINE (interleaved rounds, CPU time; instructions per game)"
  bench/headless_vs.sh "$BASELINE" 10 20000
fi

echo "== length of a two-computer game in the window (waits only, clicks instant)"
for pace in 1 300 600; do
  details=$("$sim" --games 2000 --mode 200 --seed 1 --pace "$pace" | head -n 1)
  echo "pace $pace: $(grep -o 'window_seconds_per_game=[^ ]*' <<<"$details")"
done

runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
unset QT_QPA_PLATFORM
on_x() { xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"; }

echo "== start-up: CPU time to the first painted frame and memory, game against a bare window ($rounds rounds, A B A B)"
on_x $build/bench/window_bench startup $build/bench/bare_first_frame $build/bench/durak_first_frame "$rounds"

echo "== a 1 s round-end wait against the window idling with one 1 s timer (11 rounds, A B A B)"
on_x $build/bench/window_bench wait 11 | tail -n 3

echo "== two computers at the slow pace in the real program, nothing clicked, against the idle program"
echo "   (3 rounds of 20 s; 'in a wait' below 100 % means the game stood still for part of the time)"
on_x $build/bench/durak_pace_cpu $build/ui/durak 20 3 | tail -n 4

echo "== closing the window in the middle of a move"
bench/close_latency.sh 5 $build

echo "== a two-computer game while a screen reader listens, against nobody listening (3 rounds, A B A B)"
bench/a11y_cpu.sh $build 3 | tail -n 2

echo "== machine load at the end: $(cat /proc/loadavg)"
