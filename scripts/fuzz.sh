#!/usr/bin/env bash
# Builds the reply decoder's fuzz target with clang's libFuzzer and runs it for a bounded
# time (first argument, seconds; default 30). Skipped when clang++ is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: decoder fuzzing skipped"
  exit 0
fi

out=build-fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc fuzz/decode_fuzz.cpp src/model/*.cpp -o "$out/decode_fuzz"

# A few well-formed replies to start from (first byte: link mode).
seed() { printf "$2" >"$out/corpus/seed-$1"; }
seed volume '\x01\x02002663\x03'
seed muted '\x01\x02002600\x03'
seed program '\x02\x02002805\x03'
seed dsp '\x02\x14200B0210000E00AXX\x03'
seed geq '\x01\x1420080300020F5A\x03'
seed name '\x02\x1420110110000 PHONO  XX\x03'
seed tuner '\x02\x14200D0500110 87.50XX\x03'
seed ipod '\x01\x14207D00402play informationXX\x03'

if ! "$out/decode_fuzz" -max_total_time="$seconds" -max_len=300 -artifact_prefix="$out/" "$out/corpus" >"$out/decode_fuzz.log" 2>&1; then
  tail -40 "$out/decode_fuzz.log"
  echo "decoder fuzzing found a failure (the input is saved in $out/)"
  exit 1
fi
grep -E '^Done|#[0-9]+.*DONE' "$out/decode_fuzz.log" | tail -1
