#!/usr/bin/env bash
# The real game on a 1024x768 screen: the window, the moving court, R, Space and the mouse's
# limits; Alt+R and Alt+Esc are the desktop's; Esc ends the game with code 1.
#   usage: play.sh GAME-TIMED WORKDIR   (courtball-timed: its tick log paces the checks)
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init play
shot() { echo "$E2E_TMP/$1.png"; }

start_xvfb || e2e_finish
start_game "$game" "$workdir" "$E2E_TMP/ticks"
wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "no game window"
wait_for_frame "$(shot a)" 512 700
# The court covers most of the window and the scene moves.
moved() { screenshot "$(shot b)" && above "$(region_change "$(shot a)" "$(shot b)" 1024 768 0 0)" 0.005; }
until_true 60 moved || fail "the scene does not move"
expect_below "$(colour_share "$(shot b)" 153 102 0)" 0.5 "share of bare clear colour"

# shot_after NAME: a shot once the game has drawn 5 ticks since now: whatever it was sent is in.
shot_after() { wait_ticks $(($(ticks) + 6)) && screenshot "$(shot "$1")"; }
# R stops the orbit at 180 unless Alt+R did; Space hands the paddle to the mouse, whose
# limits put it near (105, 115) and (900, 115); it starts from the middle of the court's
# bottom. The title card has gone by tick 100.
wait_ticks 100
xdotool mousemove 600 300 key alt+r alt+Escape r space mousemove 512 384
shot_after keys
xdotool mousemove 0 0
shot_after left
# Past the bottom-right limit, then along the top edge to the top-right one.
xdotool mousemove 1023 767 mousemove 1023 0
shot_after right
change() { region_change "$(shot "$1")" "$(shot "$2")" 60 40 "$3" "$4"; }  # A B X Y: in 60x40
expect_above "$(change keys left 75 95)" 0.05 "change where the paddle came at the top left"
expect_above "$(change left right 75 95)" 0.05 "change where the paddle left"
expect_above "$(change left right 870 95)" 0.05 "change where the paddle came at the top right"
expect_below "$(change left right 482 700)" 0.02 "change where nothing moves"
alive "$GAME_PID" || fail "game ended during play"

esc_ends_game
e2e_finish
