#!/usr/bin/env bash
# Times the host's calls through the real Stats.dll under Wine while a score
# post hangs on a board that never answers (tools/bench/fake_board.py on
# 127.0.0.1), against the same calls without a board, and the unload with the
# post in flight. Not part of test.sh: it prints figures.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build.sh
source tools/wine-env.sh
dkz_build_windows --target dkz-bench >/dev/null
work="$(mktemp -d)"
python3 tools/bench/fake_board.py hang "$work/events" >"$work/url" &
board=$!
trap 'kill $board; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  [ -s "$work/url" ] && break
  sleep 0.1
done
events="Z:${work//\//\\}\\events"
dkz_in_wine 1280x1024x24 timeout 900 wine "$DKZ_BUILD/windows/dkz-bench.exe" \
  --board "$(cat "$work/url")" --board-events "$events"
