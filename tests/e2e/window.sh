#!/usr/bin/env bash
# A 1280x1024 screen with a 1024x768 mode: the game switches to it, covers it from (0, 0), and
# the desktop's mode comes back after Esc and after a missing texture.   usage: window.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init window

expect_mode() { is_mode "$1" || fail "$2: screen is $(screen_mode), expected $1"; }

start_xvfb 1280x1024 || e2e_finish
xrandr --newmode 1024x768 63.5 1024 1072 1176 1328 768 771 775 798 -hsync +vsync &&
  xrandr --addmode screen 1024x768 || fail "cannot add a 1024x768 mode"
start_game "$game" "$workdir"
window=$(wait_for_window "Hit Esc To Exit." 60) || fail "no window named 'Hit Esc To Exit.'"
until_true 60 is_mode 1024x768 || fail "the screen never switched to 1024x768"
wait_for_frame "$E2E_TMP/running.png" 512 384
# The court's clear colour (0.6, 0.4, 0.0) fills the screen around the court.
expect_above "$(colour_share "$E2E_TMP/running.png" 153 102 0)" 0.05 "share of clear colour"
expect_window_covers "$window"
esc_ends_game
expect_mode 1280x1024 "after Esc"

cp -r "$workdir" "$E2E_TMP/data" && rm "$E2E_TMP/data/Ball3.bmp"
start_game "$game" "$E2E_TMP/data"
wait_game_exit 60 1
expect_stderr "Failed to open DIB file Ball3.bmp."
expect_mode 1280x1024 "after a missing texture"
e2e_finish
