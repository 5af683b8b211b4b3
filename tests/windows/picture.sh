#!/usr/bin/env bash
# courtball-capture under Wine: 93 ticks' trace as the golden one to the last digit, and tick 93's
# frame as the golden one, 99 % of its pixels within 8 levels a channel (GL drivers round edges
# and filtering differently).   usage: picture.sh WINE FOLDER GOLDEN (FOLDER: the tool and the data)
set -u
. "$(dirname "$0")/../e2e/lib.sh"
wine=$1 folder=$2 golden=$3
e2e_init picture
start_xvfb || e2e_finish  # Wine's GL is the X server's
(cd "$folder" && "$wine" courtball-capture.exe --frames 93 --trace --png 93 --out "$E2E_TMP") \
  >"$E2E_TMP/trace.tsv" || fail "courtball-capture failed"
tr -d '\r' <"$E2E_TMP/trace.tsv" | diff -q - <(head -n 94 "$golden/play-trace.tsv") >/dev/null ||
  fail "the trace differs from $golden/play-trace.tsv"
# Each pixel's largest channel difference, white where it is over 8 levels.
off=$(convert "$E2E_TMP/frame-00093.png" "$golden/play-00093.png" -compose difference -composite \
  -separate -evaluate-sequence max -threshold 3.3% -format '%[fx:mean]' info:) || off=1
note "tick 93: $(awk -v o="$off" 'BEGIN { printf "%.3f", 100 * (1 - o) }') % of the pixels within 8 levels"
expect_below "$off" 0.01 "share of pixels more than 8 levels off"
e2e_finish
