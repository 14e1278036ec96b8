#!/usr/bin/env bash
# Under Wine, in a prefix of its own: "plintor-setup.exe /S" installs the program and its
# configuration file, the Start menu entry and the entry in the system's list of programs;
# the uninstaller, run silently, removes all of them. A new version installed over one in
# a folder of the user's choice goes there, and the uninstaller keeps a file the user put
# in it. The prefix's wine server is ended afterwards.
#   installer.sh WINE SETUP PROGRAM CONFIG VERSION
# Exit status 77 (skipped) when the build made no installer (no makensis).
set -uo pipefail
wine=$1 setup=$2 program=$3 config=$4 version=$5

[ -f "$setup" ] || { echo "skipped: no $setup (the build needs makensis, Debian package nsis)" >&2; exit 77; }

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-installer"
# Wine's menu builder would copy Start menu entries into the desktop menu of the user who
# runs the test: it stays off.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

drive_c=$WINEPREFIX/drive_c
folder='C:\Program Files\Plintor'
installed=$drive_c/Program\ Files/Plintor
shortcut=$drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Plintor.lnk
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plintor'

status=0
fail() {
  echo "windows.installer: $*" >&2
  status=1
}

# The uninstall entry's values, one "NAME TYPE VALUE" line each; nothing when it is absent.
registry_entry() {
  "$wine" reg query "$key" 2>/dev/null | tr -d '\r' | sed -n 's/^ \{4\}\([A-Za-z]*\) \{4\}\(REG_[A-Z]*\) \{4\}\(.*\)$/\1 \2 \3/p'
}

expect_value() {
  local line
  line=$(grep "^$1 " <<<"$entry")
  [ "$line" = "$1 $2" ] || fail "uninstall entry: expected '$1 $2', found '${line:-nothing}'"
}

# A prefix that an earlier, failed run left with the program in it is made anew.
if [ -e "$installed" ] || [ -e "$shortcut" ] || grep -qF 'Uninstall\\Plintor]' "$WINEPREFIX/system.reg" 2>/dev/null; then
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

"$wine" "$setup" /S || fail "the installer ended with status $?"
cmp -s "$installed/plintor.exe" "$program" || fail "plintor.exe is not the program that was built"
cmp -s "$installed/plintor.ini" "$config" || fail "plintor.ini is not resources/plintor.ini"
[ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe"
if [ -f "$shortcut" ]; then
  # The shortcut holds its target's path (ANSI) and its icon's place (UTF-16).
  grep -qaF "$folder\\plintor.exe" "$shortcut" || fail "the Start menu entry does not lead to plintor.exe"
  hex() { od -An -tx1 -v | tr -d ' \n'; }
  hex <"$shortcut" | grep -qF "$(printf '%s' "$folder\\plintor.exe" | iconv -f ASCII -t UTF-16LE | hex)" \
    || fail "the Start menu entry does not take the icon of plintor.exe"
else
  fail "no Start menu entry"
fi
entry=$(registry_entry)
expect_value DisplayName "REG_SZ Plintor"
expect_value DisplayVersion "REG_SZ $version"
expect_value UninstallString "REG_SZ \"$folder\\uninstall.exe\""
expect_value QuietUninstallString "REG_SZ \"$folder\\uninstall.exe\" /S"
expect_value DisplayIcon "REG_SZ $folder\\plintor.exe,0"
expect_value InstallLocation "REG_SZ $folder"
expect_value NoModify "REG_DWORD 0x1"
expect_value NoRepair "REG_DWORD 0x1"

# "_?=" runs the uninstaller where it is, not from a copy in the temporary folder, so that
# it has finished when it returns; it cannot remove itself then, and its folder stays
# with it, as NSIS documents: those two go afterwards, as an upgrade would remove them.
# The uninstaller reads the folder unquoted to the end of its command line, and Wine
# quotes an argument with a blank: the folder goes as one argument per word, which Wine
# joins with single blanks.
read -ra this_folder <<<"_?=$folder"
"$wine" "$installed/uninstall.exe" /S "${this_folder[@]}" || fail "the uninstaller ended with status $?"
left=$(cd "$installed" 2>/dev/null && ls -A)
[ "$left" = uninstall.exe ] || fail "the uninstaller left in its folder: ${left:-nothing, not even itself}"
rm -f "$installed/uninstall.exe"
rmdir "$installed" 2>/dev/null
[ -e "$shortcut" ] && fail "the Start menu entry is still there"
[ -n "$(registry_entry)" ] && fail "the uninstall entry is still there"

# An installation into a folder of the user's choice (with a blank in its name), and a new
# version installed over it without naming the folder: the new one goes where the first
# one is. The uninstaller keeps a file the user put there, and the folder with it.
other='C:\Tools\Plintor Two'
other_unix=$drive_c/Tools/Plintor\ Two
read -ra other_folder <<<"/D=$other"
"$wine" "$setup" /S "${other_folder[@]}" || fail "the installer into another folder ended with status $?"
"$wine" "$setup" /S || fail "the installer over an earlier one ended with status $?"
cmp -s "$other_unix/plintor.exe" "$program" || fail "no plintor.exe in the folder chosen"
[ -e "$installed" ] && fail "the new version went to $folder, not where the earlier one is"
entry=$(registry_entry)
expect_value InstallLocation "REG_SZ $other"
echo notes >"$other_unix/notes.txt"
read -ra other_folder <<<"_?=$other"
"$wine" "$other_unix/uninstall.exe" /S "${other_folder[@]}" || fail "the uninstaller ended with status $?"
left=$(cd "$other_unix" 2>/dev/null && ls -A | tr '\n' ' ')
[ "$left" = "notes.txt uninstall.exe " ] || fail "the uninstaller left in a folder with a user's file: ${left:-nothing}"
rm -rf "$drive_c/Tools"

wineserver -k 2>/dev/null
exit "$status"
