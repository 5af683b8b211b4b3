#!/usr/bin/env bash
# Where the game cannot be seen it must say so and stop, not run unseen.
#   usage: no_display.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init no-display
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER

# No display at all: exit code 2, the game's message first, then why.
start_game "$game" "$workdir"
wait_game_exit 60 2
[ "$(head -n2 "$E2E_TMP/game.err")" = "Failed To Register The Window Class.
courtball: no display: neither DISPLAY nor WAYLAND_DISPLAY is set" ] ||
  { fail "no display: not the game's message, then the cause"; cat "$E2E_TMP/game.err" >&2; }
# A display named that cannot be reached is named in the cause.
DISPLAY=:97 start_game "$game" "$workdir"
wait_game_exit 60 2
expect_stderr "courtball: the display ':97' cannot be reached"

# The offscreen driver, asked for by name, is taken: the game runs unseen until SIGTERM.
SDL_VIDEODRIVER=offscreen start_game "$game" "$workdir"
until_true 2 gone "$GAME_PID" && fail "offscreen game ended on its own"
kill -TERM "$(game_process)" 2>/dev/null
wait_game_exit 60 1
[ -s "$E2E_TMP/game.err" ] && { fail "offscreen game reported"; cat "$E2E_TMP/game.err" >&2; }
e2e_finish
