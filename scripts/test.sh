#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite twice:
# a normal build, and a build under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)

# A build and its test run, both from CMakePresets.json.
run_suite() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

echo "== normal build =="
run_suite default
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
run_suite asan
echo "== fuzzing: reply decoder, frame notation, profile files, configuration files, receive path (bounded) =="
./scripts/fuzz.sh 15
