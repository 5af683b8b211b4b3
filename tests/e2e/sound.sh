#!/usr/bin/env bash
# Sound through SDL's disk driver starts with the golden run's first bounces; a failing driver
# and a broken sound file cost one line each on stderr and nothing else.
#   usage: sound.sh TIMED-GAME WORKDIR   (courtball-timed: it logs its ticks)
set -u
. "$(dirname "$0")/lib.sh"
game=$1 workdir=$2
e2e_init sound
# The first bounces: far end 14, roof 25, near end 42, right wall 56.
bounces="14 25 42 56"

start_xvfb || e2e_finish
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw" \
  start_game "$game" "$workdir" "$E2E_TMP/ticks"
wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "no game window"
wait_ticks 81
esc_ends_game
grep -q '^courtball:' "$E2E_TMP/game.err" && fail "complaints: $(cat "$E2E_TMP/game.err")"

# Onsets (after 5 ms of silence) on the audio's clock within 100 ms of each bounce, none before
# the first; a game fallen a quarter behind its grid only has its onsets counted.
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
      if (busy) { printf "-- too busy to time: the game fell behind; %d onsets\n", onsets
        exit onsets < count }
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
rm "$E2E_TMP/ticks"
SDL_AUDIODRIVER=nosuchdriver start_game "$game" "$data" "$E2E_TMP/ticks"
wait_for_frame "$E2E_TMP/silent.png" 512 700
wait_ticks 51
error_box >/dev/null && fail "an error box for a missing sound"
esc_ends_game
[ "$(wc -l < "$E2E_TMP/game.err")" = 2 ] || fail "not two lines on stderr: $(cat "$E2E_TMP/game.err")"
grep -q '^courtball: no sound from wall.wav: ' "$E2E_TMP/game.err" || fail "no line on wall.wav"
grep -q '^courtball: no sound (.*nosuchdriver' "$E2E_TMP/game.err" || fail "no line on the driver"
e2e_finish
