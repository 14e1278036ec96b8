#!/usr/bin/env bash
# Under Wine: while one run of the Windows program holds the single-instance lock, a
# second start is refused with "This tool is already running." (message 217) and ends
# with status 1; the first run is not disturbed by it.
#   second_instance.sh WINE PROGRAM
set -uo pipefail
wine=$1 program=$2
folder=$(mktemp -d)
first=
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null && wait "$first" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
# Both runs take their lock under a name of this test's own; the first keeps it for a while.
export PLINTOR_LOCK_DIR="$folder"
printf 'answer ok\n' >"$folder/script"

PLINTOR_TEST_HOLD_LOCK_MS=15000 "$wine" "$program" --script "$folder/script" \
  >"$folder/first.out" 2>"$folder/first.err" &
first=$!
# The first run holds the lock once Wine has started it; a few seconds are plenty.
sleep 6
"$wine" "$program" --script "$folder/script" >"$folder/second.out" 2>"$folder/second.err"
status=$?
tr -d '\r' <"$folder/second.out" >"$folder/second.txt"

failed=0
if [ "$status" -ne 1 ]; then
  echo "the second run ended with $status, not 1" >&2
  failed=1
fi
if ! grep -qF 'This tool is already running.' "$folder/second.txt"; then
  echo "the second run did not say that the tool is already running" >&2
  failed=1
fi
if ! kill -0 "$first" 2>/dev/null; then
  echo "the first run had ended before the second was refused" >&2
  failed=1
fi
if [ "$failed" -ne 0 ]; then
  echo "--- second run's transcript:" >&2; cat "$folder/second.txt" >&2
  echo "--- second run's stderr:" >&2; tr -d '\r' <"$folder/second.err" >&2
  echo "--- first run's transcript so far:" >&2; tr -d '\r' <"$folder/first.out" >&2
fi
exit "$failed"
