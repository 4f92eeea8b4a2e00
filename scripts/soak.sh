#!/usr/bin/env bash
# The fault soak for SECONDS of wall time (default 600): uploads, downloads and Real Time
# opens with edits against the virtual receiver under random faults, each judged against the
# same run on a clean line. Seeds count up from TW_SOAK_FIRST_SEED (default 1000); a failing
# seed is run again alone with TW_SOAK_SEED=N.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tw_test_soak
TW_SOAK_SECONDS="$seconds" ./build/tests/tw_test_soak --gtest_filter=FaultSoak.LongRun
