#!/usr/bin/env bash
# The benchmarks (not tests): headless throughput, start-up and memory of the window
# against a bare window with a menu bar, CPU use while two computers play at the slow
# pace, and the length of a two-computer game at each pace. Every ratio compares
# figures measured in this same run.
#
#   bench/run.sh            all of them (about two minutes)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh
generator=()
[[ -f build-bench/CMakeCache.txt ]] || generator=(-G Ninja)
cmake -S . -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DDURAK_GUI=ON >/dev/null
cmake --build build-bench -j "$(nproc)" --target durak-sim window_bench >/dev/null

sim=build-bench/sim/durak-sim
echo "== headless throughput (one core)"
for mode in 200 mixed; do
  line=$("$sim" --games 100000 --mode "$mode" --seed 1 | tail -n 1)
  echo "mode $mode: $line"
done

echo "== length of a two-computer game in the window (waits only, clicks instant)"
for pace in 1 300 600; do
  details=$("$sim" --games 2000 --mode 200 --seed 1 --pace "$pace" | head -n 1)
  echo "pace $pace: ${details##* }"
done

# One X server for every window measurement.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY="$display"
unset QT_QPA_PLATFORM

echo "== start-up to the first painted frame, and peak memory (15 runs each, medians)"
python3 - build-bench/bench/window_bench <<'PY'
import statistics, subprocess, sys, time
bench = sys.argv[1]
runs = {"bare": [], "game": []}
memory = {"bare": [], "game": []}
for _ in range(15):
    for kind in ("bare", "game"):
        start = time.time()
        out = subprocess.run([bench, kind], capture_output=True, text=True, timeout=60).stdout
        fields = dict(line.split("=", 1) for line in out.split() if "=" in line)
        runs[kind].append(float(fields["first_paint_at"]) - start)
        memory[kind].append(int(fields["peak_kb"]))
b, g = statistics.median(runs["bare"]), statistics.median(runs["game"])
mb, mg = statistics.median(memory["bare"]), statistics.median(memory["game"])
print(f"start-up: bare window {b*1000:.1f} ms, game {g*1000:.1f} ms, ratio {g/b:.2f} (aim 1.3 or less)")
print(f"peak memory: bare window {mb/1024:.1f} MiB, game {mg/1024:.1f} MiB, ratio {mg/mb:.2f}")
PY

echo "== CPU use while two computers play at the slow pace (20 s in the real window)"
build-bench/bench/window_bench slow 20 | grep cpu_percent || true

if [[ -x bench/close_latency.sh ]]; then
  echo "== closing the window in the middle of a move"
  bench/close_latency.sh
fi
