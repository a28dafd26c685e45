#!/usr/bin/env bash
# Cross-checks dkz-score's ADIF reader against the independent npm package
# adif-parser-ts on the bundled samples and a few tricky files. Needs the npm
# registry once, to install the package into node_modules here; it is not part
# of ./test.sh for that reason. Usage: tools/adif-crosscheck/run.sh [more .adi files]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../build.sh"
[ -d "$here/node_modules/adif-parser-ts" ] ||
  (cd "$here" && npm install --no-audit --no-fund >/dev/null)
dkz_build_native native >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
for file in "$DKZ_ROOT"/samples/*.adi "$here"/cases/*.adi "$@"; do
  node "$here/read-adif.js" "$file" >"$work/theirs.json"
  "$DKZ_BUILD/native/tools/adif_dump" "$file" >"$work/ours.json"
  if python3 - "$work/theirs.json" "$work/ours.json" "$file" <<'PY'
import json, sys
theirs, ours = (json.load(open(p)) for p in sys.argv[1:3])
if theirs == ours:
    print("same   %4d records, %5d fields: %s" % (len(ours), sum(map(len, ours)), sys.argv[3]))
    sys.exit(0)
print("DIFFER %s: %d records theirs, %d ours" % (sys.argv[3], len(theirs), len(ours)))
for i, (a, b) in enumerate(zip(theirs, ours)):
    if a != b:
        print("  record %d:\n    theirs %s\n    ours   %s" % (i + 1, a, b))
        break
sys.exit(1)
PY
  then :; else failed=1; fi
done
exit $failed
