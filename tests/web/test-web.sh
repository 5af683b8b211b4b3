#!/usr/bin/env bash
# test-web.sh -- serves the page's folder on localhost and plays it in headless
# chromium (page-test.js), then tries it as a host serves it (hosting-test.js).
#   tests/web/test-web.sh SITE GOLDEN_DIR OUT_DIR
set -uo pipefail
build="$1"; golden="$2"; out="$3"
here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$out" && mkdir -p "$out"
node "$here/../../src/web/serve.js" "$build" 0 > "$out/serve.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
address=""
for _ in $(seq 100); do  # the server prints its address once listening: 10 s at most
  address=$(grep -om1 'http://[^ ]*' "$out/serve.log") && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$address" ]; then echo "FAIL the server did not start: $(cat "$out/serve.log")"; exit 1; fi
export NODE_PATH="$here/node_modules"
node "$here/page-test.js" "$address" "$golden" "$out" || status=1
node "$here/hosting-test.js" "$build" "$out" || status=1
exit "${status:-0}"
