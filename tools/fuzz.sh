#!/usr/bin/env bash
# Builds the fuzz targets of tools/fuzz with clang, libFuzzer, ASan and UBSan,
# and runs each for SECONDS from its seed corpus (new inputs go to the build
# folder, never into the repository). Exits non-zero when any target finds an
# input that crashes it, trips a sanitizer or a promise, or takes too long;
# the input is left in build/fuzz/findings/<target>/.
# Usage: tools/fuzz.sh SECONDS [TARGET...]
#   (targets: adif cabrillo country date_time scoring submission validation)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(adif cabrillo country date_time scoring submission validation)
source tools/build.sh
dir="$DKZ_BUILD/fuzz"

dkz_build_preset fuzz --target "${targets[@]/#/fuzz_}" >/dev/null

status=0
for target in "${targets[@]}"; do
  work="$dir/corpus/$target"
  findings="$dir/findings/$target"
  log="$dir/$target.log"
  mkdir -p "$work" "$findings"
  args=(-max_total_time="$seconds" -timeout=10 -artifact_prefix="$findings/" -print_final_stats=1)
  [ -f "tools/fuzz/dict/$target.dict" ] && args+=(-dict="tools/fuzz/dict/$target.dict")
  echo "== $target: $seconds s"
  if "$dir/tools/fuzz/fuzz_$target" "${args[@]}" "$work" "tools/fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || tail -n 3 "$log"
  else
    status=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|broken promise|Test unit written)' "$log" || tail -n 20 "$log"
    echo "FINDING in $target: the input is in $findings/, the whole log in $log"
  fi
done
exit $status
