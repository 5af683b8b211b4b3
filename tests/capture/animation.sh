#!/usr/bin/env bash
# --animate holds the chosen frames in order, timed, equal to --png's; scaled; empty range refused.
#   usage: animation.sh CAPTURE DATA
set -uo pipefail
capture=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$2" || exit 1
fail=0
no() { echo "FAIL: $*"; fail=1; }

# A frame one tick off differs; the run of 6 ticks must lengthen itself to reach --to.
"$capture" --frames 6 --png 3,7,11 --out "$work" --animate "$work/a.webp" --from 3 --to 11 \
  --every 4 || no "capture failed"
timing=$(identify -format '%T/%Wx%H ' "$work/a.webp")  # delay in 10 ms, canvas, per frame
[ "$timing" = "8/1024x768 8/1024x768 8/1024x768 " ] || no "frames, delays, canvas: $timing"
convert "$work/a.webp" -coalesce "$work/a-%d.png"
for i in 0 1 2; do
  frame=frame-$(printf %05d $((3 + 4 * i))).png
  [ "$(compare -metric AE "$work/a-$i.png" "$work/$frame" null: 2>&1)" = 0 ] ||
    no "animation frame $i differs from $frame"
done
"$capture" --frames 2 --animate "$work/b.webp" --animate-width 256 || no "scaled capture failed"
[ "$(identify -format '%Wx%H ' "$work/b.webp")" = "256x192 256x192 " ] || no "scaled canvas"
"$capture" --animate "$work/c.webp" --from 9 --to 3 2>/dev/null
[ $? = 2 ] || no "--from after --to is not refused as a bad argument"
[ $fail = 0 ] && echo "animation: 3 frames equal to their --png pictures, timed and scaled"
exit $fail
