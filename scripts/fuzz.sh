#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz, with TW_FUZZ=ON) and runs each for
# a bounded time on its corpus. First argument: seconds per target (default 15; five targets,
# so the default keeps the whole fuzz stage within two minutes).
#
# Each target begins with the inputs kept in fuzz/corpus/<name>: its seeds, and every input
# that once made it fail. libFuzzer runs all of them before it fuzzes, so this is their
# regression test as well. New inputs go to build-fuzz/corpus/<target>, never into the repository; a
# failing input is saved as build-fuzz/artifacts/<target>-crash-... (replay it with
# build-fuzz/fuzz/<target> FILE). Skipped when clang++ is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: fuzzing skipped"
  exit 0
fi

out=build-fuzz
# name:max_len (0: libFuzzer's own choice, at least the largest seed); the fuzz build preset
# builds these
targets=(decode_fuzz:300 frame_notation_fuzz:300 profile_fuzz:4096 configuration_fuzz:0 receive_fuzz:4096)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

mkdir -p "$out/artifacts"
failed=0
for entry in "${targets[@]}"; do
  name=${entry%%:*}
  maxLen=${entry##*:}
  corpus="fuzz/corpus/${name%_fuzz}"
  work="$out/corpus/${name%_fuzz}"
  log="$out/$name.log"
  mkdir -p "$work"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$out/artifacts/$name-")
  ((maxLen > 0)) && options+=(-max_len="$maxLen")
  if "$out/fuzz/$name" "${options[@]}" "$work" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -Eo 'cov: [0-9]+' "$log" | tail -1)
    echo "$name: $runs inputs in ${seconds} s, $coverage, corpus $(ls "$work" | wc -l) + $(ls "$corpus" | wc -l) seeds: no failure"
  else
    tail -40 "$log"
    echo "$name found a failure (the input is in $out/artifacts/)"
    failed=1
  fi
done
exit "$failed"
