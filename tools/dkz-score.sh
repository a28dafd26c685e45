#!/usr/bin/env bash
# Runs the command-line scorer under Wine (on Windows, run dkz-score.exe directly).
set -euo pipefail
source "$(dirname "$0")/build.sh"
source "$DKZ_ROOT/tools/wine-env.sh"
trap dkz_stop_wine EXIT
dkz_prepare_prefix
wine "$DKZ_BUILD/windows/dkz-score.exe" "$@"
