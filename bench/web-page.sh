#!/usr/bin/env bash
# web-page.sh -- serves the page's folder on localhost and measures it
# (bench/web-page.js): the figures against their targets, and where a tick's
# time goes. Exits 1 when a target is missed.
#   bench/web-page.sh SITE [SECONDS]      (make bench-web; SECONDS default 10)
set -uo pipefail
site="$1"; seconds="${2:-10}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bytes=$(cat "$site"/courtball.*.{wasm,js,data} | wc -c)
awk -v b="$bytes" 'BEGIN { printf "the game'"'"'s files: %.2f MB unpacked (.wasm + .js + .data)\n", b / 1e6 }'
log=$(mktemp)
node "$root/src/web/serve.js" "$site" 0 > "$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$log"' EXIT
address=""
for _ in $(seq 100); do  # the server prints its address once listening: 10 s at most
  address=$(grep -om1 'http://[^ ]*' "$log") && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
[ -n "$address" ] || { echo "the server did not start: $(cat "$log")"; exit 1; }
NODE_PATH="$root/tests/web/node_modules" node "$root/bench/web-page.js" "$address" "$log" "$seconds"
