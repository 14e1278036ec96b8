#!/usr/bin/env bash
# Under Wine on a virtual X display: the page tour of the unit tests (Win32Screenshots),
# which takes a picture of every page, dialog and message box in English and German and
# fails on a missing or blank one or on a text its control cuts; with DIR, the pictures are
# written there as PNG files. With DPI (dots per inch, 96 unless given), the system draws at
# that many, in a prefix of that DPI's own; --english tours the English pages only.
#   screenshots.sh WINE UNIT_TESTS [DIR] [--dpi DPI] [--english]
# The tour runs in a Wine prefix of its own (desktop_prefix.sh). Exit status 77 (skipped)
# without xvfb-run.
set -uo pipefail
wine=$1 tests=$2
shift 2
out= dpi=96
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi) dpi=$2; shift 2 ;;
    --english) export PLINTOR_TOUR_LANGUAGES=en; shift ;;
    *) out=$1; shift ;;
  esac
done
. "$(dirname "$0")/desktop_prefix.sh"

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-screenshots" PLINTOR_DESKTOP_DPI=$dpi
[ "$dpi" = 96 ] || WINEPREFIX+="-$dpi"
# Wine's drive Z: is the root of the file system.
[ -z "$out" ] || export PLINTOR_SCREENSHOT_DIR="Z:${out//\//\\}"
run_on_desktop "$wine" "$tests" --gtest_brief=1 "--gtest_filter=Win32Screenshots.*"
