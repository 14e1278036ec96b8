#!/usr/bin/env bash
# Under Wine on a virtual X display: the unit tests that create windows (dialogs from
# in-memory templates). They run in a Wine prefix of their own, whose desktop starts with
# the display; the prefix's wine server is ended afterwards.
#   desktop.sh WINE UNIT_TESTS FILTER
# Exit status 77 (skipped) without xvfb-run.
set -uo pipefail
wine=$1 tests=$2 filter=$3

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-desktop"
[ -f "$WINEPREFIX/system.reg" ] || xvfb-run -a wineboot -i >/dev/null 2>&1
status=0
xvfb-run -a "$wine" "$tests" --gtest_brief=1 "--gtest_filter=$filter" || status=$?
wineserver -k 2>/dev/null
exit "$status"
