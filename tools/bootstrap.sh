#!/usr/bin/env bash
# Installs the build and test toolchain from Debian packages. Idempotent: a fast
# no-op when everything is already there. `tools/bootstrap.sh robot` also
# installs the libraries of the log robot (part of the native build);
# `tools/bootstrap.sh browser` those and the headless browser and its driver
# that the tests of the report page and of the robot need.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 fonts-wine
  xvfb xauth imagemagick
  cmake g++ make libgtest-dev googletest clang clang-format llvm
  hamradio-files python3
)
robot=(libcpp-httplib-dev libsqlite3-dev libexpat1-dev nlohmann-json3-dev)
case "${1:-}" in
  robot) packages+=("${robot[@]}") ;;
  browser) packages+=("${robot[@]}" chromium chromium-driver python3-selenium) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "bootstrap: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
