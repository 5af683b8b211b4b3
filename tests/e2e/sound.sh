#!/usr/bin/env bash
# The game's sound through SDL's disk driver: with no input the game plays the
# golden run, so sound must start with each of its first bounces (ticks from
# tests/golden/play-trace.tsv) and not before the first. Then no sound at all:
# a driver that fails and a broken sound file each cost one line on stderr,
# no error box, and the game plays on to its normal end.
#   usage: sound.sh TIMED-GAME WORKDIR   (courtball-timed: it logs its ticks)
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init sound
# The first bounces: far end 14, roof 25, near end 42, right wall 56; later
# ones drift with the disk driver's clock on a busy machine.
bounces="14 25 42 56"
ticked() { [ "$(wc -l < "$1")" -gt "$2" ]; }  # FILE N: more than N ticks logged

start_xvfb || e2e_finish
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw" \
  start_game "$game" "$workdir" "$E2E_TMP/ticks"
wait_for_window "Hit Esc To Exit." 15 >/dev/null || fail "no game window"
until_true 20 ticked "$E2E_TMP/ticks" 80 || fail "the game does not tick"
xdotool key Escape
wait_game_exit 10
expect_status 1
grep -q '^courtball:' "$E2E_TMP/game.err" && fail "complaints: $(cat "$E2E_TMP/game.err")"

# Each bounce's time from the device's start (the log's .audio file) against
# the sounds' onsets (sound after at least 5 ms of silence) on the audio's own
# clock: 44100 stereo frames a second from that start. That clock falls behind
# on a busy machine, which only brings sounds earlier: so an onset from 100 ms
# before a bounce to 100 ms after it, and none before the first. When the
# game itself fell a quarter behind its grid the machine is too busy for any
# clock to be read, and only the onsets are counted.
od -An -v -td2 -w4 "$E2E_TMP/audio.raw" |
  awk -v bounces="$bounces" -v ticks="$E2E_TMP/ticks" '
    BEGIN {
      for (n = 1; (getline line < ticks) > 0; n++) tick[n] = line
      getline start < (ticks ".audio")
      count = split(bounces, b, " ")
      for (i = 1; i <= count; i++) at[i] = (tick[b[i]] - start) / 1000
      busy = tick[b[count]] - tick[1] > 1.25 * 20000 * (b[count] - 1)
      quiet = 1000
    }
    $1 == 0 && $2 == 0 { quiet++; next }
    quiet >= 220 { ms = (NR - 1) / 44.1; onsets++; if (first == "") first = ms
      for (i = 1; i <= count; i++) if (heard[i] == "" && ms >= at[i] - 100) heard[i] = ms }
    { quiet = 0 }
    END {
      if (busy) {
        printf "-- too busy to time: the game fell behind; %d onsets\n", onsets
        exit onsets < count
      }
      status = first < at[1] - 100
      if (status) printf "FAIL: sound at %.0f ms, before the first bounce at %.0f ms\n", first, at[1]
      for (i = 1; i <= count; i++) {
        late = heard[i] == "" ? "never" : heard[i] - at[i]
        printf "-- tick %d at %.0f ms: heard %s ms later\n", b[i], at[i], late
        if (late == "never" || late > 100) { print "FAIL: tick " b[i] " not heard in time"; status = 1 }
      }
      exit status
    }' || fail "the sound does not follow the bounces"

# A driver that fails, and a wall sound that is no WAV.
data="$E2E_TMP/data"
cp -r "$workdir" "$data" && echo "not a sound" > "$data/wall.wav"
SDL_AUDIODRIVER=nosuchdriver start_game "$game" "$data" "$E2E_TMP/ticks2"
wait_for_frame "$E2E_TMP/silent.png" 512 700 15
until_true 20 ticked "$E2E_TMP/ticks2" 50 || fail "the silent game does not tick"
error_box >/dev/null && fail "an error box for a missing sound"
xdotool key Escape
wait_game_exit 10
expect_status 1
[ "$(wc -l < "$E2E_TMP/game.err")" = 2 ] || fail "not two lines on stderr: $(cat "$E2E_TMP/game.err")"
grep -q '^courtball: no sound from wall.wav: ' "$E2E_TMP/game.err" || fail "no line on wall.wav"
grep -q '^courtball: no sound (.*nosuchdriver' "$E2E_TMP/game.err" || fail "no line on the driver"
e2e_finish
