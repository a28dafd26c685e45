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
source tools/wine-env.sh
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
# A screen of its own, of the size the pictures are laid out for.
DISPLAY="" dkz_in_wine 1024x768x24 bash -c 'timeout 120 wine "$1" "$(winepath -w "$2")"' _ \
  "$DKZ_BUILD/windows/dkz-screenshots.exe" "$shots"
mkdir -p docs
for bmp in "$shots"/*.bmp; do
  name="$(basename "$bmp" .bmp)"
  convert "$bmp" -alpha off -strip "docs/$name.png"
  echo "docs/$name.png"
done
