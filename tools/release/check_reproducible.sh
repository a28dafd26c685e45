#!/usr/bin/env bash
# Shows that the release is reproducible: the committed HEAD is cloned twice
# into fresh folders at different paths, each clone runs tools/release.sh, and
# the two zips must be the same bytes. Takes minutes (two builds), so it is not
# part of ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
commit="$(git -C "$root" rev-parse HEAD)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for run in first second-at-another-path; do
  started=$SECONDS
  git clone -q --no-checkout "$root" "$work/$run"
  git -C "$work/$run" checkout -q "$commit"
  "$work/$run/tools/release.sh" | tail -1
  echo "$run: $((SECONDS - started)) s"
done
sums="$(cd "$work" && sha256sum */dist/*.zip)"
echo "$sums"
if [ "$(cut -d' ' -f1 <<<"$sums" | sort -u | wc -l)" -ne 1 ]; then
  echo "the two zips of $commit differ" >&2
  exit 1
fi
echo "reproducible: both clean builds of $commit give the same zip"
