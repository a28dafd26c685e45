#!/usr/bin/env bash
# Runs dkz-score check under Wine on a generated contest with the files
# entrants really send, opens results.html and entrants' pages from disk in
# headless chromium (installed by `tools/bootstrap.sh browser`), and fails
# when the browser logs a console message or when the pages as the browser
# built them (--dump-dom) disagree with results.csv and received.csv or refer
# to anything outside the results folder (check_results_page.py).
# Needs the Windows build.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/wine-env.sh
out="$DKZ_BUILD/results-page-test"
rm -rf "$out"
mkdir -p "$out"

browser() {  # page, then chromium options; stderr is the browser's log
  local page="$1"
  shift
  timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$out/profile" --enable-logging=stderr --v=0 "$@" "file://$(realpath "$page")"
}
console_lines() {
  grep -E ':CONSOLE[:(]' "$1" || true
}

printf '<!DOCTYPE html><html><body><script>console.error("caught")</script></body></html>' \
  >"$out/control.html"
browser "$out/control.html" --dump-dom >/dev/null 2>"$out/control.log"
if [ -z "$(console_lines "$out/control.log")" ]; then
  echo "results-page-test: the browser's console is not seen in its log; cannot check" >&2
  exit 1
fi

(cd "$out" &&
  dkz_in_wine 1280x1024x24 wine "$DKZ_BUILD/windows/dkz-contest-gen.exe" --out logs \
    --seed 5 --stations 120 --qsos 60 --variants >variants.txt &&
  dkz_in_wine 1280x1024x24 wine "$DKZ_BUILD/windows/dkz-score.exe" check logs --out results \
    >check.txt 2>check.notes)

failed=0
doms=()
pages=("$out/results/results.html")
while IFS=, read -r file call status rest; do
  case "$status" in checked | checklog | not_scored) pages+=("$out/results/${rest##*,}") ;; esac
done < <(tail -n +2 "$out/results/received.csv" | sed 's/\.txt$/.html/' | head -12)
for page in "${pages[@]}"; do
  dom="$out/$(basename "$page").dom.html"
  browser "$page" --dump-dom >"$dom" 2>"$out/$(basename "$page").log"
  console="$(console_lines "$out/$(basename "$page").log")"
  if [ -n "$console" ]; then
    echo "results-page-test: $page: console: $console" >&2
    failed=1
  fi
  [ "$page" = "${pages[0]}" ] || doms+=("$dom")
done
python3 tests/check/check_results_page.py "$out/results" "$out/results.html.dom.html" "${doms[@]}" ||
  failed=1
echo "results-page-test: results.html $(stat -c %s "$out/results/results.html") bytes," \
  "${#doms[@]} entrant pages opened"
exit $failed
