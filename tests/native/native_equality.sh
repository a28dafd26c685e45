#!/usr/bin/env bash
# The native dkz-score against the Windows one replaying through Stats.dll:
# every bundled sample, with and without a Cabrillo log and header options,
# and the check of a generated contest, run by both; the summaries, JSON,
# report pages, err.txt, settings, Cabrillo files and every file of the
# check's results must be the same bytes once what names the system (full
# paths, "\" for "/") is set aside. Runs inside the Wine session of the tests:
# native_equality.sh WINDOWS_BUILD NATIVE_BUILD SOURCE_DIR
set -uo pipefail
windows="$(realpath "$1")"
native="$(realpath "$2")"
source_dir="$(realpath "$3")"
exe="$windows/dkz-score.exe"
tool="$native/src/dkz-score"
generator="$native/tools/dkz-contest-gen"
for needed in "$exe" "$tool" "$generator" "$windows/cty.dat"; do
  if [ ! -x "$needed" ] && [ ! -f "$needed" ]; then
    echo "native_equality: $needed is missing (build the native preset first)" >&2
    exit 1
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$windows/cty.dat" cty.dat
mkdir logs
cp "$source_dir"/samples/*.adi "$source_dir"/samples/*.cbr "$source_dir"/samples/real/*.ad[ix] \
  "$source_dir"/samples/real/*.log logs/

failed=0
cabrillos=0
runs=""
files=0
bytes=0
# What names the system: the full paths of the two folders and the country
# file, and the plug-in's settings file with its separator.
normal() {  # FILE: its text with the system's names set aside
  sed -e 's/"country_file": "[^"]*"/"country_file": ""/' \
    -e 's#Plugins\\DKZ\.ini#Plugins/DKZ.ini#g' "$1"
}
same() {  # LABEL WINDOWS_FILE NATIVE_FILE [normal]
  local label="$1" a="$2" b="$3"
  if [ ! -f "$a" ] || [ ! -f "$b" ]; then
    if [ -f "$a" ] || [ -f "$b" ]; then
      echo "DIFFERENT $label: only one of $a and $b is there" >&2
      failed=1
    fi
    return
  fi
  files=$((files + 1))
  bytes=$((bytes + $(stat -c %s "$a")))
  if [ "${4:-}" = normal ]; then
    cmp -s <(normal "$a") <(normal "$b") && return
  else
    cmp -s "$a" "$b" && return
  fi
  echo "DIFFERENT $label (< Windows, > native):" >&2
  diff <(normal "$a") <(normal "$b") | head -20 >&2
  [ "${4:-}" = normal ] || cmp "$a" "$b" >&2
  failed=1
}
score_both() {  # NAME, then the score command's arguments
  local name="$1"
  shift
  mkdir -p "win/$name" "nat/$name"
  wine "$exe" score "$@" --cty cty.dat --dir "win/$name" --json "win/$name/outcome.json" \
    --report "win/$name/page.html" >"win/$name.out" 2>"win/$name.notes" </dev/null
  echo "exit $?" >>"win/$name.out"
  "$tool" score "$@" --cty cty.dat --dir "nat/$name" --json "nat/$name/outcome.json" \
    --report "nat/$name/page.html" >"nat/$name.out" 2>"nat/$name.notes" </dev/null
  echo "exit $?" >>"nat/$name.out"
  sed -i "s#win/$name#DIR#g" "win/$name.out" "win/$name.notes"
  sed -i "s#nat/$name#DIR#g" "nat/$name.out" "nat/$name.notes"
  for part in out notes; do
    same "$name.$part" "win/$name.$part" "nat/$name.$part" normal
  done
  for file in outcome.json page.html; do
    same "$name/$file" "win/$name/$file" "nat/$name/$file" normal
  done
  for file in err.txt Plugins/DKZ.ini; do
    same "$name/$file" "win/$name/$file" "nat/$name/$file"
  done
  same "$name/dkz-score.files" "win/$name/dkz-score.files" "nat/$name/dkz-score.files" normal
  if ! cmp -s <(ls "win/$name") <(ls "nat/$name"); then
    echo "DIFFERENT $name: the working folders hold other names" >&2
    diff <(ls "win/$name") <(ls "nat/$name") >&2
    failed=1
  fi
  for cabrillo in "win/$name"/*.cbr; do
    [ -f "$cabrillo" ] || continue
    same "$name/${cabrillo##*/}" "$cabrillo" "nat/$name/${cabrillo##*/}"
    cabrillos=$((cabrillos + 1))
  done
  runs="$runs $(tail -1 "win/$name.out" | cut -d' ' -f2)"
}

start=$SECONDS
for log in logs/*; do
  name="${log##*/}"
  score_both "$name" "$log"
  score_both "$name-cabrillo" "$log" --cabrillo
done
score_both header logs/dl4mcf.adi --cabrillo --category-band 40m --category-operator multi-op \
  --category-transmitter two --name "A. Operator" --club "Club" --operators "DL4MCF DL1ABC" \
  --soapbox "first line" --soapbox "second line"
echo "samples: exit codes$runs; $cabrillos Cabrillo files; $((SECONDS - start)) s"

start=$SECONDS
"$generator" --out contest --seed 11 --stations 250 --qsos 40 --variants >/dev/null
wine "$exe" check contest --out win-results --cty cty.dat >win-check.out 2>win-check.notes \
  </dev/null
echo "exit $?" >>win-check.out
"$tool" check contest --out nat-results --cty cty.dat >nat-check.out 2>nat-check.notes </dev/null
echo "exit $?" >>nat-check.out
sed -i 's#win-results#RESULTS#g' win-check.out win-check.notes
sed -i 's#nat-results#RESULTS#g' nat-check.out nat-check.notes
same check.out win-check.out nat-check.out normal
same check.notes win-check.notes nat-check.notes normal
listed() { (cd "$1" && find . | LC_ALL=C sort); }
if ! cmp -s <(listed win-results) <(listed nat-results); then
  echo "DIFFERENT: the results folders hold other names (< Windows, > native):" >&2
  diff <(listed win-results) <(listed nat-results) | head -20 >&2
  failed=1
fi
results=0
while IFS= read -r file; do
  same "results/$file" "win-results/$file" "nat-results/$file"
  results=$((results + 1))
done < <(cd win-results && find . -type f | LC_ALL=C sort)
echo "check of $(ls contest | wc -l) files: $results results compared, $((SECONDS - start)) s"

echo "native_equality: $files files of $bytes bytes compared"
if [ "$failed" -ne 0 ]; then
  echo "native_equality: the native dkz-score differs from the Windows one" >&2
  exit 1
fi
