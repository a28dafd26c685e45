#!/usr/bin/env bash
# Builds everything and runs every test: style, native unit tests (plain and
# under AddressSanitizer/UBSan), and the end-to-end tests of the real Stats.dll
# under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap.sh browser
source tools/build.sh

echo "== style, and the order of the pieces"
tools/check-format.sh
tools/check-layers.py

echo "== native build and unit tests"
dkz_build_native native
ctest --test-dir "$DKZ_BUILD/native" --output-on-failure -j "$JOBS"

echo "== unit tests under AddressSanitizer and UBSan"
dkz_build_native sanitize
ctest --test-dir "$DKZ_BUILD/sanitize" --output-on-failure -j "$JOBS"

echo "== Windows build"
dkz_build_windows
tools/check-exports.sh "$DKZ_BUILD/windows/Stats.dll"

echo "== report pages in a headless browser"
tests/report_page/browser-test.sh
tests/check/results-page-test.sh

echo "== end-to-end tests under Wine"
exec xvfb-run -a -s "-screen 0 1280x1024x24" tools/run-wine-tests.sh
