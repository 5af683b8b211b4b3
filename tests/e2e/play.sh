#!/usr/bin/env bash
# The real game plays under a private Xvfb: after two seconds the screen shows
# the court, not the clear colour alone, and it moves; with the camera stopped
# (R) and the near paddle handed to the mouse (Space), moving the mouse moves
# the paddle on screen; Esc ends the game with exit code 1.
#   usage: play.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init play

# Mean absolute difference (0..1) of two screenshots over a WxH box at X,Y.
region_change() {
  local a=$1 b=$2 geometry="$3x$4+$5+$6"
  convert "$a" "$b" -crop "$geometry" +repage -compose difference -composite \
    -colorspace Gray -format '%[fx:mean]' info:
}

expect_more() {  # VALUE LEAST WHAT
  awk -v v="$1" -v l="$2" 'BEGIN { exit !(v + 0 > l + 0) }' || fail "$3: $1, expected more than $2"
}
expect_less() {  # VALUE MOST WHAT
  awk -v v="$1" -v m="$2" 'BEGIN { exit !(v + 0 < m + 0) }' || fail "$3: $1, expected less than $2"
}

start_xvfb || e2e_finish
start_game "$game" "$workdir"
wait_for_window "Hit Esc To Exit." 15 >/dev/null || fail "no game window"
sleep 2
wait_for_frame "$E2E_TMP/a.png" 512 700 15
sleep 0.5
screenshot "$E2E_TMP/b.png"
# The court covers most of the screen and the scene moves between shots.
expect_less "$(colour_share "$E2E_TMP/b.png" 153 102 0)" 0.5 "share of bare clear colour"
expect_more "$(region_change "$E2E_TMP/a.png" "$E2E_TMP/b.png" 1024 768 0 0)" 0.005 "change in 0.5 s"

# R stops the orbit behind the near paddle; Space hands that paddle to the
# mouse. At the mouse's top-left limit the paddle stands at (-330, 348, 415),
# on screen about (112, 137); at its bottom-right limit (315, 88, 415), about
# (848, 432).
xdotool mousemove 512 384
press_key r
press_key space
xdotool mousemove 0 0
sleep 0.6
screenshot "$E2E_TMP/top-left.png"
xdotool mousemove 700 300
sleep 0.6
screenshot "$E2E_TMP/bottom-right.png"
left=$(region_change "$E2E_TMP/top-left.png" "$E2E_TMP/bottom-right.png" 60 40 82 117)
right=$(region_change "$E2E_TMP/top-left.png" "$E2E_TMP/bottom-right.png" 60 40 818 412)
calm=$(region_change "$E2E_TMP/top-left.png" "$E2E_TMP/bottom-right.png" 60 40 482 700)
note "paddle region change: left $left, right $right, elsewhere $calm"
expect_more "$left" 0.05 "change where the paddle left"
expect_more "$right" 0.05 "change where the paddle arrived"
expect_less "$calm" 0.02 "change where no paddle was"
kill -0 "$GAME_PID" 2>/dev/null || fail "game ended during play"

press_key Escape
wait_game_exit 10
expect_status 1
e2e_finish
