#!/usr/bin/env bash
# Runs the Windows test programs under Wine (on a virtual screen of their own
# when started without a display).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
dkz_in_wine 1280x1024x24 ctest --test-dir "$DKZ_BUILD/windows" --output-on-failure -j 2 --timeout 300
