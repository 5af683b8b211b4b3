#!/usr/bin/env bash
# The Windows game under Wine: with a 1024x768 mode it switches to it, and every ending puts the
# desktop's mode back with exit code 1: Esc, a missing texture's box clicked, the session's end,
# the window closed, Ctrl+C in courtball-timed's console, the last three also with the box up.
# No display: 2; SDL's dummy driver: its box, no crash.   usage: endings.sh WINE FOLDER
set -u
. "$(dirname "$0")/../e2e/lib.sh"
wine=$1 folder=$2
e2e_init windows
bad=$E2E_TMP/data
expect_mode() { is_mode "$1" || fail "$2: screen is $(screen_mode), expected $1"; }
click_box() { local box; box=$(wait_for_box 60) && xdotool key --window "$box" Return; }
ctrl_c() { kill -INT "$(game_process)"; }

# end_by WHAT EXE DIR ENDER...: EXE in DIR switched to 1024x768, or with its box up (a box
# takes the focus, and SDL minimizes a switched window without it), then ended by ENDER.
end_by() {
  local what=$1 exe=$2 dir=$3
  shift 3
  WINE_GAME=$exe start_game "$wine" "$dir" "$E2E_TMP/ticks"
  if [ "$dir" = "$bad" ]; then
    wait_for_box 60 >/dev/null || fail "$what: no box"
  else
    wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "$what: no game window"
    until_true 60 is_mode 1024x768 || fail "$what: the screen never switched to 1024x768"
    wait_for_frame "$E2E_TMP/frame.png" 512 384 60
  fi
  "$@" >/dev/null
  wait_game_exit 60 1
  expect_mode "$desktop" "after $what"
  ! grep -q "close took over" "$E2E_TMP/game.err" || fail "$what: the close got stuck"
}

desktop=1280x1024
start_xvfb "$desktop" || e2e_finish
xrandr --newmode 1024x768 63.5 1024 1072 1176 1328 768 771 775 798 -hsync +vsync &&
  xrandr --addmode screen 1024x768 || fail "cannot add a 1024x768 mode"
# Not a timing but a deadline: the end waits for nothing, as it once waited 2 s for a window
# manager to take the window back.
end_by Esc courtball.exe "$folder" eval 'begun=$(date +%s%N); xdotool key Escape'
took=$((($(date +%s%N) - begun) / 1000000))
note "Esc to exit: $took ms"
[ "$took" -lt 1500 ] || fail "Esc took $took ms to end the game"

cp -r "$folder" "$bad" && rm "$bad/Ball3.bmp"
end_by "a missing texture" courtball.exe "$bad" click_box
expect_stderr "Failed to open DIB file Ball3.bmp."
for dir in "$folder" "$bad"; do
  end_by "the session's end" courtball.exe "$dir" "$wine" wineboot --end-session
  end_by "the window closed" courtball.exe "$dir" "$wine" taskkill /im courtball.exe
  end_by Ctrl+C courtball-timed.exe "$dir" ctrl_c
done

SDL_VIDEODRIVER=dummy WINE_GAME=courtball.exe start_game "$wine" "$folder"
click_box || fail "no box for the dummy driver"
wait_game_exit 60 1
expect_stderr "Can't Find A Suitable PixelFormat."
stop_xvfb
DISPLAY= WINE_GAME=courtball.exe start_game "$wine" "$folder"
wait_game_exit 60 2
expect_stderr "Window Creation Error."
e2e_finish
