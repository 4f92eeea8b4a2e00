#!/usr/bin/env bash
# Performance report: builds in Release (its own build folder), runs every benchmark once and
# prints one table (figure, value, target, met?), and writes the same as JSON.
#
#   ./scripts/bench.sh [--no-pty | --table-only] [JSON_FILE]
#
# The pseudo-terminal part runs the desktop program (offscreen) through two full uploads in
# real time against `tunewright-cli emulate` (about 8 minutes), then an apply of 10 settings
# against a full download, with each pacing (about 8 minutes more). --no-pty leaves it out;
# --table-only builds and runs nothing and prints the table of the last run again.
# TW_BENCH_BUILD chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

with_pty=1
run=1
case "${1:-}" in
  --no-pty) with_pty=0; shift ;;
  --table-only) run=0; shift ;;
esac
build=${TW_BENCH_BUILD:-build-bench}
json=${1:-$build/bench-report.json}
raw="$build/bench-raw"

if ((run)); then
./scripts/install-deps.sh
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake --preset bench -B "$build" >/dev/null
fi
targets=(bench_transfer_floor bench_link_receive bench_configuration_file_bench tunewright-cli)
((with_pty)) && targets+=(bench_desktop_upload)
cmake --build "$build" --target "${targets[@]}" >/dev/null

mkdir -p "$raw"
for program in transfer_floor link_receive configuration_file_bench; do
  echo "running $program ..." >&2
  "$build/bench/bench_$program" --benchmark_format=json --benchmark_out="$raw/$program.json" \
    --benchmark_out_format=json >/dev/null
done
if ((with_pty)); then
  echo "running the desktop program over a pseudo-terminal (two full uploads, about 8 minutes) ..." >&2
  started=$(date +%s)
  QT_QPA_PLATFORM=offscreen "$build/bench/bench_desktop_upload" "$build/src/cli/tunewright-cli" both \
    >"$raw/desktop_upload.json"
  echo "  took $(($(date +%s) - started)) s" >&2
  echo "running apply against download over a pseudo-terminal (about 8 minutes) ..." >&2
  ./scripts/bench_apply.sh "$build/src/cli/tunewright-cli" >"$raw/apply.json"
else
  rm -f "$raw/desktop_upload.json" "$raw/apply.json"
fi
fi

python3 scripts/bench_report.py "$raw" "$json"
