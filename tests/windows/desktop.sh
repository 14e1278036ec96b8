#!/usr/bin/env bash
# Under Wine on a virtual X display: the unit tests that create windows (dialogs from
# in-memory templates), in a Wine prefix of their own (desktop_prefix.sh).
#   desktop.sh WINE UNIT_TESTS FILTER
# Exit status 77 (skipped) without xvfb-run.
set -uo pipefail
wine=$1 tests=$2 filter=$3
. "$(dirname "$0")/desktop_prefix.sh"

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-desktop"
run_on_desktop "$wine" "$tests" --gtest_brief=1 "--gtest_filter=$filter"
