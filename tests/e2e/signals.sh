#!/usr/bin/env bash
# On Xorg's dummy driver the game switches to 1024x768; HUP, QUIT, TERM, INT, and TERM with
# the error box up, each end it with 1 and the desktop's mode back.   usage: signals.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init signals

# end_by SIGNAL WHAT: the running game, in 1024x768, ends.
end_by() {
  until_true 60 is_mode 1024x768 || { fail "$2: the screen never switched to 1024x768"; return; }
  kill -"$1" "$(game_process)"
  wait_game_exit 60 1
  is_mode 1920x1080 || fail "$2: screen left at $(screen_mode)"
}

[ "$(id -u)" = 0 ] || { note "skipped: Xorg needs root"; e2e_finish; }
start_xorg || e2e_finish
for signal in HUP QUIT TERM INT; do
  start_game "$game" "$workdir"
  wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "$signal: no game window"
  end_by "$signal" "SIG$signal"
done

cp -r "$workdir" "$E2E_TMP/data" && rm "$E2E_TMP/data/Ball3.bmp"
start_game "$game" "$E2E_TMP/data"
wait_for_box 60 >/dev/null || fail "no error box"
end_by TERM "SIGTERM with the error box up"
expect_stderr "Failed to open DIB file Ball3.bmp."
e2e_finish
