#!/usr/bin/env bash
# Fuzzes the skin reader with clang's libFuzzer (address and undefined-behaviour
# sanitizers on), seeded with the 33 compiled skins. Not part of the test run.
# Usage: tools/fuzz_skin_parser.sh [build dir] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
SECONDS_TO_RUN="${2:-30}"

cmake --build "$BUILD_DIR" --target mirovel_skin_table >/dev/null
out="$BUILD_DIR/fuzz"
mkdir -p "$out/corpus"
cp "$BUILD_DIR"/skin/skins/skin_*.she "$out/corpus/"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
  skin/engine/skin_parser.cpp skin/engine/skin_encoder.cpp tests/skin/skin_parser_fuzz.cpp \
  -o "$out/skin_parser_fuzz"
"$out/skin_parser_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=512 "$out/corpus"
