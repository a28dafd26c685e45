#!/usr/bin/env bash
# dkz-score check under Wine against results and logs folders that would make
# it lose or reach files outside RESULTS, and against calls that make bad file
# names or spreadsheet formulas. Runs inside the Wine session of the tests:
# hostile_folders.sh BUILD [EXE] (EXE: another dkz-score.exe to try instead).
set -uo pipefail
build="$1"
exe="$(realpath "${2:-$build/dkz-score.exe}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}
check() {  # arguments of check; its output in out.txt and err.txt; prints the exit code
  wine "$exe" check "$@" >out.txt 2>err.txt </dev/null
  echo $?
}
log() {  # FILE CALL WORKED...: a Cabrillo log with one QSO a minute with each WORKED call
  local file="$1" call="$2" minute=0
  shift 2
  {
    printf 'START-OF-LOG: 3.0\r\nCONTEST: DKZ\r\nCALLSIGN: %s\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n' \
      "$call"
    for worked in "$@"; do
      printf 'QSO:  7012 CW 2026-06-13 12%02d %-13s 599 %-6s %-13s 599 %s\r\n' "$minute" "$call" \
        "$([[ $call == J* ]] && echo AC || echo 12)" "$worked" \
        "$([[ $worked == J* ]] && echo AC || echo 12)"
      minute=$((minute + 1))
    done
    printf 'END-OF-LOG:\r\n'
  } >"$file"
}
listing() {  # every path under a folder, with what each holds
  (cd "$1" && find . -exec sh -c 'printf "%s " "$1"; [ -f "$1" ] && cksum <"$1" || echo' _ {} \; |
    sort)
}

mkdir base
log base/JA1AAA.cbr JA1AAA W1BBB
log base/W1BBB.cbr W1BBB JA1AAA
if [ "$(check base --out R)" != 0 ]; then
  echo "FAILED: a first check of two logs: $(cat err.txt)" >&2
  exit 1
fi

# Logs inside the results folder: never cleared away.
mkdir R/work
cp base/*.cbr R/work/
code="$(check R/work --out R)"
[ "$code" != 0 ] || fail "logs in RESULTS/work were taken"
[ "$(ls R/work | wc -l)" = 2 ] || fail "the logs in RESULTS/work were removed"
echo "logs inside RESULTS: exit $code: $(tail -1 err.txt)"
rm -rf R/work

# Links left in an earlier results folder: removed or refused, never followed.
mkdir precious precious3
echo keep >precious/keep.txt
echo keep2 >precious2.txt
echo keep3 >precious3/keep.txt
ln -s ../precious R/work
code="$(check base --out R)"
[ "$(cat precious/keep.txt 2>/dev/null)" = keep ] || fail "RESULTS/work -> ../precious emptied it"
echo "RESULTS/work a link to a folder: exit $code: $(tail -1 err.txt)"
rm R/work
rm -f R/JA1AAA.txt
ln -s ../precious2.txt R/JA1AAA.txt
code="$(check base --out R)"
[ "$(cat precious2.txt 2>/dev/null)" = keep2 ] || fail "RESULTS/JA1AAA.txt -> ../precious2.txt was written or removed"
[ "$code" = 0 ] && [ -f R/JA1AAA.txt ] && [ ! -L R/JA1AAA.txt ] ||
  fail "the report did not replace the link: exit $code $(cat err.txt)"
echo "RESULTS/JA1AAA.txt a link to a file: exit $code, the link replaced by the report"
rm -f R/W1BBB.txt
ln -s ../precious3 R/W1BBB.txt
code="$(check base --out R)"
[ "$(cat precious3/keep.txt 2>/dev/null)" = keep3 ] || fail "RESULTS/W1BBB.txt -> ../precious3 emptied it"
echo "RESULTS/W1BBB.txt a link to a folder: exit $code: $(tail -1 err.txt)"
rm -f R/W1BBB.txt

# Results folders that are or lie in the logs' folder, however they are spelled.
mkdir L L/sub Ä
cp base/*.cbr L/
cp base/*.cbr Ä/
ln -s L/sub into-logs
ln -s L logs-link
windows="$(winepath -w "$work/L")"
before="$(listing L)"
while IFS='|' read -r what logs results; do
  code="$(check "$logs" --out "$results")"
  [ "$code" != 0 ] || fail "$what: the results went into the logs' folder"
  echo "$what: exit $code: $(tail -1 err.txt)"
done <<LIST
a device path|L|\\\\.\\$windows\\res
a long path|L|\\\\?\\$windows\\res
a long path with slashes|L|//?/${windows//\\//}/res
a link into the logs' folder|L|into-logs
the logs' folder through a link|logs-link|L/res
another case of a letter outside ASCII|Ä|ä/res
LIST
[ "$before" = "$(listing L)" ] || fail "the logs' folder changed"
[ -z "$(ls Ä)" ] || [ "$(ls Ä | wc -l)" = 2 ] || fail "the folder Ä changed"

# Calls that name devices, are no callsigns (no digit, letters outside
# ASCII), are too long, or are spreadsheet formulas.
mkdir calls
calls=(COM1 LPT1 COM9 LPT9)
refused=(CON PRN AUX NUL 'CONIN$' CON.X JAäX JAÄX)
for call in "${calls[@]}" "${refused[@]}"; do
  log "calls/x-$call.cbr" "$call" W1BBB
done
log calls/long.cbr "JA$(printf 'X%.0s' {1..298})" W1BBB
log calls/W1BBB.cbr W1BBB JA1AAA '=HYPERLINK("http://x","y")'
code="$(check calls --out C)"
[ "$code" = 0 ] || fail "calls: exit $code: $(cat err.txt)"
reports="$(grep -v ',rejected,' C/received.csv | tail -n +2 | awk -F, '{print $NF}')"
[ "$(echo "$reports" | sort -u | wc -l)" = $((${#calls[@]} + 1)) ] ||
  fail "calls: $(echo "$reports" | sort -u | wc -l) reports named for $((${#calls[@]} + 1)) entrants"
for report in $reports; do
  [ -f "C/$report" ] && [ -s "C/$report" ] || fail "calls: the report $report is missing"
done
for call in "${refused[@]}"; do
  grep -F "x-$call.cbr," C/received.csv | grep -q ',rejected,.*is not a callsign' ||
    fail "calls: $call was not refused"
done
grep -q '^long.cbr,.*own call has 300 characters' C/received.csv || fail "calls: the long call"
grep -q "'=HYPERLINK" C/findings.csv || fail "calls: the formula is not neutralised"
grep -qE '(^|,)"?=' C/*.csv && fail "calls: a cell begins with ="
echo "calls: exit $code, $(echo "$reports" | wc -l) reports: $(echo $reports)"
exit $failed
