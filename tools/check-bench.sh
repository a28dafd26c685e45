#!/usr/bin/env bash
# Times `dkz-score check` on generated contests of about 1,000 and 10,000
# logs of about 500 QSOs, with both builds: natively (linux-release) and the
# Windows exe with Stats.dll under Wine. Prints per build and size the wall
# time, the peak resident set of the checking process (for the Windows exe,
# the Wine process that runs it), the growth from the first size to the last,
# and whether the check's NIL, busted-call, busted-exchange and unique
# verdicts are exactly the generator's truth. SIZES="1000 2000" for a shorter
# run; the whole takes about 10 minutes. Not part of test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build.sh
source tools/wine-env.sh
dkz_build_preset linux-release --target dkz-score --target dkz-contest-gen >/dev/null
dkz_build_windows --target Stats --target dkz-score >/dev/null
native="$DKZ_BUILD/linux-release/src/dkz-score"
generator="$DKZ_BUILD/linux-release/tools/dkz-contest-gen"
bench="$DKZ_BUILD/check-bench"
rm -rf "$bench"
mkdir -p "$bench"
cd "$bench"

# The verdicts the generator put in, against those findings.csv holds. A
# generated station with a wrong clock can log a QSO just outside the contest
# period, which the check rightly judges not at all: such are counted apart.
agreement() {  # $1: logs folder, $2: truth CSV, $3: results folder
  local period
  period=$(head -1 "$3/rejected.txt" | sed -E 's/^Contest period: ([0-9-]+) to ([0-9-]+).*/\1 \2/')
  awk -F, -v logs="$1" -v period="$period" '
    FNR == 1 { next }
    FILENAME == ARGV[3] { file[$2] = $1; next }
    $3 ~ /^(nil|busted_call|busted_exchange|unique)$/ {
      key = $1 "," $2 "," $3
      if (FILENAME == ARGV[1]) truth[key] = 1; else found[key] = 1
    }
    END {
      split(period, days, " ")
      for (k in truth) {
        n++
        if (k in found) continue
        split(k, part, ",")
        line = ""
        for (i = 0; i < part[2] && (getline line < (logs "/" file[part[1]])) > 0; ) i++
        close(logs "/" file[part[1]])
        split(line, word, " ")
        if (word[4] < days[1] || word[4] > days[2]) outside++; else missing++
      }
      for (k in found) if (!(k in truth)) extra++
      printf "%d verdicts of the truth: %d missing, %d on QSOs outside the period; %d not in the truth", n, missing, outside, extra
    }' "$2" "$3/findings.csv" "$3/received.csv"
}

# Runs one check and prints its figures; $1: label, then the command.
measure() {
  local label="$1"; shift
  local start took peak
  start=$(date +%s.%N)
  /usr/bin/time -f %M -o time.txt "$@" >/dev/null 2>check-notes.txt
  took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
  peak=$(( $(tail -1 time.txt) / 1024 ))
  echo "$took" >"took-$label"
  printf '%-8s %s: %6.1f s, peak resident set %5d MB\n' "$label" "$logs logs" "$took" "$peak"
}

first=""
for logs in ${SIZES:-1000 10000}; do
  # 10% of the regular stations send no log and 2% are casual: on the air are more.
  "$generator" --out "w$logs" --stations $(( (logs * 1000 + 881) / 882 )) --qsos 530 >/dev/null
  qsos=$(cat w$logs/* | grep -c '^QSO:')
  echo "== $(ls "w$logs" | wc -l) logs, $qsos QSO lines, $(du -sm "w$logs" | cut -f1) MB"
  measure "native-$logs" "$native" check "w$logs" --out "n$logs"
  echo "   native:  $(agreement "w$logs" "w$logs-truth.csv" "n$logs")"
  dkz_in_wine 1280x1024x24 bash -c 'wine "$1" info >/dev/null 2>&1' _ "$DKZ_BUILD/windows/dkz-score.exe"
  dkz_in_wine 1280x1024x24 bash -c "logs=$logs; $(declare -f measure); measure windows-$logs wine \"$DKZ_BUILD/windows/dkz-score.exe\" check w$logs --out v$logs"
  echo "   windows: $(agreement "w$logs" "w$logs-truth.csv" "v$logs")"
  if diff -rq "n$logs" "v$logs" >/dev/null; then
    echo "   both builds wrote the same $(ls "n$logs" | wc -l) result files"
  else
    echo "   the builds' results differ: diff -r $bench/n$logs $bench/v$logs"
  fi
  [ -z "$first" ] && first=$logs
  last=$logs
done
if [ "$first" != "$last" ]; then
  for build in native windows; do
    awk -v a="$(cat "took-$build-$first")" -v b="$(cat "took-$build-$last")" -v f="$first" -v l="$last" -v n="$build" \
      'BEGIN { printf "%-8s growth from %d to %d logs: %.1f times the time\n", n, f, l, b / a }'
  done
fi
