#!/usr/bin/env bash
# web-page.sh -- the browser build's figures: page weight (.wasm + .js +
# .data), time from navigation to the first frame, and ticks per second in
# headless chromium with SwiftShader's WebGL, over SECONDS (default 10).
#   bench/web-page.sh BUILD_WEB [SECONDS]      (make bench-web)
set -uo pipefail
build="$1"; seconds="${2:-10}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bytes=$(stat -c %s "$build"/courtball.{wasm,js,data} | awk '{ s += $1 } END { print s }')
awk -v b="$bytes" 'BEGIN { printf "page weight: %.2f MB (.wasm + .js + .data; target under 6)\n", b / 1e6 }'
log=$(mktemp)
node "$root/src/web/serve.js" "$build" 0 > "$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$log"' EXIT
address=""
for _ in $(seq 100); do
  address=$(grep -om1 'http://[^ ]*' "$log") && break
  sleep 0.1
done
[ -n "$address" ] || { echo "the server did not start: $(cat "$log")"; exit 1; }
NODE_PATH="$root/tests/web/node_modules" node - "$address" "$seconds" <<'JS'
const { chromium } = require('playwright-core');
const [url, seconds] = process.argv.slice(2);
(async () => {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'] });
  try {
    const page = await browser.newPage({ viewport: { width: 1024, height: 900 } });
    await page.goto(url);
    const at = () => page.evaluate(() => [window.courtball.ticks, performance.now()]);
    await page.waitForFunction(() => window.courtball.ticks >= 50, null, { timeout: 120000 });
    const first = await page.evaluate(() => window.courtball.firstFrameMs);
    console.log(`first frame: ${first.toFixed(0)} ms after navigation`);
    const [t0, m0] = await at();
    await page.waitForTimeout(seconds * 1000);
    const [t1, m1] = await at();
    const rate = ((t1 - t0) * 1000) / (m1 - m0);
    console.log(`ticks per second: ${rate.toFixed(1)} over ${seconds} s (target at least 45 of 50)`);
  } finally {
    await browser.close();
  }
})().catch((e) => { console.log(String(e)); process.exit(1); });
JS
