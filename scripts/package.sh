#!/usr/bin/env bash
# Builds the Debian package of Tunewright into build/ and prints its name.
#
#   ./scripts/package.sh            then: sudo apt install ./build/tunewright_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target tunewright tunewright-cli
(cd build && cpack -G DEB >/dev/null)
ls build/tunewright_*.deb
