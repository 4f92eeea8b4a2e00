#!/usr/bin/env bash
# The soaks for SECONDS of wall time (default 600), against the virtual receiver under random
# faults, each run judged against the same run on a clean line:
#   scripts/soak.sh [SECONDS]             uploads, downloads and Real Time opens with edits
#   scripts/soak.sh [SECONDS] realtime    Real Time: many random edits on every page and the
#                                         Basic Control group per run, over virtual hours
# Seeds count up from TW_SOAK_FIRST_SEED (default 1000); a failing seed is run again alone
# with TW_SOAK_SEED=N.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
mode=${2:-transfer}
case "$mode" in
  transfer) test=FaultSoak.LongRun ;;
  realtime) test=RealTimeSoak.LongRun ;;
  *) echo "usage: scripts/soak.sh [SECONDS] [transfer|realtime]" >&2; exit 2 ;;
esac
cmake --preset default >/dev/null
cmake --build --preset default --target tw_test_soak
TW_SOAK_SECONDS="$seconds" ./build/tests/tw_test_soak --gtest_filter="$test"
