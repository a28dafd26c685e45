#!/usr/bin/env bash
# Checks the decorated export names against what the host's compiler makes of
# the host's own declarations, and that the built DLL exports exactly those
# plus the plain names.
set -euo pipefail
cd "$(dirname "$0")/.."
dll="${1:-build/windows/Stats.dll}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat >"$work/decl.cpp" <<'CPP'
namespace ATL { class COleDateTime; }
typedef const char* T;
typedef ATL::COleDateTime* D;
const char* GetSetName(int);
int GetNumberOfSets();
int StatsGetExchgCount0(T, T, T);
int StatsIsValidExchg0(T, T, T, T, int, int, int);
int ResetStats0(T, int, T, D, D, T, T, T, T, T, T, T, T, T, T, int, int, int, double, double, T, T, T);
int AddData0(T, T, D, D, D, D, unsigned, unsigned, T, T, T, T, T, T, T, T, T, T, T, T, T, T, T,
             int, int, int, double, double, T, T, T, T, T);
int RemoveData0(T, T, D, D, D, D, unsigned, unsigned, T, T, T, T, T, T, T, T, T, T, T, T, T, T, T,
                int, int, int, double, double, T, T, T, T, T);
int CheckCallFunc0(T, unsigned, unsigned, T, T, T, T, T, T, T, T, T, T, T, int, int, int, double,
                   double, T, T, T, T, T, T, T, char*, char*);
const char* GetResult0(int*);
void SetupSet0();
const char* RunCommand0(int, T);
void* all[] = {(void*)GetSetName, (void*)GetNumberOfSets, (void*)StatsGetExchgCount0,
  (void*)StatsIsValidExchg0, (void*)ResetStats0, (void*)AddData0, (void*)RemoveData0,
  (void*)CheckCallFunc0, (void*)GetResult0, (void*)SetupSet0, (void*)RunCommand0};
CPP
clang -target i686-pc-windows-msvc -c "$work/decl.cpp" -o "$work/decl.obj"
llvm-nm "$work/decl.obj" | awk '$1=="U"{print $2}' | sort >"$work/expected"
grep -o '"?[^"]*"' src/plugin/Stats.def | tr -d '"' | sort >"$work/def"
if ! diff -u "$work/expected" "$work/def"; then
  echo "Stats.def's decorated names differ from the host compiler's" >&2
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
