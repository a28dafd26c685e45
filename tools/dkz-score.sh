#!/usr/bin/env bash
# Runs the command-line scorer under Wine (on Windows, run dkz-score.exe
# beside Stats.dll directly). Paths are read from the current folder.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
dkz_in_wine 1280x1024x24 wine "$DKZ_BUILD/windows/dkz-score.exe" "$@"
