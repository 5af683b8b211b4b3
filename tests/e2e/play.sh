#!/usr/bin/env bash
# The real game on a 1024x768 screen: the window, the moving court, R, Space and the mouse's
# limits; Alt+R and Alt+Esc are the desktop's; Esc ends the game with code 1.
#   usage: play.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init play
shot() { echo "$E2E_TMP/$1.png"; }

start_xvfb || e2e_finish
start_game "$game" "$workdir"
window=$(wait_for_window "Hit Esc To Exit." 15) || fail "no game window"
expect_window_covers "$window"
wait_for_frame "$(shot a)" 512 700 15
# The court covers most of the window and the scene moves.
moved() { screenshot "$(shot b)" && above "$(region_change "$(shot a)" "$(shot b)" 1024 768 0 0)" 0.005; }
until_true 20 moved || fail "the scene does not move"
expect_below "$(colour_share "$(shot b)" 153 102 0)" 0.5 "share of bare clear colour"

# R stops the orbit at 180 unless Alt+R did; Space hands the paddle to the mouse, whose
# limits put it near (105, 115) and (900, 115).
xdotool mousemove 512 384 key alt+r alt+Escape r space
screenshot "$(shot keys)"
xdotool mousemove 0 0
# The ball may have left the paddle there already (ticks 15-25, 92-99): the checks below then tell.
until_true 10 at_rest "$(shot keys)" "$(shot left)" 60 40 75 95 0.05 || note "paddle already at the top left"
# Past the bottom-right limit, then along the top edge to the top-right one.
xdotool mousemove 1023 767 mousemove 1023 0
wait_for_rest "$(shot left)" "$(shot right)" 60 40 870 95 0.05 20
left=$(region_change "$(shot left)" "$(shot right)" 60 40 75 95)
calm=$(region_change "$(shot left)" "$(shot right)" 60 40 482 700)
note "paddle region change: where it left $left, where nothing moves $calm"
expect_above "$left" 0.05 "change where the paddle left"
expect_below "$calm" 0.02 "change where nothing moves"
alive "$GAME_PID" || fail "game ended during play"

esc_ends_game
e2e_finish
