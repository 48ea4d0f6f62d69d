#!/usr/bin/env bash
# Runs every test of a built tree under a private X server, so the window tests
# never touch the user's own display.
set -euo pipefail
BUILD_DIR="${1:-build}"

source "$(dirname "$0")/private_xvfb.sh"
start_private_xvfb
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 -j2
