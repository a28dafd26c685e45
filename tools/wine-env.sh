# Sourced by the run and test scripts: a private Wine prefix inside the build
# tree, made once, with MS Sans Serif for the dialogs and unmanaged windows
# (without a window manager, managed windows stall Wine for seconds).
# Every wine process of a run must see the same DISPLAY: one started without it
# poisons the wineserver for later GUI runs.

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
