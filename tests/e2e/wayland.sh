#!/usr/bin/env bash
# Native Wayland under weston's X11 backend (headless has no seat) with pixman: the game fills
# the output at its own shape, Esc ends it with 1, and so does the compositor going away.
#   usage: wayland.sh GAME-TIMED WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init wayland

start_xvfb 1280x720 || e2e_finish
export XDG_RUNTIME_DIR="$E2E_TMP/run" WAYLAND_DISPLAY="courtball-$$"
mkdir -m 700 "$XDG_RUNTIME_DIR"
timeout -k 5 100 weston --backend=x11-backend.so --width=1280 --height=720 --use-pixman \
  --no-config --socket="$WAYLAND_DISPLAY" >"$E2E_TMP/weston.log" 2>&1 & weston=$!
until_true 60 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { fail "weston did not start"; e2e_finish; }
SDL_VIDEODRIVER=wayland start_game "$game" "$workdir" "$E2E_TMP/ticks"
# The court's clear colour in the far corner: the game is up, not weston's desktop.
corner() { screenshot "$E2E_TMP/shot.png" && [ "$(convert "$E2E_TMP/shot.png" -format \
  '%[fx:int(255*p{1279,719}.r)],%[fx:int(255*p{1279,719}.g)]' info:)" = "153,102" ]; }
until_true 60 corner || fail "no game picture over the whole output"
xdotool key r
until_true 60 court_still || fail "the court never came to rest"
expect_court_shape "$(dirname "$0")/../golden/keys-00098.png" "$E2E_TMP/b.png"
esc_ends_game

# The compositor going away ends the game within a second, with 1.
SDL_VIDEODRIVER=wayland start_game "$game" "$workdir"
until_true 60 corner || fail "no game picture the second time"
compositor=$(pgrep -P "$weston" | head -n1) start=${EPOCHREALTIME/./}
kill -KILL "$compositor"
wait_game_exit 60 1
expect_stderr "courtball: the display went away"
took=$(ms_to_last_words "$start")
[ "$took" -le 1000 ] || fail "the game outlived the compositor by $took ms"
e2e_finish
