#!/usr/bin/env bash
# Two headless runs of the same game give the same pictures and the same
# per-tick trace, and the trace matches the recorded golden run.
set -euo pipefail
capture="$1"; data="$2"; golden="$3"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$data"
for run in a b; do
  mkdir -p "$work/$run"
  "$capture" --frames 300 --png 1,300 --out "$work/$run" --trace > "$work/$run/trace.tsv"
done
for f in frame-00001.png frame-00300.png trace.tsv; do
  cmp "$work/a/$f" "$work/b/$f" || { echo "runs differ in $f"; exit 1; }
done
rows=$(wc -l < "$work/a/trace.tsv")
[ "$rows" -eq 301 ] || { echo "trace has $rows lines, want a header and 300 rows"; exit 1; }
# The first tick starts from (0, 200, 0) with velocity (-19, 7, -26).
sed -n 2p "$work/a/trace.tsv" | grep -q $'^1\t-19\t207\t-26\t-19\t7\t-26\t181\t' ||
  { echo "first tick is off: $(sed -n 2p "$work/a/trace.tsv")"; exit 1; }
if ! diff -q "$golden" "$work/a/trace.tsv" >/dev/null; then
  echo "trace differs from the golden run $golden (first differences):"
  diff "$golden" "$work/a/trace.tsv" | head -6
  echo "if the data files changed on purpose, record it again: scripts/record-golden-trace"
  exit 1
fi
echo "determinism: 2 runs identical, golden trace matched (300 ticks)"
