#!/usr/bin/env bash
# The packages under Wine: the zip unpacked into a folder named with a space and non-ASCII
# letters, its game started from another folder; the installer silent, the game started from
# its Start-menu entry; the uninstaller leaving no file, shortcut or registry entry.
#   usage: packages.sh WINE ZIP SETUP
set -u
. "$(dirname "$0")/../e2e/lib.sh"
wine=$1 zip=$2 setup=$3
e2e_init packages
folder="$E2E_TMP/Jeux d'été 球"
drive="$WINEPREFIX/drive_c" installed='C:\Program Files\courtball'
entry="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/courtball.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\courtball'
removed() { [ ! -e "$drive/Program Files/courtball" ] && [ ! -e "$entry" ]; }

start_xvfb || e2e_finish
mkdir -p "$folder" && unzip -q "$zip" -d "$folder" || fail "cannot unpack $zip"
exe=$(find "$folder" -name courtball.exe)
# Wine draws unaware programs in real pixels too: only the manifest can tell.
grep -q '>PerMonitorV2, PerMonitor<' "$exe" || fail "courtball.exe declares no per-monitor DPI awareness"
start_game "$wine" / "$exe"
wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "no game window from the zip"
wait_for_frame "$E2E_TMP/zip.png" 512 700 60
esc_ends_game

"$wine" "$setup" /S || fail "the installer failed"
[ -f "$entry" ] || fail "no Start-menu entry"
# Through the shell, as a click on the entry: the game is no child of ours, and its exit
# code is the shell's (the zip's game above gave its own).
SDL_AUDIODRIVER=dummy "$wine" start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\courtball.lnk'
wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "no game window from the Start menu"
wait_for_frame "$E2E_TMP/installed.png" 512 700 60
xdotool key Escape
until_true 60 eval '! window_named "Hit Esc To Exit." >/dev/null' || fail "Esc left the game running"
"$wine" reg query "$key" >/dev/null || fail "no Add/Remove Programs entry"
"$wine" "$installed\\uninstall.exe" /S
until_true 60 removed || fail "left after uninstalling: $(ls "$drive/Program Files/courtball" "$entry" 2>&1)"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the Add/Remove Programs entry is left"
e2e_finish
