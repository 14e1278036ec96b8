#!/usr/bin/env bash
# Under Wine on a virtual X display: the page tour of the unit tests (Win32Screenshots),
# which takes a picture of every page, dialog and message box in English and German and
# fails on a missing or blank one or on a text its control cuts; with DIR, the pictures are
# written there as PNG files.
#   screenshots.sh WINE UNIT_TESTS [DIR]
# The tour runs in a Wine prefix of its own (desktop_prefix.sh). Exit status 77 (skipped)
# without xvfb-run.
set -uo pipefail
wine=$1 tests=$2 out=${3:-}
. "$(dirname "$0")/desktop_prefix.sh"

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-screenshots"
# Wine's drive Z: is the root of the file system.
[ -z "$out" ] || export PLINTOR_SCREENSHOT_DIR="Z:${out//\//\\}"
run_on_desktop "$wine" "$tests" --gtest_brief=1 "--gtest_filter=Win32Screenshots.*"
