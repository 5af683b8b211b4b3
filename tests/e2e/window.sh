#!/usr/bin/env bash
# The game under a private Xvfb: its window, the court colour on screen, and
# Esc ending it with exit code 1.   usage: window.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init window

start_xvfb || e2e_finish
start_game "$game" "$workdir"
window=$(wait_for_window "Hit Esc To Exit." 15) || fail "no window named 'Hit Esc To Exit.'"
sleep 1
wait_for_frame "$E2E_TMP/running.png" 512 384 15
kill -0 "$GAME_PID" 2>/dev/null || fail "game ended on its own"

# The court's clear colour (0.6, 0.4, 0.0) fills the screen around the court.
expect_colour_share "$E2E_TMP/running.png" 153 102 0 0.05
# The window covers the whole 1024x768 screen from (0, 0).
if [ -n "${window:-}" ]; then
  geometry=$(xdotool getwindowgeometry "$window")
  echo "$geometry" | grep -q "Position: 0,0" || fail "window not at 0,0: $geometry"
  echo "$geometry" | grep -q "Geometry: 1024x768" || fail "window not 1024x768: $geometry"
fi

# Keys other than Esc go to the game and must not end it.
press_key space; press_key r; xdotool mousemove 100 100; press_key r; press_key space
sleep 0.3
kill -0 "$GAME_PID" 2>/dev/null || fail "game ended on Space/R/mouse"

press_key Escape
wait_game_exit 10
expect_status 1
e2e_finish
