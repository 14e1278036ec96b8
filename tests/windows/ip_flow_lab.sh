#!/usr/bin/env bash
# Under Wine, in the network lab: the Windows program, started as "/mode:network /ip",
# finds two Linux stand-in printers by its own SNMP broadcast and multicast through Wine's
# Winsock, and configures the one listed second with a static IPv4 and a manual IPv6
# address. The job that reaches it is checked byte for byte: it is the job the Linux
# program sends in the same run (tests/lab/IpFlowLab_test.cpp), and the printer applied it.
# Then the same walk with /filemode: the job goes to plintor.prn beside plintor.exe
# instead (UTF-16LE, as on Linux), and the printer is only asked for its setup state.
#   ip_flow_lab.sh WINE PROGRAM LAB_SCRIPT STAND_IN_PRINTER
# Exit status 77 (skipped) without root, ip netns or the stand-in printer.
set -uo pipefail
wine=$1 program=$2 lab=$3 printer=$4

[ "$(id -u)" -eq 0 ] || { echo "skipped: the lab needs root" >&2; exit 77; }
ip netns list >/dev/null 2>&1 || { echo "skipped: ip netns is not available" >&2; exit 77; }
[ -x "$printer" ] || { echo "skipped: no stand-in printer at $printer (build the Linux tree first)" >&2; exit 77; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# The program beside its configuration, as an installed copy runs.
cp "$program" "$folder/plintor.exe"
cp "$(dirname "$program")/plintor.ini" "$folder/plintor.ini"

# Printer 1 is listed second: its MAC sorts after printer 2's.
for k in 1 2; do
  mac=0080920000B2
  [ "$k" -eq 2 ] && mac=0080920000A1
  echo "--mac $mac --options MPC --log $folder/p$k.log --state $folder/p$k.state"
done >"$folder/printers"

cat >"$folder/walk" <<'WALK'
expect page 14
expect visible 1
click 2
wait page 4 60
dump
select 1048 1
click 2
expect page 6
select 1090 0
select 1018 1
type 1020 198.18.1.50
type 1022 255.255.255.0
type 1024 198.18.1.1
check 1027
expect enabled 1029
type 1029 2001:1:1:1000:123:4567:89ab:cdef
type 1031 64
type 1033 2001:1:1:1000::1
click 2
expect page 9
expect hidden 1099
click 2
expect page 10
expect text 2 Finish
click 2
WALK

# File mode asks first whether to save the job instead of sending it.
{ echo "answer yes"; cat "$folder/walk"; } >"$folder/walk-file"

# Wine's sockets are made by the wine server of the prefix, in the server's network
# namespace: the program reaches the lab only through a server started inside it. So the
# lab runs have a prefix of their own (made on first use), whose server starts with the
# first run in the workstation namespace and is ended before the lab goes.
labPrefix="${WINEPREFIX:-$HOME/.wine}-lab"

# Runs in the lab's workstation namespace; the queue record is the test's own.
cat >"$folder/run" <<RUN
#!/usr/bin/env bash
cd "$folder"
export LC_ALL=en_US.UTF-8 PLINTOR_SPOOLER_STATE="$folder/held" WINEPREFIX="$labPrefix"
[ -f "$labPrefix/system.reg" ] || wineboot -i >/dev/null 2>&1
timeout 150 "$wine" ./plintor.exe --script walk /mode:network /ip >transcript 2>stderr
echo \$? >status
for k in 1 2; do cp p\$k.log p\$k.network.log; cp p\$k.state p\$k.network.state; done
timeout 150 "$wine" ./plintor.exe --script walk-file /mode:network /ip /filemode >transcript-file 2>stderr-file
echo \$? >status-file
wineserver -k 2>/dev/null
RUN
chmod +x "$folder/run"
PLINTOR_PRINTER="$printer" "$lab" run --printers 2 --wait-tcp 9100 --printer-lines "$folder/printers" \
  -- "$folder/run" || { echo "the lab could not run" >&2; exit 1; }
tr -d '\r' <"$folder/transcript" >"$folder/transcript.txt"
tr -d '\r' <"$folder/transcript-file" >"$folder/transcript-file.txt"

failed=0
fail() { echo "$*" >&2; failed=1; }
[ "$(cat "$folder/status")" = 0 ] || fail "the program ended with $(cat "$folder/status")"
grep -qF '1048 list enabled visible "" columns ["MAC Address" "IP Address"] rows [["00:80:92:00:00:A1" "198.18.1.11 / ' \
  "$folder/transcript.txt" || fail "the list does not show printer 2 first, with its IPv4 address"
grep -qF '["00:80:92:00:00:B2" "198.18.1.10 / ' "$folder/transcript.txt" \
  || fail "the list does not show printer 1"
grep -qzF $'page 6 CIPSettingDlg\npage 9 CConfirmConfigDlg\npage 10 CCompleteDlg\nend cancel\n' \
  "$folder/transcript.txt" || fail "the walk did not end on the completion page"

uel=$'\e%-12345X'
expected="${uel}@PJL INFO IWAOPTIONS"$'\r\n'"${uel}${uel}@PJL INFO IWASETUP"$'\r\n'"${uel}${uel}"
for line in 'VSSTACKMODE=DUAL' 'IPMODE=MANUAL' 'IPADDRESS=C6120132' 'SNMADDRESS=FFFFFF00' \
            'GTWADDRESS=C6120101' 'VSMANUAL=ON' \
            'VSIPADDRESS="2001:0001:0001:1000:0123:4567:89AB:CDEF/64"' \
            'VSGTWADDRESS="2001:0001:0001:1000:0000:0000:0000:0001"'; do
  expected+="@PJL IWASETTCPIP ${line}"$'\r\n'
done
expected+="@PJL REBOOT"$'\r\n'"${uel}"
printf '%s' "$expected" >"$folder/expected"
cmp -s "$folder/expected" "$folder/p1.network.log" || {
  fail "printer 1 did not receive the job byte for byte:"
  od -c "$folder/p1.network.log" | head -40 >&2
}
printf '%s' "${uel}@PJL INFO IWAOPTIONS"$'\r\n'"${uel}" >"$folder/expected2"
cmp -s "$folder/expected2" "$folder/p2.network.log" || fail "printer 2 was sent more than the options question"
for line in TCPIP.IPADDRESS=C6120132 TCPIP.VSSTACKMODE=DUAL RESTARTS=1 JOBS=3; do
  grep -qx "$line" "$folder/p1.network.state" || fail "printer 1 does not hold $line"
done
grep -qx RESTARTS=0 "$folder/p2.network.state" || fail "printer 2 was restarted"

# The file mode run: the framed job, each byte followed by a zero byte, beside the program.
[ "$(cat "$folder/status-file")" = 0 ] || fail "the file mode run ended with $(cat "$folder/status-file")"
grep -qF 'message "PJL" "@PJL IWASETTCPIP VSSTACKMODE=DUAL\r\n' "$folder/transcript-file.txt" \
  || fail "the file mode run did not show the job"
grep -qF '\\plintor.prn" -> ok' "$folder/transcript-file.txt" \
  || fail "the file mode run did not say where it saved the job"
job=${expected#"${uel}@PJL INFO IWAOPTIONS"$'\r\n'"${uel}${uel}@PJL INFO IWASETUP"$'\r\n'"${uel}"}
printf '%s' "$job" | iconv -f ASCII -t UTF-16LE >"$folder/expected.prn"
cmp -s "$folder/expected.prn" "$folder/plintor.prn" || fail "plintor.prn is not the job in UTF-16LE"
questions="${uel}@PJL INFO IWAOPTIONS"$'\r\n'"${uel}${uel}@PJL INFO IWASETUP"$'\r\n'"${uel}"
printf '%s' "$questions" >"$folder/expected.file.log"
tail -c +"$(($(stat -c %s "$folder/p1.network.log") + 1))" "$folder/p1.log" >"$folder/p1.file.log"
cmp -s "$folder/expected.file.log" "$folder/p1.file.log" || fail "the file mode run sent printer 1 more than its questions"
grep -qx RESTARTS=1 "$folder/p1.state" || fail "the file mode run restarted printer 1"

if [ "$failed" -ne 0 ]; then
  echo "--- transcript:" >&2; cat "$folder/transcript.txt" >&2
  echo "--- stderr:" >&2; tr -d '\r' <"$folder/stderr" >&2
  echo "--- file mode transcript:" >&2; cat "$folder/transcript-file.txt" >&2
  echo "--- file mode stderr:" >&2; tr -d '\r' <"$folder/stderr-file" >&2
fi
exit "$failed"
