#!/usr/bin/env bash
# The X server killed under a running game ends it within a second, exit code 1, saying why.
#   usage: lost_display.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init lost-display

for run in 0 1 2 3 4 5 6 7 8 9; do
  start_xvfb || e2e_finish
  start_game "$game" "$workdir"
  wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "run $run: no game window"
  sleep "0.$((run * 13 % 10))"  # a different moment of its ticks and swaps each time
  server=$(pgrep -P "$XVFB_PID" | head -n1) start=${EPOCHREALTIME/./}
  kill -KILL "$server"
  wait_game_exit 60 1
  expect_stderr "courtball: the display went away"
  took=$(ms_to_last_words "$start")
  [ "$took" -le 1000 ] || fail "run $run: the game outlived its display by $took ms"
  stop_xvfb
done
e2e_finish
