#!/usr/bin/env bash
# Runs the Windows test programs under Wine; called inside xvfb-run.
set -euo pipefail
source "$(dirname "$0")/build.sh"
source "$DKZ_ROOT/tools/wine-env.sh"
trap dkz_stop_wine EXIT
dkz_prepare_prefix
ctest --test-dir "$DKZ_BUILD/windows" --output-on-failure -j 2 --timeout 300
