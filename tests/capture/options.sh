#!/usr/bin/env bash
# courtball-capture refuses what it could not honour, with exit 2, a message
# naming it and before anything runs: a frame, key or mouse tick past
# --frames, an empty list. The last tick itself is fine.
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
for list in --png --keys --mouse; do row 2 "$list: an empty list" "$list" ""; done
row 0 "" --png 3 --keys 3:R --mouse 3:10:10
[ -f "$out/png/frame-00003.png" ] || { echo "FAIL: frame 3 not written"; fail=1; }
exit $fail
