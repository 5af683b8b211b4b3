#!/usr/bin/env bash
# windows.sh -- the Windows build's figures: the sizes of courtball.exe, the zip and the
# installer, and the time from Esc to the game's exit under Wine on Xvfb (no window manager),
# RUNS times (default 5), each and the median. Under load the times say more about the machine.
#   bench/windows.sh BUILD_WINDOWS [RUNS]      (make bench-windows)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd) runs=${2:-5}
. "$root/tests/e2e/lib.sh"
e2e_init bench-windows
export WINEPREFIX=$build/wine
for file in "$build"/bin/courtball.exe "$build"/courtball-*-windows-x64.zip "$build"/courtball-*-setup.exe; do
  awk -v n="${file##*/}" -v b="$(stat -c %s "$file")" 'BEGIN { printf "%s: %.2f MB\n", n, b / 1e6 }'
done
start_xvfb || e2e_finish
times=()
for _ in $(seq "$runs"); do
  WINE_GAME=courtball.exe start_game "$root/tests/windows/wine.sh" "$build/e2e"
  wait_for_window "Hit Esc To Exit." 20 >/dev/null && wait_for_frame "$E2E_TMP/shot.png" 512 700 15
  begun=$(date +%s%N)
  xdotool key Escape
  wait "$GAME_PID"  # at once, not polled; the game's own limit bounds it
  times+=($((($(date +%s%N) - begun) / 1000000)))
  GAME_PID=""
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "Esc to exit under Wine: ${times[*]} ms, median $median ms (target under 300)"
e2e_finish
