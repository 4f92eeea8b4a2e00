#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the desktop program on the
# built-in virtual receiver. Without a display it says so and runs the command-line tool
# against the virtual receiver instead.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
if (($# > 0)); then
  cmake --build --preset default -j "$(nproc)" --target tunewright-cli
  exec build/src/cli/tunewright-cli "$@"
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" != offscreen ]]; then
  echo "No display found: running the command-line tool against the virtual receiver instead." >&2
  cmake --build --preset default -j "$(nproc)" --target tunewright-cli
  exec build/src/cli/tunewright-cli probe --emulator
fi
cmake --build --preset default -j "$(nproc)" --target tunewright
exec build/src/gui/tunewright --demo
