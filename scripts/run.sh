#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job.
# For now this is the command-line tool showing the receiver's command table; it becomes
# the desktop program on the built-in virtual receiver once the window exists.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tunewright-cli
if (($# > 0)); then
  exec build/src/cli/tunewright-cli "$@"
fi
exec build/src/cli/tunewright-cli rows
