#!/usr/bin/env bash
# Native Wayland: weston's X11 backend, nested in Xvfb, as the compositor
# (its headless backend has no seat, without which SDL cannot start), its
# window the size of the X screen, drawn by pixman (its GL renderer crashes
# on Mesa's software GL). The game fills the output at the output's own
# shape and Esc ends it with 1; the compositor going away ends it too.
#   usage: wayland.sh GAME WORKDIR
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init wayland
reference="$(dirname "$0")/../golden/keys-00098.png"

start_xvfb 1280x720 || e2e_finish
export XDG_RUNTIME_DIR="$E2E_TMP/run" WAYLAND_DISPLAY="courtball-$$"
mkdir -m 700 "$XDG_RUNTIME_DIR"
timeout -k 5 100 weston --backend=x11-backend.so --width=1280 --height=720 --use-pixman \
  --no-config --socket="$WAYLAND_DISPLAY" >"$E2E_TMP/weston.log" 2>&1 &
weston=$!
until_true 15 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { fail "weston did not start"; e2e_finish; }
SDL_VIDEODRIVER=wayland start_game "$game" "$workdir"
# The output shows the court's clear colour in its far corner once a frame
# is up: the game, not weston's desktop.
corner() { screenshot "$E2E_TMP/shot.png" && [ "$(convert "$E2E_TMP/shot.png" -format \
  '%[fx:int(255*p{1279,719}.r)],%[fx:int(255*p{1279,719}.g)]' info:)" = "153,102" ]; }
until_true 20 corner || fail "no game picture over the whole output"
xdotool key r
settled() { screenshot "$E2E_TMP/a.png" && sleep 0.3 && screenshot "$E2E_TMP/b.png" &&
  [ "$(court_span "$E2E_TMP/a.png")" = "$(court_span "$E2E_TMP/b.png")" ]; }
until_true 10 settled || fail "the court never came to rest"
expect_court_shape "$reference" "$E2E_TMP/b.png"
xdotool key Escape
wait_game_exit 10
expect_status 1

# The compositor going away ends the game within a second, with 1 (SDL's
# own quit and the connection's watch race to it).
SDL_VIDEODRIVER=wayland start_game "$game" "$workdir"
until_true 20 corner || fail "no game picture the second time"
kill -KILL "$(pgrep -P "$weston" | head -n1)"
wait_game_exit 2
expect_status 1
e2e_finish
