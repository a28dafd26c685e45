#!/usr/bin/env bash
# Renders every window and dialog of Stats.dll under Xvfb with realistic
# content and saves the pictures as docs/*.png for the user guide. Wine draws
# the window frames itself (tools/wine-env.sh sets that up), so the pictures
# show captions and close boxes as on Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh
source tools/build.sh
dkz_build_windows >/dev/null
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
export DKZ_SHOTS="$shots"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source tools/build.sh
  source tools/wine-env.sh
  trap dkz_stop_wine EXIT
  dkz_prepare_prefix
  timeout 120 wine "$DKZ_BUILD/windows/dkz-screenshots.exe" "$(winepath -w "$DKZ_SHOTS")"
'
mkdir -p docs
for bmp in "$shots"/*.bmp; do
  name="$(basename "$bmp" .bmp)"
  convert "$bmp" -alpha off -strip "docs/$name.png"
  echo "docs/$name.png"
done
