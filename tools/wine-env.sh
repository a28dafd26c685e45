# Sourced by the run and test scripts: a private Wine prefix inside the build
# tree, made once, with MS Sans Serif for the dialogs and unmanaged windows
# (without a window manager, managed windows stall Wine for seconds).
# Every wine process of a run must see the same DISPLAY: one started without it
# poisons the wineserver for later GUI runs.
# Run as a script, it runs its arguments as a command in the prepared prefix
# (dkz_in_wine starts it that way under a virtual display).

if [ -z "${DKZ_ROOT:-}" ]; then
  source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
fi

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$DKZ_BUILD/wineprefix"

dkz_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.dkz-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    local fonts
    fonts="$(dpkg -L fonts-wine | grep -m1 '/fonts$')"
    ln -sf "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.dkz-ready"
  fi
  # Start the server and its services detached from our pipes, so that ctest
  # does not wait for them.
  (wineserver -p && wine wineboot) </dev/null >/dev/null 2>&1
}

dkz_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

# Runs a command in the prepared prefix and stops the Wine server after it, on
# the caller's display or, when there is none, on a new virtual screen.
dkz_in_wine() {  # $1: screen as WIDTHxHEIGHTxDEPTH, then the command
  local screen="$1"
  shift
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 $screen" bash "$DKZ_ROOT/tools/wine-env.sh" "$@"
  else
    bash "$DKZ_ROOT/tools/wine-env.sh" "$@"
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  trap dkz_stop_wine EXIT
  dkz_prepare_prefix
  "$@"
fi
