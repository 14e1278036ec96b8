#!/usr/bin/env bash
# Under Wine on a virtual X display: the page tour of the unit tests (Win32Screenshots),
# which takes a picture of every page, dialog and message box in English and German and
# fails on a missing or blank one; with DIR, the pictures are written there as PNG files.
#   screenshots.sh WINE UNIT_TESTS [DIR]
# The tour runs in a Wine prefix of its own, made here once, whose windows Wine frames and
# places itself: no window manager runs on the display to draw title bars, and a window
# that waits for one to take it back when it is hidden would wait two seconds each time.
# The prefix's font folder gets Wine's own fonts (package fonts-wine), which Debian's Wine
# does not find where that package puts them: Tahoma stands for the dialog font, as on
# Windows, and Marlett draws the caption buttons.
# The prefix's wine server is ended before the display goes. Exit status 77 (skipped)
# without xvfb-run.
set -uo pipefail
wine=$1 tests=$2 out=${3:-}

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-screenshots"
xvfb-run -a bash -c '
  wine=$1 tests=$2 out=$3
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    for font in /usr/share/wine/fonts/*.ttf; do
      [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    for value in Decorated Managed; do
      "$wine" reg add "HKCU\\Software\\Wine\\X11 Driver" /v "$value" /d N /f >/dev/null 2>&1
    done
  fi
  [ -z "$out" ] || export PLINTOR_SCREENSHOT_DIR="$(winepath -w "$out")"
  status=0
  "$wine" "$tests" --gtest_brief=1 "--gtest_filter=Win32Screenshots.*" || status=$?
  wineserver -k 2>/dev/null
  exit "$status"' bash "$wine" "$tests" "$out"
