#!/usr/bin/env bash
# The main job: builds Stats.dll and scores a contest log through it with the
# command-line scorer under Wine. Without arguments it scores the bundled
# Japanese sample; otherwise: ./run.sh LOG [dkz-score options].
# err.txt and Plugins\DKZ.ini are left in build/run/ unless --dir says otherwise,
# and the report page of the run in build/run/<log name>.html.
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap.sh
source tools/build.sh
dkz_build_windows >/dev/null
log="${1:-samples/ja1vzt.adi}"
[ $# -gt 0 ] && shift
# Only this script writes into build/run: what a version of it from before
# dkz-score listed the files it made there was made by dkz-score too.
if [ -d build/run ] && [ ! -e build/run/dkz-score.files ]; then
  (cd build/run && for f in err.txt Plugins/DKZ.ini *.cbr *.json; do
    if [ -f "$f" ]; then printf '%s\r\n' "${f//\//\\}"; fi
  done) >build/run/dkz-score.files
fi
page="build/run/$(basename "${log%.*}").html"
exec tools/dkz-score.sh score "$log" --dir build/run --report "$page" "$@"
