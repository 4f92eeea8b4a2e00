#!/usr/bin/env bash
# Builds the Debian package of the build folder $1 into a folder of its own and checks it as
# Debian does: lintian finds no error, and the manual pages and completion are in it.
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null 2>&1)
deb=$(ls "$out"/tunewright_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in usr/share/man/man1/tunewright-cli.1.gz usr/share/man/man1/tunewright.1.gz \
            usr/share/bash-completion/completions/tunewright-cli usr/share/doc/tunewright/copyright \
            usr/share/metainfo/org.tunewright.Tunewright.metainfo.xml; do
  grep -q " ./$file\$" <<<"$contents" || { echo "the package lacks $file" >&2; exit 1; }
done
status=0
report=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
if ((status != 0)); then echo "lintian found errors in $(basename "$deb")" >&2; exit 1; fi
echo "$(basename "$deb"): lintian finds no error"
