#!/usr/bin/env bash
# Opens the report pages of both bundled samples from disk in headless
# chromium (installed by `tools/bootstrap.sh browser`) and fails when the
# browser logs a console message or when the page it built (--dump-dom)
# disagrees with the summary dkz-score printed (check_page.py). A page with a
# console error proves first that such messages are caught.
# With --screenshot PNG it also renders the Japanese sample's page into PNG.
# Needs the Windows build (dkz-score runs under Wine).
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/build.sh
out="$DKZ_BUILD/report-test"
rm -rf "$out"
mkdir -p "$out"

browser() {  # URL-less file, then chromium options; stderr is the browser's log
  local page="$1"
  shift
  timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$out/profile" --enable-logging=stderr --v=0 "$@" "file://$(realpath "$page")"
}

# Console lines, whatever their level: a self-contained page without script has none.
console_lines() {
  grep -E ':CONSOLE[:(]' "$1" || true
}

printf '<!DOCTYPE html><html><body><script>console.error("caught")</script></body></html>' \
  >"$out/control.html"
browser "$out/control.html" --dump-dom >/dev/null 2>"$out/control.log"
if [ -z "$(console_lines "$out/control.log")" ]; then
  echo "browser-test: the browser's console is not seen in its log; cannot check" >&2
  exit 1
fi

failed=0
for sample in ja1vzt.adi dl4mcf.adi; do
  name="${sample%.adi}"
  page="$out/$name.html"
  tools/dkz-score.sh score "samples/$sample" --dir "$out/$name" --report "$page" >"$out/$name.txt" \
    2>"$out/$name.notes"
  browser "$page" --dump-dom >"$out/$name.dom.html" 2>"$out/$name.log"
  console="$(console_lines "$out/$name.log")"
  if [ -n "$console" ]; then
    echo "browser-test: $page: console: $console" >&2
    failed=1
  fi
  python3 tests/report_page/check_page.py "$out/$name.dom.html" "$out/$name.txt" || failed=1
  echo "browser-test: $page: $(stat -c %s "$page") bytes, $(grep -c '<tr>' "$out/$name.dom.html") table rows"
done

if [ "${1:-}" = --screenshot ]; then
  browser "$out/ja1vzt.html" --window-size=1000,2450 --screenshot="$(realpath -m "$2")" \
    2>"$out/screenshot.log" >/dev/null
  echo "browser-test: screenshot in $2"
fi
exit $failed
