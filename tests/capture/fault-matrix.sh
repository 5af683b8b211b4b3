#!/usr/bin/env bash
# Every data file with every fault: a bitmap is refused with its message (exit 1); a mesh, the
# floor or a sound plays on with the rest unchanged (a sound with one line on stderr); links
# play as the file; `courtball-data check` agrees. A signal, sanitizer report or hang fails.
set -uo pipefail
export capture="$1" tool="$2" data="$3" work
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files="ball.ase case.ase Paddle.ase LeftWall.ase Roof.ase RightWall.ase Title.bmp envmap.bmp
  Ball1.bmp Ball2.bmp Ball3.bmp Ball4.bmp Ball5.bmp Ball6.bmp GData.tga wall.wav roof.wav near.wav
  far.wav"
faults="missing empty half ten random dir loop zero other fifo link"
LC_ALL=C awk 'BEGIN { srand(11); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' \
  > "$work/random"
(cd "$data" && "$capture" --frames 30 --trace --wav "$work/clean.wav" > "$work/clean.tsv") || exit 1

# cell FILE FAULT: one run, its outcome in $work/FILE.FAULT
cell() {
  local f="$1" fault="$2" dir="$work/$1-$2" want=0 text="" code check why=""
  cp -r "$data" "$dir" && cd "$dir" || return
  case $fault in
    missing) rm "$f" ;;
    empty) : > "$f" ;;
    half) truncate -s $(($(stat -c %s "$f") / 2)) "$f" ;;
    ten) truncate -s 10 "$f" ;;
    random) cp "$work/random" "$f" ;;
    dir) rm "$f" && mkdir "$f" ;;
    loop) rm "$f" && ln -s "$f" "$f" ;;
    zero) rm "$f" && ln -s /dev/zero "$f" ;;
    other) case $f in *.bmp) cp case.ase "$f" ;; *) cp Title.bmp "$f" ;; esac ;;
    fifo) rm "$f" && mkfifo "$f" ;;
    link) mkdir real && mv "$f" real && ln -s "$dir/real/$f" "real/$f.abs" && ln -s "real/$f.abs" "$f" ;;
  esac
  case $f:$fault in
    *:link) ;;
    *.bmp:half) want=1 text="Image file conversion error." ;;
    *.bmp:ten | *.bmp:random | *.bmp:other) want=1 text="Unknown DIB file format." ;;
    *.bmp:*) want=1 text="Failed to open DIB file $f." ;;
    *.wav:half) ;;  # SDL plays what is there
    *.wav:*) text="courtball: no sound from $f: " ;;
  esac
  timeout -k 5 120 "$capture" --frames 30 --trace --wav out.wav > out.tsv 2> err.txt
  code=$?
  timeout -k 5 60 "$tool" check . > check.txt 2> /dev/null
  check=$?
  if [ "$code" -ne "$want" ]; then why="exit $code"
  elif [ "$(cat err.txt)" != "$text" ] && ! [[ $f = *.wav && $(cat err.txt) = "$text"?* &&
    $(wc -l < err.txt) = 1 ]]; then why="stderr"
  elif [ "$check" -ne "$want" ]; then why="check exit $check"
  elif [ -n "$text" ] && ! grep -qF "$f:$(printf '%*s' $((14 - ${#f})) '')refused: $(
    sed "s/^courtball: no sound from $f: //" err.txt)" check.txt; then why="check text"
  elif [[ $fault = link || $f = *.wav ]] && ! cmp -s out.tsv "$work/clean.tsv"; then why="trace"
  elif [ "$f" != GData.tga ] && [ -z "$text" ] &&
    ! cmp -s <(cut -f1-20,26- out.tsv) <(cut -f1-20,26- "$work/clean.tsv"); then
    why="trace"  # all but the glow of the walls and paddles, which a lost mesh takes along
  fi
  case $why:$text in
    :courtball*) why=0:quiet ;;  # before the next: the text holds colons
    ?*:*) echo "FAIL $f $fault: $why" && cat err.txt && why=FAIL ;;
    :Failed*) why=1:open ;;
    :Unknown*) why=1:format ;;
    :Image*) why=1:convert ;;
    *) why=0:play ;;
  esac
  echo "$why" > "$work/$f.$fault"
  cd "$work" && rm -rf "$dir"
}
export -f cell
for f in $files; do for fault in $faults; do echo "$f $fault"; done; done |
  xargs -P 2 -n 2 bash -c 'cell "$@"' _

# The matrix: 0:play, 0:quiet (a sound lost), or 1:open, 1:format, 1:convert (the bitmap's message).
status=0
printf '%-14s' "" && printf '%-10s' $faults && echo
for f in $files; do
  printf '%-14s' "$f"
  for fault in $faults; do
    r=$(cat "$work/$f.$fault" 2> /dev/null || echo FAIL)
    [ "$r" = FAIL ] && status=1
    printf '%-10s' "$r"
  done
  echo
done
# The data tool's inspector reads as the game does: a read error ends a file.
"$tool" inspect /proc/self/mem | grep -q '^{"vertexCount":0,' ||
  { echo "FAIL inspect of an unreadable file"; status=1; }
exit $status
