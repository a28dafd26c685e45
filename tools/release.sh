#!/usr/bin/env bash
# Makes the release a Windows user downloads: dist/dkz-plugin-<VERSION>-win32.zip
# with Stats.dll, dkz-score.exe, the country file, README.txt, LICENSE,
# CHANGELOG.md and SHA256SUMS. Two runs from one commit give the same bytes
# (tools/release/check_reproducible.sh shows it).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/bootstrap.sh
source tools/build.sh
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: uncommitted changes: this zip is not the one the commit makes" >&2
fi
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}"
dkz_build_windows --target Stats dkz-score >/dev/null
tools/release/check_imports.sh "$DKZ_BUILD/windows/Stats.dll" "$DKZ_BUILD/windows/dkz-score.exe"
zip="$(tools/release/make_zip.py --binaries "$DKZ_BUILD/windows" --out dist \
  --epoch "$SOURCE_DATE_EPOCH" $(tools/release/country_file_args.sh))"
echo "$zip: $(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
