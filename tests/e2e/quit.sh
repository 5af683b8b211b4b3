#!/usr/bin/env bash
# The other ways the game ends: a display without GL, where it shows its
# error box and ends at the quit, and the desktop closing it (SDL_QUIT).
#   usage: quit.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init quit

# A display with GLX turned off, and a font so the error box can be drawn.
fonts=$(font_path) || e2e_finish
start_xvfb -extension GLX -fp "$fonts" || e2e_finish
start_game "$game" "$workdir"
if box=$(wait_for_box 15); then
  expect_stderr "Can't Find A Suitable PixelFormat."
  alive "$GAME_PID" || fail "game did not wait for the box"
  xdotool key --window "$box" Return
else
  fail "no error box"
fi
wait_game_exit 10
expect_status 1

# The desktop closing the game once it draws: SIGTERM arrives as SDL_QUIT.
stop_xvfb
start_xvfb || e2e_finish
start_game "$game" "$workdir"
wait_for_frame "$E2E_TMP/running.png" 512 384 15
kill -TERM "$(game_process)"
wait_game_exit 10
expect_status 1
[ -s "$E2E_TMP/game.err" ] && { fail "unexpected messages"; cat "$E2E_TMP/game.err" >&2; }
e2e_finish
