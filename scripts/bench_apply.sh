#!/usr/bin/env bash
# Apply against a full download, over a pseudo-terminal against `tunewright-cli emulate`, with
# each pacing: a receiver changed in 10 settings on 5 pages gets its factory file back, once by
# `download` (every setting and memory) and once by `apply` (the 10 differences, read and
# checked). Prints JSON with the wall times in milliseconds.
#
#   scripts/bench_apply.sh TUNEWRIGHT_CLI
set -euo pipefail
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"

"$cli" upload --emulator -o factory.qcf >/dev/null
# The changes, as the receiver's front panel would make them: each setting's own frame.
changes=(
  "Speaker Level|FL|1.5dB" "Speaker Level|FR|-2.0dB"
  "Volume Trim|CD|2.0dB" "Volume Trim|DVD|-1.5dB"
  "Tone Control|Speaker Bass Gain|3.0dB" "Tone Control|Speaker Treble Gain|-3.0dB"
  "Speaker Set|Center|None" "Speaker Set|Surround|Small"
  "Display Set|Dimmer|-2" "Display Set|Gray Back|Off"
)
frames=()
for change in "${changes[@]}"; do
  IFS='|' read -r page key value <<<"$change"
  sent=$("$cli" set --dry-run "$page" "$key" "$value")
  while read -r frame; do frames+=("$frame"); done <<<"$sent"
done
preset=$(IFS=,; echo "preset=${frames[*]}")

# Milliseconds that COMMAND... takes against a fresh changed receiver.
timed() {
  rm -f ready receiver
  mkfifo ready
  "$cli" emulate --link receiver --emulator-option "$preset" >ready 2>/dev/null &
  local emulator=$!
  exec 3<ready
  read -r _ <&3
  local start end
  start=$(date +%s%N)
  "$cli" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; kill $emulator; exit 1; }
  end=$(date +%s%N)
  kill $emulator; wait $emulator 2>/dev/null || true
  exec 3<&-
  echo $(((end - start) / 1000000))
}

echo "{"
first=1
for pacing in reply mandated; do
  echo "  bench_apply: $pacing pacing ..." >&2
  download=$(timed download --port ./receiver --pacing $pacing factory.qcf)
  apply=$(timed apply factory.qcf --port ./receiver --pacing $pacing)
  ((first)) || echo ","
  first=0
  printf '  "%s": {"download_ms": %s, "apply_ms": %s}' "$pacing" "$download" "$apply"
done
printf ',\n  "differences": %d\n}\n' "${#changes[@]}"
