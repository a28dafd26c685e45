#!/usr/bin/env bash
# The release zip as a Windows user gets it: packed from the given build's
# binaries, unpacked into an empty folder whose name holds blanks, accents,
# Japanese and a ';', and used from there under Wine with nothing else on the
# path. Runs inside the Wine session of the tests.
set -euo pipefail
build="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

zip="$("$root/tools/release/make_zip.py" --binaries "$build" --out "$work" \
  $("$root/tools/release/country_file_args.sh"))"
unpacked="$work/My Folder äöü 日本 ;x"
mkdir "$unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "$zip" "$unpacked"
cd "$unpacked"
"$root/tools/release/check_imports.sh" Stats.dll dkz-score.exe
sed 's/\r$//' SHA256SUMS | sha256sum --quiet -c

failed=0
expect() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1" >&2
    diff <(echo "$2") <(echo "$3") >&2 || true
    failed=1
  fi
}
version="$(cat "$root/VERSION")"
for binary in Stats.dll dkz-score.exe; do
  expect "$binary's FileVersion" "$version.0" \
    "$(strings -el "$binary" | grep -A1 -x FileVersion | tail -1)"
done

# On Windows the country file is the one beside the exe (or --cty): no Linux path is in it.
if grep -aq /usr/share dkz-score.exe; then
  echo "FAILED: dkz-score.exe holds a Linux path" >&2
  failed=1
fi

mkdir samples
cp "$root/samples/ja1vzt.adi" samples/
in_wine() {  # a user's run: Windows' own folders and this one, nothing else; file names in UTF-8
  env -i HOME="$HOME" DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    WINEPREFIX="$WINEPREFIX" WINEARCH="$WINEARCH" WINEDEBUG="$WINEDEBUG" \
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES" \
    wine "$@" </dev/null
}
expect "dkz-score.exe --version" "dkz-score $version
Stats.dll $version.0" "$(in_wine ./dkz-score.exe --version)"
in_wine ./dkz-score.exe score samples/ja1vzt.adi --json run.json >summary.txt
expect "the summary" "$(cat "$root/samples/expected/ja1vzt.adi.txt")" "$(head -n -3 summary.txt)"
expect "the country file used" 'country file: cty.dat beside dkz-score.exe' \
  "$(tail -2 summary.txt | head -1)"
expect "the summary's last line" 'err.txt and Plugins\DKZ.ini are in the current folder' \
  "$(tail -1 summary.txt)"
# The JSON, read strictly, names this folder's Stats.dll and cty.dat.
expect "the JSON" "$version.0 $unpacked/cty.dat" "$(python3 -c '
import json, sys
run = json.loads(open(sys.argv[1], "rb").read().decode("utf-8", "strict"))
print(run["dll_version"], run["country_file"].replace("\\", "/").split(":", 1)[1])' run.json)"
expect "err.txt" "$(cat "$root/samples/expected/ja1vzt.err.txt")" "$(sed 's/\r$//' err.txt)"
[ -f Plugins/DKZ.ini ] || { echo "FAILED: no Plugins\\DKZ.ini" >&2; failed=1; }
[ $failed -eq 0 ] && echo "release zip: unpacked, scored the sample beside the binaries"
exit $failed
