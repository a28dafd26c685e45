# Sourced: configure and build the trees of CMakePresets.json.
DKZ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DKZ_BUILD="$DKZ_ROOT/build"
JOBS="$(nproc)"

dkz_build_preset() {  # $1: preset (native, sanitize, windows, fuzz), then build arguments
  local preset="$1"; shift
  (cd "$DKZ_ROOT" && cmake --preset "$preset" >/dev/null)
  cmake --build "$DKZ_BUILD/$preset" -j "$JOBS" "$@" -- --no-print-directory
}

dkz_build_native() {  # $1: native or sanitize
  dkz_build_preset "$1"
}

dkz_build_windows() {  # extra arguments go to the build, e.g. --target Stats
  dkz_build_preset windows "$@"
}
