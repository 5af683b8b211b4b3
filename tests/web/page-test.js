// page-test.js -- the browser build played in headless chromium: its trace
// against the golden trace, a frame against a golden frame, R, Space, the
// mouse and Esc, and a console free of errors.
//   node page-test.js URL GOLDEN_DIR OUT_DIR
'use strict';
const { chromium } = require('playwright-core');
const fs = require('fs');
const path = require('path');

const [url, golden, out] = process.argv.slice(2);
// The desktop's frames come from Mesa, the page's from SwiftShader: polygon
// edges and texture filtering round differently, so a pixel passes within 8
// levels per channel and 99 % of the pixels must pass.
const kLevels = 8;
const kShare = 0.99;
const kFrameTick = 93;  // the title card is gone by then
const kDeadlineMs = 240000;
const failures = [];
const consoleLines = [];

function check(ok, message) {
  if (!ok) failures.push(message);
}

async function openPage(browser, query) {
  const page = await browser.newPage({ viewport: { width: 1024, height: 900 } });
  page.on('console', (m) => consoleLines.push({ type: m.type(), text: m.text() }));
  page.on('pageerror', (e) => consoleLines.push({ type: 'error', text: String(e) }));
  await page.goto(url + query);
  return page;
}

const state = (page) => page.evaluate(() => window.courtball);
const waitFor = (page, test, arg) =>
  page.waitForFunction(test, arg, { timeout: kDeadlineMs, polling: 20 });
const traceRows = () => consoleLines.filter((l) => l.type === 'log' && /^(tick|\d+)\t/.test(l.text))
  .map((l) => l.text);

// Compares two PNG data URLs in the page; returns the share within kLevels,
// the largest difference and a picture: the golden frame dimmed, failing pixels red.
function comparePictures(page, frame, expected) {
  return page.evaluate(async ({ frame, expected, levels }) => {
    const load = async (src) => createImageBitmap(await (await fetch(src)).blob(),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const pixels = (image) => {
      const c = new OffscreenCanvas(image.width, image.height);
      const g = c.getContext('2d');
      g.drawImage(image, 0, 0);
      return g.getImageData(0, 0, image.width, image.height);
    };
    const [a, b] = await Promise.all([load(frame), load(expected)]);
    if (a.width !== b.width || a.height !== b.height) return { size: `${a.width}x${a.height}` };
    const p = pixels(a), q = pixels(b);
    const diff = new ImageData(a.width, a.height);
    let within = 0, largest = 0;
    for (let i = 0; i < p.data.length; i += 4) {
      const d = Math.max(...[0, 1, 2].map((k) => Math.abs(p.data[i + k] - q.data[i + k])));
      largest = Math.max(largest, d);
      if (d <= levels) within++;
      for (let k = 0; k < 3; k++) diff.data[i + k] = d > levels ? (k === 0 ? 255 : 0) : q.data[i + k] / 3;
      diff.data[i + 3] = 255;
    }
    const c = new OffscreenCanvas(a.width, a.height);
    c.getContext('2d').putImageData(diff, 0, 0);
    const blob = await c.convertToBlob({ type: 'image/png' });
    const bytes = Array.from(new Uint8Array(await blob.arrayBuffer()));
    return { share: within / (a.width * a.height), largest, bytes };
  }, { frame, expected, levels: kLevels });
}

// Run 1: no input, as the golden play run: 300 traced ticks, one frame kept.
async function playRun(browser) {
  const page = await openPage(browser, `?trace=300&frame=${kFrameTick}&stop=300`);
  await waitFor(page, () => window.courtball.ended);
  const s = await state(page);
  check(s.ended === 'stopped', `the page ended with "${s.ended}", not after tick 300`);
  const rows = traceRows();
  const expected = fs.readFileSync(path.join(golden, 'play-trace.tsv'), 'utf8').trimEnd().split('\n');
  const first = expected.findIndex((line, i) => rows[i] !== line);
  check(first < 0 && rows.length === expected.length,
    `the trace differs from play-trace.tsv at line ${first + 1}:\n  want ${expected[first]}\n  got  ${rows[first]}`);
  check(s.frame, `no picture of tick ${kFrameTick}`);
  if (s.frame) {
    const name = `play-${String(kFrameTick).padStart(5, '0')}.png`;
    const want = 'data:image/png;base64,' + fs.readFileSync(path.join(golden, name)).toString('base64');
    const r = await comparePictures(page, s.frame, want);
    fs.writeFileSync(path.join(out, name), Buffer.from(s.frame.split(',')[1], 'base64'));
    if (r.size) {
      check(false, `the page's frame is ${r.size}, not 1024x768`);
    } else {
      const diffPath = path.join(out, name.replace('.png', '-diff.png'));
      fs.writeFileSync(diffPath, Buffer.from(r.bytes));
      console.log(`picture: ${(100 * r.share).toFixed(2)} % of the pixels of tick ${kFrameTick} ` +
        `within ${kLevels} levels of ${name} (at least ${100 * kShare} %), largest difference ` +
        `${r.largest}; failing pixels in red: ${diffPath}`);
      check(r.share >= kShare, `the frame of tick ${kFrameTick} is off the golden frame`);
    }
  }
  await page.close();
}

const column = (header, rows, name) => rows.map((r) => Number(r.split('\t')[header.indexOf(name)]));

// Run 2: R stops the orbit, Space and the mouse move the near paddle, Esc ends.
async function inputRun(browser) {
  consoleLines.length = 0;
  const page = await openPage(browser, '?trace=100000');
  await waitFor(page, () => window.courtball.ticks >= 40);
  await page.keyboard.press('r');
  const pressed = (await state(page)).ticks;
  await waitFor(page, (t) => window.courtball.ticks >= t + 25, pressed);
  await page.keyboard.press(' ');
  const box = await page.locator('canvas').boundingBox();
  check(box.width === 1024, `the canvas shows ${box.width} wide, not at its own 1024`);
  await page.mouse.move(box.x + 100, box.y + 200);
  const moved = (await state(page)).ticks;
  await waitFor(page, (t) => window.courtball.ticks >= t + 5, moved);
  await page.keyboard.press('Escape');
  await waitFor(page, () => window.courtball.ended);
  const ended = await state(page);
  // The loop has stopped: a few of the browser's frames later, no tick more.
  await page.evaluate(() => new Promise((done) => {
    let frames = 0;
    const next = () => (++frames < 6 ? requestAnimationFrame(next) : done());
    requestAnimationFrame(next);
  }));
  const after = await state(page);
  const status = await page.locator('#status').textContent();
  check(ended.ended === 'Esc' && /Esc ended the game/.test(status),
    `after Esc the page says "${status}" (${ended.ended})`);
  check(after.ticks === ended.ticks, `ticks went on after Esc: ${ended.ticks} then ${after.ticks}`);

  const [header, ...rows] = traceRows();
  const orbit = column(header.split('\t'), rows, 'orbitAngle');
  const still = orbit.findIndex((a, i) => i > 0 && a === orbit[i - 1]);
  check(still >= 40 && still <= pressed + 1 && orbit.slice(still).every((a) => a === orbit[still]),
    `R at tick ${pressed} did not stop the orbit for good (it first stood still at row ${still + 1})`);
  const near = ['near.x', 'near.y'].map((n) => column(header.split('\t'), rows, n).pop());
  check(near[0] === 100 - 330 && near[1] === 348 - 200,
    `Space and the mouse at (100, 200) left the near paddle at (${near})`);
  await page.close();
}

async function main() {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'],
  });
  const seen = [];
  try {
    await playRun(browser);
    seen.push(...consoleLines);
    await inputRun(browser);
    seen.push(...consoleLines);
  } finally {
    await browser.close();
  }
  // WebGL reports its GL errors as warnings: those fail too.
  const bad = seen.filter((l) => l.type === 'error' || /TODO|missing function|INVALID_/i.test(l.text));
  for (const l of seen.filter((l) => l.type === 'warning')) console.log(`console warning: ${l.text}`);
  for (const l of bad) check(false, `console ${l.type}: ${l.text}`);
  for (const f of failures) console.log('FAIL ' + f);
  console.log(failures.length ? 'test-web: FAILED' : 'test-web: passed');
  process.exit(failures.length ? 1 : 0);
}
main().catch((e) => { console.log('FAIL ' + e); process.exit(1); });
