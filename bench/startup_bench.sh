#!/usr/bin/env bash
# Start-up of mirovel against a minimal FLTK program built in the same run, both
# under a private Xvfb: median time from start until the main window is mapped,
# and from a click on the tutorial button until the second window is mapped.
# Usage: bench/startup_bench.sh [build dir] [runs]
set -euo pipefail
BUILD_DIR="$(cd "${1:-build}" && pwd)"
RUNS="${2:-40}"

cmake --build "$BUILD_DIR" -j2 --target mirovel startup_minimal_window startup_map_timer >/dev/null

source "$(dirname "$0")/../tools/private_xvfb.sh"
start_private_xvfb
work="$(mktemp -d)"
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# mirovel writes its skin library beside itself, so it runs from a copy; the
# first start (writing the library) is left out of the figures.
cp "$BUILD_DIR/mirovel" "$work/mirovel"
timer="$BUILD_DIR/bench/startup_map_timer"
"$timer" 1 "$work/mirovel" >/dev/null

# Interleaved in rounds of five so that both programs see the same machine load.
for _ in $(seq $((RUNS / 5))); do
  "$timer" 5 "$work/mirovel" 84 108 >>"$work/mirovel.txt"
  "$timer" 5 "$BUILD_DIR/bench/startup_minimal_window" 84 108 >>"$work/minimal.txt"
done

python3 - "$work/mirovel.txt" "$work/minimal.txt" <<'PY'
import statistics, sys
def columns(path):
    rows = [list(map(float, line.split())) for line in open(path) if line.strip()]
    return [r[0] for r in rows], [r[1] for r in rows if len(r) > 1 and r[1] >= 0]
m_start, m_click = columns(sys.argv[1])
p_start, p_click = columns(sys.argv[2])
print(f"runs: {len(m_start)} each")
print(f"start to main window mapped   mirovel {statistics.median(m_start):8.2f} ms   minimal FLTK {statistics.median(p_start):8.2f} ms   ratio {statistics.median(m_start) / statistics.median(p_start):.2f}")
print(f"click to second window mapped mirovel {statistics.median(m_click):8.2f} ms   minimal FLTK {statistics.median(p_click):8.2f} ms   ratio {statistics.median(m_click) / statistics.median(p_click):.2f}")
PY
