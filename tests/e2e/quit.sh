#!/usr/bin/env bash
# A display without GL, and a GL driver failing on the server's side: the
# game's own error box, then exit 1 once it is closed.
#   usage: quit.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init quit

# A display with GLX turned off, and a font so the error box can be drawn.
fonts=$(font_path) || e2e_finish
start_xvfb -extension GLX -fp "$fonts" || e2e_finish
start_game "$game" "$workdir"
if box=$(wait_for_box 60); then
  expect_stderr "Can't Find A Suitable PixelFormat."
  alive "$GAME_PID" || fail "game did not wait for the box"
  xdotool key --window "$box" Return
else
  fail "no error box"
fi
wait_game_exit 60 1

# Indirect GL, which Xvfb's GLX refuses: an X error, not Xlib's raw message.
stop_xvfb
start_xvfb -fp "$fonts" || e2e_finish
LIBGL_ALWAYS_INDIRECT=1 start_game "$game" "$workdir"
if box=$(wait_for_box 60); then
  expect_stderr "Can't Create A GL Rendering Context."
  grep -q "^courtball: X error: " "$E2E_TMP/game.err" || fail "no X error after the message"
  xdotool key --window "$box" Return
else
  fail "no error box for a failing GL driver"; cat "$E2E_TMP/game.err" >&2
fi
wait_game_exit 60 1
e2e_finish
