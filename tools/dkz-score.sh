#!/usr/bin/env bash
# Runs the command-line scorer under Wine (on Windows, run dkz-score.exe
# beside Stats.dll directly). Paths are read from the current folder.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  # Every Wine process of a prefix must see the same display: give it one.
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "$0")/build.sh"
source "$DKZ_ROOT/tools/wine-env.sh"
trap dkz_stop_wine EXIT
dkz_prepare_prefix
wine "$DKZ_BUILD/windows/dkz-score.exe" "$@"
