#!/usr/bin/env bash
# Missing and broken data files, each on its own copy of the data folder: a
# texture ends the game with the reader's message and exit 1; meshes and the
# floor may be missing or garbage and the game plays on. Nothing may crash.
set -uo pipefail
capture="$1"; data="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
fail=0

# run NAME TICKS EXIT STDERR_TEXT SETUP: plays TICKS ticks after SETUP.
run() {
  local name="$1" ticks="$2" want="$3" text="$4" dir="$work/$1"
  cp -r "$data" "$dir" && (cd "$dir" && eval "$5")
  (cd "$dir" && timeout 120 "$capture" --frames "$ticks" --trace > "../$name.out" 2> "../$name.err")
  local code=$?
  if [ "$code" -ne "$want" ] || ! { [ -z "$text" ] || grep -qF -- "$text" "$work/$name.err"; }; then
    echo "FAIL $name: exit $code (want $want), stderr without '$text':"; cat "$work/$name.err"; fail=1
  fi
}

run no-ball3 20 1 "Failed to open DIB file Ball3.bmp." 'rm Ball3.bmp'
run corrupt-title 20 1 "Unknown DIB file format." 'printf "BM0123456789abcdefghijklmnopqrstuvwxyz" > Title.bmp'
run truncated-envmap 20 1 "Image file conversion error." 'head -c 100 envmap.bmp > e && mv e envmap.bmp'
run no-case-empty-paddle 40 0 "" 'rm case.ase; : > Paddle.ase'
run garbage-walls 40 0 "" 'head -c 5000 /dev/urandom > LeftWall.ase; printf "*MESH_FACE 0: A: 99999 B: -5 C: 1" > Roof.ase'
run no-floor 150 0 "" 'rm GData.tga'

# Without a floor file the floor is flat at byte 0's -30: the ball comes down
# and is set onto it, never lower.
low=$(awk -F'\t' 'NR > 1 && (min == "" || $3 < min) { min = $3 } END { print min }' "$work/no-floor.out")
[ "$low" = "-30" ] || { echo "FAIL no-floor: lowest ball height $low, want -30"; fail=1; }
exit $fail
