# Sourced: configure and build the native and the cross tree.
DKZ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DKZ_BUILD="$DKZ_ROOT/build"
JOBS="$(nproc)"

dkz_build_native() {  # $1: folder name, then extra cmake arguments
  local dir="$DKZ_BUILD/$1"; shift
  cmake -S "$DKZ_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS" -- --no-print-directory
}

dkz_build_windows() {  # extra arguments go to the build, e.g. --target Stats
  cmake -S "$DKZ_ROOT" -B "$DKZ_BUILD/windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$DKZ_ROOT/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$DKZ_BUILD/windows" -j "$JOBS" "$@" -- --no-print-directory
}
