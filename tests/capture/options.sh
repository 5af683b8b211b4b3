#!/usr/bin/env bash
# courtball-capture refuses, with exit 2 before anything runs, ticks past --frames, a value out
# of any option's range and empty lists; an unwritable sound exits 1; Back ends the run as Esc does.
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
# refused OPTION TEXT VALUE...: each value exits 2 with TEXT (the animation's options need
# --animate, in REFUSED_WITH): every field's bounds either side, no key, no number.
refused() {
  local option=$1 text=$2 value
  shift 2
  for value; do row 2 "$text" ${REFUSED_WITH:-} "$option" "$value"; done
}
refused --frames "not in range" -1 10000001 x
refused --keys "bad key entry" 0:R 1:% 1:RR 1: R 1:R:R x:R
refused --mouse "bad mouse entry" 0:1:1 1:10 1:1:x 1:1234567890:0
refused --pad "bad pad entry" 0:0:0 1:32768:0 1:-32769:0 1:0:32768 1:0:-32769 1:0
refused --pad-button "bad pad button entry" 0:A 1:B 1:a 1:Start
refused --png "bad frame number" 0 -1 1.5
REFUSED_WITH="--animate $out/a.webp"
refused --from "not in range" 0 10000001
refused --every "not in range" 0 1001
refused --animate-width "not in range" 15 4097
for list in --png --keys --mouse --pad --pad-button; do row 2 "$list: an empty list" "$list" ""; done
row 1 "cannot write $out/none/s.wav" --wav "$out/none/s.wav"
row 0 "" --png 3 --keys 1:space,2:9,3:R --mouse 3:10:10 --pad 1:32767:-32768,3:-32768:32767 \
  --pad-button 3:Y --wav "$out/s.wav"
[ -f "$out/png/frame-00003.png" ] || { echo "FAIL: frame 3 not written"; fail=1; }
[ "$(stat -c %s "$out/s.wav")" = $((44 + 3 * 882 * 4)) ] || { echo "FAIL: not 3 ticks of sound"; fail=1; }
rows=$(cd "$data" && "$capture" --frames 3 --trace --pad-button 3:Back | wc -l)
[ "$rows" = 3 ] || { echo "FAIL: Back before tick 3 left $rows trace lines, want 3"; fail=1; }
exit $fail
