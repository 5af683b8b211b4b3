#!/usr/bin/env bash
# Screens without a 1024x768 mode: the court covers them unstretched. Minimized under openbox
# the game neither ticks nor uses the processor; restored, it plays on.
#   usage: screens.sh GAME-TIMED WORKDIR REFERENCE (a 1024x768 golden frame after R)
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2 reference=$3
e2e_init screens

check_screen() {  # SIZE
  local window
  rm -f "$E2E_TMP/ticks"
  start_game "$game" "$workdir" "$E2E_TMP/ticks"
  window=$(wait_for_window "Hit Esc To Exit." 60) || { fail "$1: no game window"; return; }
  wait_for_frame "$E2E_TMP/first.png" "$((${1%x*} - 1))" "$((${1#*x} - 1))"
  expect_window_covers "$window" "$1"
  wait_for_focus "$window"
  xdotool key r
  until_true 60 court_still || fail "$1: the court never came to rest"
  expect_court_shape "$reference" "$E2E_TMP/b.png"
}

start_xvfb 800x600 || e2e_finish
check_screen 800x600
esc_ends_game
stop_xvfb

# The window manager owns the screen before the game starts: one that comes later takes the
# game's window over and sizes it again under the checks.
start_xvfb 1920x1080 || e2e_finish
openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 & wm=$!
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
until_true 60 managed || fail "openbox did not start"
check_screen 1920x1080
window=$(window_named "Hit Esc To Exit.")
xdotool windowminimize "$window"
# Minimized once no tick comes for a second; then two seconds must bring none, and no CPU.
stopped() { local before; before=$(ticks); sleep 1; [ "$(ticks)" = "$before" ]; }
until_true 60 stopped || fail "still ticking while minimized"
cpu=$(cpu_ticks "$(game_process)") held=$(ticks)
sleep 2  # the minimized stretch the game must neither use nor catch up
used=$(($(cpu_ticks "$(game_process)") - cpu))
note "minimized for 2 s: $used clock ticks of CPU, $(($(ticks) - held)) game ticks"
[ "$used" -le 10 ] || fail "minimized, the game used $used clock ticks of CPU in 2 s"
[ "$(ticks)" = "$held" ] || fail "ticks ran while minimized"
xdotool windowactivate "$window"
until_true 60 ticked $((held + 1)) || fail "no ticks after restoring"
wait_for_frame "$E2E_TMP/restored.png" 960 540
esc_ends_game
kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null
e2e_finish
