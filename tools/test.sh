#!/usr/bin/env bash
# Runs every test of a built tree under a private X server, so the window tests
# never touch the user's own display.
set -euo pipefail
BUILD_DIR="${1:-build}"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY="$display"

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 -j2
