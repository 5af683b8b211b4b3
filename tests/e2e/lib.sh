# lib.sh -- shared steps for the end-to-end tests and the pacing run: a
# private Xvfb, the game started in a working directory, screenshots, pixels,
# keys, and bounded waits. Source it; every wait here has a limit.
#
#   e2e_init NAME             scratch dir in $E2E_TMP, cleanup trap
#   start_xvfb [ARGS...]      private Xvfb 1024x768x24; sets DISPLAY, XVFB_PID
#   stop_xvfb
#   start_game BIN DIR [ARGS] runs BIN in DIR (stdout/stderr in $E2E_TMP);
#                             sets GAME_PID
#   game_process              pid of the game itself (for signals, /proc)
#   wait_for_window TITLE S   window id of a window named exactly TITLE
#   wait_for_box S            window id of an "Error" message box
#   font_path                 a font dir Xvfb can use (for -fp), so message
#                             boxes can be drawn whatever fonts are installed
#   screenshot FILE           the whole screen as PNG
#   pixel_at FILE X Y         "R G B" of one pixel (x right, y down)
#   expect_pixel FILE X Y R G B TOL
#   colour_share FILE R G B   share of the screen (0..1) showing that colour
#   expect_colour_share FILE R G B LEAST
#   wait_for_frame FILE X Y S screenshots until (X, Y) is not black
#   press_key KEY             xdotool key (the window under the pointer)
#   wait_game_exit S          sets GAME_STATUS (fails after S seconds)
#   expect_status N, expect_stderr TEXT, fail MSG

E2E_FAILED=0
XVFB_PID=""
GAME_PID=""

fail() {
  echo "FAIL: $*" >&2
  E2E_FAILED=1
}

note() { echo "-- $*"; }

e2e_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -KILL $(game_process) "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  stop_xvfb
  if [ "$E2E_FAILED" = 0 ] && [ -z "${E2E_KEEP:-}" ]; then
    rm -rf "$E2E_TMP"
  else
    echo "(files kept in $E2E_TMP)" >&2
  fi
}

# XVFB_PID is the timeout guarding Xvfb; it passes TERM on to the server.
stop_xvfb() {
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    local server
    server=$(pgrep -P "$XVFB_PID" | head -n1)
    kill -TERM "$XVFB_PID" 2>/dev/null
    for _ in $(seq 1 20); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -KILL $server "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  XVFB_PID=""
}

e2e_init() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/courtball-$1.XXXXXX")
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
}

# Xvfb picks a free display itself and writes its number to a descriptor:
# no guessing, no clash with parallel runs. A run killed outright (no trap)
# still loses its Xvfb after E2E_XVFB_LIMIT seconds. Unless the caller gives
# a font path, Xvfb has only its built-in fonts, which cannot draw SDL's
# message box: an error box then fails at once (the text still reaches
# stderr) and can never wait for a click that no one makes.
start_xvfb() {
  local numfile="$E2E_TMP/display" fonts=(-fp built-ins) arg
  for arg in "$@"; do [ "$arg" = -fp ] && fonts=(); done
  : > "$numfile"
  timeout -k 5 "${E2E_XVFB_LIMIT:-300}" Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp \
    -noreset "${fonts[@]}" "$@" 9>"$numfile" >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    if [ -s "$numfile" ] && grep -q '^[0-9]' "$numfile"; then
      DISPLAY=":$(head -n1 "$numfile" | tr -dc 0-9)"
      export DISPLAY
      note "Xvfb on $DISPLAY (pid $XVFB_PID)"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "Xvfb did not start"; cat "$E2E_TMP/xvfb.log" >&2
  return 1
}

# The game never runs unbounded: timeout kills it after E2E_GAME_LIMIT s.
# In a sanitizer build the leak check stays off here: SDL's D-Bus and the GL
# drivers keep memory to the end, which is theirs, not the game's.
start_game() {
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  local bin dir=$2
  bin=$(readlink -f "$1")
  shift 2
  [ -x "$bin" ] || { fail "no game binary at $bin"; return 1; }
  [ -d "$dir" ] || { fail "no working directory $dir"; return 1; }
  (cd "$dir" && exec timeout -s KILL "${E2E_GAME_LIMIT:-60}" "$bin" "$@") \
    >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err" &
  GAME_PID=$!
}

# GAME_PID is the timeout guarding the game; this is the game itself.
game_process() { pgrep -P "$GAME_PID" | head -n1; }

wait_for_window() {
  local title=$1 limit=$2 id
  for _ in $(seq 1 $((limit * 10))); do
    id=$(xdotool search --name "^$(printf '%s' "$title" | sed 's/[.[\*^$]/\\&/g')\$" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# xwininfo, not xdotool: xdotool cannot match the box's UTF-8 name.
wait_for_box() {
  local limit=$1 id
  for _ in $(seq 1 $((limit * 10))); do
    id=$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"Error\":" { print $1; exit }')
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Xvfb's built-in fonts cannot draw SDL's message box; one scalable font,
# listed by hand, can.
font_path() {
  local dir="$E2E_TMP/fonts" font
  font=$(find /usr/share/fonts -name DejaVuSans.ttf 2>/dev/null | head -n1)
  [ -n "$font" ] || { fail "DejaVuSans.ttf not found (fonts-dejavu-core)"; return 1; }
  mkdir -p "$dir"
  ln -sf "$font" "$dir/DejaVuSans.ttf"
  printf '%s\n' 2 \
    "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso8859-1" \
    "DejaVuSans.ttf -misc-dejavu sans-medium-r-normal--0-0-0-0-p-0-iso10646-1" > "$dir/fonts.dir"
  echo "$dir,built-ins"
}

screenshot() {
  xwd -root -silent > "$E2E_TMP/screen.xwd" && convert "xwd:$E2E_TMP/screen.xwd" "$1"
}

pixel_at() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -n1
}

expect_pixel() {
  local file=$1 x=$2 y=$3 r=$4 g=$5 b=$6 tol=$7 got
  got=$(pixel_at "$file" "$x" "$y")
  set -- $got
  if [ $# -ne 3 ] || [ $(( ($1-r)*($1-r) > tol*tol || ($2-g)*($2-g) > tol*tol ||
                           ($3-b)*($3-b) > tol*tol )) = 1 ]; then
    fail "pixel ($x, $y) is '$got', expected $r $g $b (+-$tol)"
  fi
}

# The share of the screen (0..1) within about 1% of a colour.
colour_share() {
  local file=$1 colour="rgb($2,$3,$4)"
  convert "$file" -fuzz 1% -fill black +opaque "$colour" -fill white -opaque "$colour" \
    -colorspace Gray -format '%[fx:mean]' info:
}

expect_colour_share() {
  local file=$1 r=$2 g=$3 b=$4 least=$5 share
  share=$(colour_share "$file" "$r" "$g" "$b")
  awk -v s="$share" -v l="$least" 'BEGIN { exit !(s + 0 >= l + 0) }' ||
    fail "colour $r $g $b covers $share of the screen, expected at least $least"
}

# Screenshots until the pixel at X Y is no longer black (a frame has reached
# the screen), for at most S seconds.
wait_for_frame() {
  local file=$1 x=$2 y=$3 limit=$4
  for _ in $(seq 1 $((limit * 2))); do
    screenshot "$file" && [ "$(pixel_at "$file" "$x" "$y")" != "0 0 0" ] && return 0
    sleep 0.5
  done
  fail "nothing drawn at ($x, $y) after ${limit}s"
  return 1
}

press_key() { xdotool key "$1"; }

wait_game_exit() {
  local limit=$1
  for _ in $(seq 1 $((limit * 10))); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    fail "game still running after ${limit}s"
    kill -KILL $(game_process) "$GAME_PID" 2>/dev/null
  fi
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
}

expect_status() {
  [ "$GAME_STATUS" = "$1" ] || fail "exit code $GAME_STATUS, expected $1"
}

expect_stderr() {
  grep -qxF "$1" "$E2E_TMP/game.err" || { fail "stderr lacks '$1'"; sed 's/^/  stderr: /' "$E2E_TMP/game.err" >&2; }
}

e2e_finish() {
  if [ "$E2E_FAILED" = 0 ]; then echo "PASS"; exit 0; fi
  exit 1
}
