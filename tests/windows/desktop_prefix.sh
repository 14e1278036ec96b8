# Sourced by the tests that show windows under Wine (desktop.sh, desktop_ip_flow.sh,
# screenshots.sh): every such test runs in a Wine prefix of its own, set up alike here, on
# a virtual X display of its own.
#   run_on_desktop WINE PROGRAM [ARGS...]
# runs PROGRAM under WINE in $WINEPREFIX, made or brought up to date first, on a virtual
# display (xvfb-run), and ends the prefix's wine server before the display goes; the status
# is the program's. PLINTOR_DESKTOP_DPI sets the system's dots per inch (96 unless set: 144
# is Windows' 150%, 192 its 200%); a prefix keeps one, so each DPI wants a prefix of its own.
#
# The setup, so that the windows look as on Windows:
# - Wine's own fonts (package fonts-wine), which Debian's Wine does not find where that
#   package puts them, go into the prefix's font folder: Tahoma stands for the dialog font,
#   and Marlett draws the caption buttons.
# - Tahoma has no Japanese characters (the side texts' bullet "・"): Windows draws those
#   from a font linked to the dialog font, here VL PGothic (package fonts-vlgothic).
# - Wine frames and places the windows itself: no window manager runs on the display to
#   draw title bars, and a window that waits for one to take it back when it is hidden
#   would wait two seconds each time.
# - The dots per inch are the user's "LogPixels" (HKCU\Control Panel\Desktop), which Wine
#   reads as each program starts: no wine server restart is needed, and a program keeps the
#   DPI it started with.

# Raised when the setup changes: a prefix set up by an earlier one is set up again.
desktop_prefix_version=3

set_up_desktop_prefix() {
  local wine=$1 stamp="$WINEPREFIX/plintor-desktop-prefix" dpi=${PLINTOR_DESKTOP_DPI:-96}
  [ "$(cat "$stamp" 2>/dev/null)" = "$desktop_prefix_version $dpi" ] && return 0
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  local value face
  for value in Decorated Managed; do
    "$wine" reg add "HKCU\\Software\\Wine\\X11 Driver" /v "$value" /d N /f >/dev/null 2>&1
  done
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2"; do
    "$wine" reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink" \
      /v "$face" /t REG_MULTI_SZ /d "VL-PGothic-Regular.ttf,VL PGothic" /f >/dev/null 2>&1
  done
  "$wine" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # The registry reaches its files when the server ends by itself (a killed one does not
  # save it); a server still up after two minutes has saved nothing, and the prefix is
  # set up again next time.
  if ! timeout 120 wineserver -w 2>/dev/null; then
    wineserver -k 2>/dev/null
    echo "desktop_prefix: the wine server of $WINEPREFIX did not end; its setup was not saved" >&2
    return 1
  fi
  echo "$desktop_prefix_version $dpi" >"$stamp"
}

desktop_prefix_file=${BASH_SOURCE[0]}

run_on_desktop() {
  # xvfb-run is a POSIX shell script, which passes on no shell functions: the shell on the
  # display reads this file again.
  xvfb-run -a bash -c '
    . "$0"
    set_up_desktop_prefix "$1" || exit 1
    status=0
    "$@" || status=$?
    wineserver -k 2>/dev/null
    exit "$status"' "$desktop_prefix_file" "$@"
}
