#!/usr/bin/env bash
# Builds Stats.dll and the benchmark, and times re-scoring synthetic logs
# through the real DLL under Wine, and the report page's size and writing
# time. Not part of test.sh: it prints figures.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build.sh
source tools/wine-env.sh
dkz_build_windows >/dev/null
dkz_in_wine 1280x1024x24 timeout 900 wine "$DKZ_BUILD/windows/dkz-bench.exe"
# The report page: its size and the time to lay it out, natively.
dkz_build_native native >/dev/null
"$DKZ_BUILD/native/tools/report_bench"
