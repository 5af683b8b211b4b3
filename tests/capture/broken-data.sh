#!/usr/bin/env bash
# Missing and broken data files, each on its own copy of the data folder:
# textures end the game with their message and exit 1; meshes and the floor
# may be missing and the game plays on. Nothing may crash.
set -uo pipefail
capture="$1"; data="$2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
fail=0

# run NAME EXPECTED_EXIT EXPECTED_STDERR_TEXT SETUP...
run() {
  local name="$1" want="$2" text="$3"; shift 3
  local dir="$work/$name"
  cp -r "$data" "$dir"
  (cd "$dir" && eval "$*")
  (cd "$dir" && timeout 120 "$capture" --frames 150 --trace > "$work/$name.out" 2> "$work/$name.err")
  local code=$?
  if [ "$code" -ne "$want" ]; then
    echo "FAIL $name: exit $code, want $want"; cat "$work/$name.err"; fail=1; return
  fi
  if [ -n "$text" ] && ! grep -qF "$text" "$work/$name.err"; then
    echo "FAIL $name: stderr lacks '$text':"; cat "$work/$name.err"; fail=1; return
  fi
  echo "ok   $name (exit $code)"
}

run no-ball3 1 "Failed to open DIB file Ball3.bmp." 'rm Ball3.bmp'
run corrupt-title 1 "Unknown DIB file format." 'printf "BM0123456789abcdefghijklmnopqrstuvwxyz" > Title.bmp'
run truncated-envmap 1 "" 'head -c 100 envmap.bmp > e && mv e envmap.bmp'
run no-case 0 "" 'rm case.ase'
run no-floor 0 "" 'rm GData.tga'
run empty-paddle 0 "" ': > Paddle.ase'
run garbage-walls 0 "" 'head -c 5000 /dev/urandom > LeftWall.ase; printf "*MESH_FACE 0: A: 99999 B: -5 C: 1" > Roof.ase'

# A missing floor is flat at the height of byte 0 (-30): the ball comes down
# onto it and is set exactly to -30, never lower.
if [ -f "$work/no-floor.out" ]; then
  low=$(awk -F'\t' 'NR>1 && (min=="" || $3<min) {min=$3} END{print min}' "$work/no-floor.out")
  [ "$low" = "-30" ] || { echo "FAIL no-floor: lowest ball height $low, want the flat floor's -30"; fail=1; }
fi
# A missing case or paddle leaves the rest of the game as it was.
if ! cmp -s <(cut -f1-8 "$work/no-case.out") <(cut -f1-8 "$work/empty-paddle.out"); then
  echo "FAIL: the ball moved differently without a case or paddles"; fail=1
fi
exit $fail
