#!/usr/bin/env bash
# Under Wine on a virtual X display: one IP configuration driven through the Windows front
# end's real windows (unit test Win32IpFlow) against the Linux stand-in printer on
# loopback, which the program finds by its SNMP search moved to 127.0.0.1 and ::1.
#   desktop_ip_flow.sh WINE UNIT_TESTS STAND_IN_PRINTER
# Exit status 77 (skipped) without xvfb-run or the stand-in printer.
set -uo pipefail
wine=$1 tests=$2 printer=$3
. "$(dirname "$0")/desktop_prefix.sh"

command -v xvfb-run >/dev/null || { echo "skipped: no xvfb-run (Debian package xvfb)" >&2; exit 77; }
[ -x "$printer" ] || { echo "skipped: no stand-in printer at $printer (build the Linux tree first)" >&2; exit 77; }

folder=$(mktemp -d)
printerPid=
cleanup() {
  [ -n "$printerPid" ] && kill "$printerPid" 2>/dev/null && wait "$printerPid" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT

"$printer" --bind 127.0.0.1 --pjl-port 0 --snmp-port 0 --mac 0080920000B2 --options MPC \
  --log "$folder/log" --state "$folder/state" --ready-file "$folder/ready" >"$folder/printer.out" 2>&1 &
printerPid=$!
for _ in $(seq 100); do
  [ -s "$folder/ready" ] && break
  sleep 0.1
done
pjl=$(sed -n 's/^pjl-port=//p' "$folder/ready" 2>/dev/null)
snmp=$(sed -n 's/^snmp-port=//p' "$folder/ready" 2>/dev/null)
[ -n "$pjl" ] && [ -n "$snmp" ] || { echo "the stand-in printer did not start:" >&2; cat "$folder/printer.out" >&2; exit 1; }

# A prefix of its own (desktop_prefix.sh): its wine server runs with this display only.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-desktop-flow"
export PLINTOR_PJL_PORT=$pjl PLINTOR_TEST_SNMP_PORT=$snmp
export PLINTOR_TEST_SNMP_BROADCAST=127.0.0.1 PLINTOR_TEST_SNMP_MULTICAST=::1
export PLINTOR_SPOOLER_STATE="$folder/held" PLINTOR_TEST_PRINTER_LOG="$folder/log"
run_on_desktop "$wine" "$tests" --gtest_brief=1 --gtest_filter='Win32IpFlow.*'
