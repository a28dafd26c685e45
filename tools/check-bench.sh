#!/usr/bin/env bash
# Times `dkz-score check` under Wine on generated contests of about 1,000 and
# 2,000 logs of about 300 QSOs, and prints the figures: the whole command,
# the best of RUNS runs (default 2; the machine is shared). RESULTS_IN=/dev/shm
# puts the results (and the plug-in's working folder) there instead of the
# build tree, to tell the disk's share from the rest. Not part of test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build.sh
source tools/wine-env.sh
dkz_build_windows --target Stats --target dkz-score --target dkz-contest-gen >/dev/null
bench="$DKZ_BUILD/check-bench"
rm -rf "$bench"
mkdir -p "$bench"
cd "$bench"
out=$(mktemp -d "${RESULTS_IN:-$bench}/dkz-check-bench.XXXXXX")
dkz_in_wine 1280x1024x24 bash -s "${RUNS:-2}" "$DKZ_BUILD/windows" "$out" <<'RUN'
set -euo pipefail
runs=$1 exe=$2 out=$3
wine "$exe/dkz-score.exe" info >/dev/null  # the Wine server up before the clock starts
first=""
for logs in 1000 2000; do
  # 10% of the regular stations send no log and 2% are casual: on the air are more.
  wine "$exe/dkz-contest-gen.exe" --out "w$logs" --stations $(( (logs * 1000 + 881) / 882 )) \
    --qsos 318 >/dev/null
  best=""
  for run in $(seq "$runs"); do
    rm -rf "$out/r$logs"
    start=$(date +%s.%N)
    wine "$exe/dkz-score.exe" check "w$logs" --out "$out/r$logs" >/dev/null
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
    best=$(awk -v t="$took" -v b="${best:-$took}" 'BEGIN { print (t < b ? t : b) }')
  done
  qsos=$(awk -F, 'NR > 1 { n += $2 } END { print n }' "$out/r$logs/results.csv")
  count=$(( $(wc -l <"$out/r$logs/results.csv") - 1 ))
  printf '%d logs, %d QSOs: checked and scored in %.1f s' "$count" "$qsos" "$best"
  if [ -z "$first" ]; then
    first=$best firstCount=$count
    echo
  else
    # The generator's worlds are not exactly 1,000 and 2,000 logs: per log too.
    awk -v b="$best" -v f="$first" -v n="$count" -v m="$firstCount" \
      'BEGIN { printf " (%.2f times the first; %.2f times its time per log)\n", b / f, b / f * m / n }'
  fi
done
RUN
rm -rf "$out"
