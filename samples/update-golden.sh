#!/usr/bin/env bash
# Rewrites samples/expected/ (summaries, error lists and one Cabrillo log)
# from the bundled samples run through the real Stats.dll. Run it only when a
# change of the scoring or the file is meant; then check the differences by
# hand against the contest rules before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != "--inside-xvfb" ]; then
  source tools/build.sh
  dkz_build_windows >/dev/null
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb
  git status --short samples/expected
  exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p samples/expected
run() {  # $1: sample, $2: name of its err.txt golden
  local out="$work/$1"
  tools/dkz-score.sh score "samples/$1" --dir "$out" >"$out.txt"
  # The last three lines name the country file and the temporary folder: not
  # part of the golden.
  head -n -3 "$out.txt" >"samples/expected/$1.txt"
  tr -d '\r' <"$out/err.txt" >"samples/expected/$2"
}
run ja1vzt.adi ja1vzt.err.txt
run dl4mcf.cbr dl4mcf.err.txt
run dl4mcf.adi dl4mcf.err.txt
# The Cabrillo log of a first run: no header stored yet, the dialog confirmed as it opens.
tools/dkz-score.sh score samples/ja1vzt.adi --dir "$work/cabrillo" --cabrillo >/dev/null
cp "$work/cabrillo/JA1VZT.cbr" samples/expected/ja1vzt.adi.cbr
