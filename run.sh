#!/usr/bin/env bash
# The main job: builds Stats.dll and asks it, through the command-line scorer
# under Wine, what it offers.
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap.sh
source tools/build.sh
dkz_build_windows >/dev/null
exec xvfb-run -a -s "-screen 0 1280x1024x24" tools/dkz-score.sh info "$@"
