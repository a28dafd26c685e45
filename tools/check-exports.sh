#!/usr/bin/env bash
# Checks the decorated export names of Stats.def against what the host's
# compiler makes of the exports' declarations, and that the built DLL exports
# exactly those plus the plain names (the one check of the export table; the
# end-to-end tests only call through it).
set -euo pipefail
cd "$(dirname "$0")/.."
dll="${1:-build/windows/Stats.dll}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The plug-in's one declaration of each export, compiled with the host's names
# (the part of each decorated name before "@@") and the host's date class.
{
  echo 'namespace ATL { class COleDateTime; }'
  echo '#define DKZ_EXPORT'
  echo '#define DKZ_DATE_TIME ATL::COleDateTime*'
  sed -n 's/^ *"?\([A-Za-z0-9_]*\)@@[^"]*" = \([A-Za-z0-9_]*\)$/#define \2 \1/p' src/plugin/Stats.def
  echo '#include "plugin/exports.h"'
  echo 'void* all[] = {'
  sed -n 's/^ *"?[^"]*" = \([A-Za-z0-9_]*\)$/  (void*)\1,/p' src/plugin/Stats.def
  echo '};'
} >"$work/decl.cpp"
clang -target i686-pc-windows-msvc -I src -c "$work/decl.cpp" -o "$work/decl.obj"
llvm-nm "$work/decl.obj" | awk '$1=="U"{print $2}' | sort >"$work/expected"
grep -o '"?[^"]*"' src/plugin/Stats.def | tr -d '"' | sort >"$work/def"
if ! diff -u "$work/expected" "$work/def"; then
  echo "Stats.def's decorated names differ from what the host's compiler makes of exports.h" >&2
  exit 1
fi

i686-w64-mingw32-objdump -p "$dll" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -F $'\t[' | awk '{print $NF}' | sort >"$work/dll"
{ cat "$work/expected"; grep -E '^  [A-Za-z]' src/plugin/Stats.def | awk '{print $1}'; } |
  sort >"$work/want"
if ! diff -u "$work/want" "$work/dll"; then
  echo "$dll does not export exactly the expected names" >&2
  exit 1
fi
echo "exports: $(wc -l <"$work/dll") names, as the host declares them"
