#!/usr/bin/env bash
# Data files, icons, and each run's trace and sound pinned exactly; frames within Mesa's
# rounding (no channel off by more than 2, at most 0.05 % of pixels off). Differences go to OUT.
set -uo pipefail
capture="$1"; data="$2"; golden="$3"; out="$4"; icons="$5"
rm -rf "$out" && mkdir -p "$out"
fail=0
if ! (cd "$data" && sha256sum --check --quiet "$golden/data.sha256" &&
  diff <(ls ./*.ase ./*.bmp ./*.tga ./*.wav) <(awk '{print $2}' "$golden/data.sha256" | sort)); then
  echo "FAIL the generated data files (<) differ from $golden/data.sha256"; fail=1
fi
# icon_pixels DIR: a checksum of each size's pixels, as record-golden keeps them.
icon_pixels() { for s in "$1"/*; do echo "$(convert "$s/courtball.png" -depth 8 rgb:- |
  sha256sum | cut -c1-64)  ${s##*/}"; done; }
if ! diff "$golden/icons.sha256" <(icon_pixels "$icons"); then
  echo "FAIL the icons' sizes or pixels (>) differ from $golden/icons.sha256"; fail=1
fi

# frame GOLDEN NEW: fails past the rounding; NEW-diff.png marks the differences in red.
frame() {
  if [ ! -f "$2" ]; then echo "FAIL $2 was not written"; fail=1; return; fi
  local delta="${2%.png}-delta.png" max count w h x y
  convert "$1" "$2" -compose difference -composite -separate -evaluate-sequence max "$delta"
  read -r max count w h x y < <(convert "$delta" -format '%[fx:round(maxima*255)] ' info: &&
    convert "$delta" -threshold 0 -bordercolor black -border 1 \
      -format '%[fx:round(mean*w*h)] %@\n' info: 2>/dev/null | tr 'x+' '  ')
  if [ "$max" -le 2 ] && [ "$count" -le $((1024 * 768 * 5 / 10000)) ]; then return; fi
  compare "$1" "$2" "${2%.png}-diff.png" 2>/dev/null
  echo "FAIL $(basename "$1"): $count pixels differ, by up to $max, within ${w}x$h at" \
    "($((x - 1)), $((y - 1))); see ${2%.png}-diff.png"
  fail=1
}

# A golden file lost, or one no run accounts for, fails too.
expected=" runs data.sha256 icons.sha256 "
while read -r name args; do
  case "$name" in '' | '#'*) continue ;; esac
  args=${args//\{out\}/$out/$name}
  traced=$([[ " $args " == *" --trace "* ]] && echo "$name-trace.tsv")
  heard=$([[ " $args " == *" --wav "* ]] && echo "$name-sound.sha256")
  pngs=$(sed -n 's/.*--png[ =]\([0-9,]*\).*/\1/p' <<< "$args" | tr , ' ')
  expected+="$traced $heard "
  for n in $pngs; do expected+="$(printf '%s-%05d.png' "$name" "$n") "; done
  # shellcheck disable=SC2086 # the arguments are words of the runs file
  if ! (cd "$data" && "$capture" $args --out "$out/$name" > "$out/$name.tsv"); then
    echo "FAIL $name: courtball-capture $args failed"; fail=1; continue
  fi
  if [ -n "$traced" ] && ! cmp -s "$golden/$traced" "$out/$name.tsv"; then
    echo "FAIL $name: the trace differs from $golden/$traced (or it is missing), first at:"
    diff "$golden/$traced" "$out/$name.tsv" | head -4; fail=1
  fi
  if [ -n "$heard" ] && ! (cd "$out/$name" && sha256sum --check --quiet "$golden/$heard"); then
    echo "FAIL $name: the sound differs from $golden/$heard (or it is missing)"; fail=1
  fi
  for n in $pngs; do
    g=$(printf '%s/%s-%05d.png' "$golden" "$name" "$n")
    if [ -f "$g" ]; then frame "$g" "$out/$name/frame-${g##*-}"; else
      echo "FAIL $name: no golden frame $g"; fail=1; fi
  done
done < "$golden/runs"
for f in "$golden"/*; do
  [[ "$expected" == *" ${f##*/} "* ]] || { echo "FAIL $f: no run of $golden/runs makes it"; fail=1; }
done
if [ $fail -ne 0 ]; then echo "after an intended change, record again: scripts/record-golden"; fi
exit $fail
