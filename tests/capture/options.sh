#!/usr/bin/env bash
# courtball-capture refuses, with exit 2 before anything runs, ticks past --frames, bad pad
# entries and empty lists; an unwritable sound exits 1; Back ends the run as Esc does.
set -uo pipefail
capture="$1"; data="$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail=0

# row EXIT TEXT ARGS...: a run of 3 ticks writing pictures into $out/png
row() {
  local want="$1" text="$2"; shift 2
  rm -rf "$out/png"
  (cd "$data" && timeout 120 "$capture" --frames 3 --out "$out/png" "$@" > /dev/null 2> "$out/err")
  local code=$?
  if [ "$code" -ne "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$out/err"; } ||
    { [ "$want" -eq 2 ] && [ -e "$out/png" ]; }; then
    echo "FAIL $*: exit $code, want $want and '$text'"; cat "$out/err"; fail=1
  fi
}
row 2 "--png: frame 500" --png 2,500
row 2 "--keys: tick 4" --keys 1:R,4:Space
row 2 "--mouse: tick 9" --mouse 9:10:10
row 2 "--pad: tick 4" --pad 1:0:0,4:0:0
row 2 "--pad-button: tick 5" --pad-button 5:A
row 2 "bad pad entry '1:32768:0'" --pad 1:32768:0
row 2 "bad pad button entry '1:B'" --pad-button 1:B
for list in --png --keys --mouse --pad --pad-button; do row 2 "$list: an empty list" "$list" ""; done
row 1 "cannot write $out/none/s.wav" --wav "$out/none/s.wav"
row 0 "" --png 3 --keys 3:R --mouse 3:10:10 --pad 3:-32768:32767 --pad-button 3:Y --wav "$out/s.wav"
[ -f "$out/png/frame-00003.png" ] || { echo "FAIL: frame 3 not written"; fail=1; }
[ "$(stat -c %s "$out/s.wav")" = $((44 + 3 * 882 * 4)) ] || { echo "FAIL: not 3 ticks of sound"; fail=1; }
rows=$(cd "$data" && "$capture" --frames 3 --trace --pad-button 3:Back | wc -l)
[ "$rows" = 3 ] || { echo "FAIL: Back before tick 3 left $rows trace lines, want 3"; fail=1; }
exit $fail
