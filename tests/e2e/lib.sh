# lib.sh -- shared end-to-end steps: private X servers, the game, screenshots, waits with deadlines.
E2E_FAILED=0 XVFB_PID="" GAME_PID="" E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() { echo "FAIL: $*" >&2; E2E_FAILED=1; }
note() { echo "-- $*"; }

# until_true S CMD...: runs CMD every 0.2 s until it succeeds; false after S seconds.
until_true() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do [ "$SECONDS" -lt "$deadline" ] || return 1; sleep 0.2; done
}

alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! alive "$1"; }

e2e_init() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/courtball-$1.XXXXXX")
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
}

e2e_cleanup() {
  [ -n "$GAME_PID" ] && alive "$GAME_PID" && kill -KILL $(game_process) "$GAME_PID" 2>/dev/null
  stop_xvfb
  [ "$E2E_FAILED" = 0 ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_TMP" || echo "(files kept in $E2E_TMP)" >&2
}

# start_xvfb [SIZE] [ARGS...]: a private Xvfb (default 1024x768). Its built-in fonts cannot
# draw SDL's message box, so an error box fails at once instead of waiting for a click.
start_xvfb() {
  local size=1024x768 fonts=(-fp built-ins)
  case "${1:-}" in [0-9]*x[0-9]*) size=$1; shift ;; esac
  case " $* " in *" -fp "*) fonts=() ;; esac
  start_server "Xvfb $size" Xvfb -screen 0 "${size}x24" -nolisten tcp -noreset "${fonts[@]}" "$@"
}

# start_server WHAT SERVER ARGS...: an X server that picks its own display (-displayfd).
start_server() {
  local what=$1 numfile="$E2E_TMP/display"
  shift
  : > "$numfile"
  timeout -k 5 "${E2E_XVFB_LIMIT:-600}" "$@" -displayfd 9 9>"$numfile" >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  if until_true 60 grep -q '^[0-9]' "$numfile"; then
    export DISPLAY=":$(head -n1 "$numfile" | tr -dc 0-9)"
    note "$what on $DISPLAY"
    return 0
  fi
  fail "$what did not start"; cat "$E2E_TMP/xvfb.log" >&2
  return 1
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ] && alive "$XVFB_PID"; then
    local server
    server=$(pgrep -P "$XVFB_PID" | head -n1)
    kill -TERM "$XVFB_PID" 2>/dev/null
    until_true 2 gone "$XVFB_PID" || kill -KILL $server "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  XVFB_PID=""
}

screen_mode() { xrandr | sed -n 's/.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }  # e.g. 1280x1024
is_mode() { [ "$(screen_mode)" = "$1" ]; }

# start_game BIN DIR [ARGS]: BIN in DIR, output in $E2E_TMP/game.{out,err}, silent sound.
start_game() {
  local bin dir=$2
  bin=$(readlink -f "$1")
  shift 2
  [ -x "$bin" ] || { fail "no game binary at $bin"; return 1; }
  [ -d "$dir" ] || { fail "no working directory $dir"; return 1; }
  (cd "$dir" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
    exec timeout -s KILL "${E2E_GAME_LIMIT:-300}" "$bin" "$@") \
    >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err" &
  GAME_PID=$!
}

game_process() { pgrep -P "$GAME_PID" | head -n1; }

window_named() {  # the id of the first window named exactly $1
  xdotool search --name "^$(printf '%s' "$1" | sed 's/[.[\*^$]/\\&/g')\$" 2>/dev/null | head -n1 | grep .
}
wait_for_window() { until_true "$2" window_named "$1"; }

# xwininfo, not xdotool: xdotool cannot match the box's UTF-8 name.
error_box() { xwininfo -root -tree 2>/dev/null | awk '$2 == "\"Error\":" { print $1; f = 1; exit } END { exit !f }'; }
wait_for_box() { until_true "$1" error_box; }

# One scalable font, listed by hand, with which Xvfb can draw SDL's message box.
font_path() {
  local dir="$E2E_TMP/fonts" font
  font=$(find /usr/share/fonts -name DejaVuSans.ttf 2>/dev/null | head -n1)
  [ -n "$font" ] || { fail "DejaVuSans.ttf not found (fonts-dejavu-core)"; return 1; }
  mkdir -p "$dir"
  ln -sf "$font" "$dir/DejaVuSans.ttf"
  printf '%s\n' 2 "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso8859-1" \
    "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso10646-1" > "$dir/fonts.dir"
  echo "$dir,built-ins"
}

screenshot() { xwd -root -silent > "$E2E_TMP/screen.xwd" && convert "xwd:$E2E_TMP/screen.xwd" "$1"; }

# The share of the screen (0..1) within about 1% of the colour R G B.
colour_share() {
  local colour="rgb($2,$3,$4)"
  convert "$1" -fuzz 1% -fill black +opaque "$colour" -fill white -opaque "$colour" \
    -colorspace Gray -format '%[fx:mean]' info:
}

# Mean absolute difference (0..1) of two screenshots over a WxH box at X,Y.
region_change() {
  convert "$1" "$2" -crop "$3x$4+$5+$6" +repage -compose difference -composite \
    -colorspace Gray -format '%[fx:mean]' info:
}

above() { awk -v v="$1" -v l="$2" 'BEGIN { exit !(v + 0 > l + 0) }'; }
expect_above() { above "$1" "$2" || fail "$3: $1, expected more than $2"; }  # VALUE LEAST WHAT
expect_below() { above "$2" "$1" || fail "$3: $1, expected less than $2"; }  # VALUE MOST WHAT

# wait_for_frame FILE X Y [S]: screenshots until the pixel at X Y is not black (60 s at most).
frame_shown() { screenshot "$1" && above "$(convert "$1" -format "%[fx:p{$2,$3}.intensity]" info:)" 0; }
wait_for_frame() { until_true "${4:-60}" frame_shown "$@" || fail "nothing drawn at ($2, $3)"; }

# The tick log of courtball-timed, $E2E_TMP/ticks: a line as each tick starts, so once N ticks
# are logged the frame of tick N - 1 is on the screen, however slowly the game runs.
ticks() { { wc -l <"$E2E_TMP/ticks"; } 2>/dev/null || echo 0; }
ticked() { [ "$(ticks)" -ge "$1" ]; }
wait_ticks() { until_true 60 ticked "$1" || fail "the game did not reach tick $1 in 60 s"; }

# wait_game_exit S [CODE]: the game's exit status in GAME_STATUS, expected to be CODE if given.
wait_game_exit() {
  until_true "$1" gone "$GAME_PID" ||
    { fail "game still running after $1 s"; kill -KILL $(game_process) "$GAME_PID" 2>/dev/null; }
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
  [ -z "${2:-}" ] || [ "$GAME_STATUS" = "$2" ] || fail "exit code $GAME_STATUS, expected $2"
}

# ms_to_last_words START: ms from START (EPOCHREALTIME, its dot dropped) to the game's last write
# on stderr: what the game does, unlike the reaping of a big process on a loaded machine.
ms_to_last_words() {
  local at
  at=$(stat -c %.6Y "$E2E_TMP/game.err") && echo $(((${at/./} - $1) / 1000))
}

expect_stderr() {  # line by line, without the "\r" Windows ends each with
  tr -d '\r' <"$E2E_TMP/game.err" | grep -qxF "$1" ||
    { fail "stderr lacks '$1'"; sed 's/^/  stderr: /' "$E2E_TMP/game.err" >&2; }
}

esc_ends_game() { xdotool key Escape; wait_game_exit 60 1; }

e2e_finish() { [ "$E2E_FAILED" = 0 ] && echo PASS; exit "$E2E_FAILED"; }

# Window $1 comes to cover $2 (WxH, default 1024x768) from (0, 0): a window manager takes time.
covers() {
  GEOMETRY=$(xdotool getwindowgeometry "$1" 2>&1) && grep -q "Position: 0,0" <<<"$GEOMETRY" &&
    grep -q "Geometry: ${2:-1024x768}\$" <<<"$GEOMETRY"
}
expect_window_covers() {
  until_true 60 covers "$@" || fail "window does not cover the ${2:-1024x768} screen: $GEOMETRY"
}
# Keys go to the window with the focus: $1's once the game or the window manager gives it.
# With no window manager Wine gives no window the focus: X's focus stays PointerRoot (1), and
# keys go to the window under the pointer.
focused() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] ||
    { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = 1 ] && under_pointer "$1"; }
}
under_pointer() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getmouselocation --shell | grep -E '^[XY]=')"
  local px=$X py=$Y
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "$px" -ge "$X" ] && [ "$py" -ge "$Y" ] &&
    [ "$px" -lt $((X + WIDTH)) ] && [ "$py" -lt $((Y + HEIGHT)) ]
}
wait_for_focus() { until_true 60 focused "$1" || fail "the game's window never had the focus"; }

# court_still: the title card gone (tick 100), shots a.png and b.png at least 9 ticks apart,
# 9 degrees of orbit, find the court in the same place: after R, only once R has stopped it.
court_still() {
  local at
  until_true 60 ticked 100 && screenshot "$E2E_TMP/a.png" && at=$(ticks) &&
    until_true 60 ticked $((at + 10)) && screenshot "$E2E_TMP/b.png" &&
    [ "$(court_span "$E2E_TMP/a.png")" = "$(court_span "$E2E_TMP/b.png")" ]
}

# court_span FILE: "FIRST LAST WIDTH HEIGHT", the case's blue on the row at 74 % of the height.
court_span() {
  local w h
  read -r w h < <(identify -format '%w %h' "$1")
  convert "$1" -crop "${w}x1+0+$((h * 74 / 100))" +repage -depth 8 txt:- |
    awk -F'[(,)]' -v w="$w" -v h="$h" 'NR > 1 && $8 > 115 && $8 > $6 + 25 {
      if (first == "") first = $1; last = $1 } END { print first + 0, last + 0, w, h }'
}

# expect_court_shape REF FILE: FILE shows the court at REF's shape, centred.
expect_court_shape() {
  local rf rl rw rh f l w h
  read -r rf rl rw rh < <(court_span "$1")
  read -r f l w h < <(court_span "$2")
  note "court on row 74 %: $f..$l of $w x $h (reference $rf..$rl of $rw x $rh)"
  awk -v r="$(((rl - rf) * 10000 / rh))" -v s="$(((l - f) * 10000 / h))" \
    'BEGIN { exit !(s > r * 0.97 && s < r * 1.03) }' || fail "court stretched: $f..$l on $w x $h"
  awk -v c="$(((f + l) / 2))" -v w="$w" 'BEGIN { exit !(c > w * 0.48 && c < w * 0.52) }' ||
    fail "court not centred: $f..$l on $w"
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }  # CPU time of pid $1

# start_xorg: a private Xorg of xorg-dummy.conf (needs root); stop_xvfb ends it.
start_xorg() {
  mkdir -p "$E2E_TMP/xorg.conf.d"
  start_server "Xorg (dummy driver)" Xorg -config "$E2E_LIB/xorg-dummy.conf" \
    -configdir "$E2E_TMP/xorg.conf.d" -noreset -nolisten tcp -novtswitch -sharevts \
    -logfile "$E2E_TMP/xorg.log"
}
