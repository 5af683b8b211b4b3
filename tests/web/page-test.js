// page-test.js -- the browser build played in headless chromium (and, for the
// browser's own keys, a headful one on an X server of its own): trace, sound
// and frames against the goldens; keys, mouse, pad and fingers; any window;
// the end and Play again; a hidden page; a console free of errors.
//   node page-test.js URL GOLDEN_DIR OUT_DIR
'use strict';
const { chromium } = require('playwright-core');
const { spawn, execFileSync } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');

const [url, golden, out] = process.argv.slice(2);
// The desktop's frames come from Mesa, the page's from SwiftShader: polygon
// edges and texture filtering round differently, so a pixel passes within 8
// levels per channel and 99 % of the pixels must pass.
const kLevels = 8;
const kShare = 0.99;
const kFrameTick = 93;  // the title card is gone by then
// A canvas of another shape, shrunk to 64x48 with the golden frame: a court
// of the right size and place differs by 1 or 2 levels on average, a
// stretched or shifted one by 30 and more.
const kShapeLevels = 6;
const kDeadlineMs = 120000;
const failures = [];
const consoleLines = [];

function check(ok, message) {
  if (!ok) failures.push(message);
}

const launch = (options = {}) => chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
    '--no-first-run', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--disable-quic'],
  ...options,
});

// A page in a context of its own (viewport, touch, pixel ratio), with an
// optional script run before the page's own.
async function openPage(browser, query, context = {}, init = null) {
  const browserContext = await browser.newContext({ viewport: { width: 1024, height: 768 }, ...context });
  const page = await browserContext.newPage();
  page.lines = [];
  const keep = (line) => { page.lines.push(line); consoleLines.push(line); };
  page.on('console', (m) => keep({ type: m.type(), text: m.text() }));
  page.on('pageerror', (e) => keep({ type: 'error', text: String(e) }));
  if (init) await page.addInitScript(init.script, init.arg);
  await page.goto(url + query);
  return page;
}

const state = (page) => page.evaluate(() => window.courtball);
// A condition in the page, or a failure that says which.
const waitFor = (page, test, arg) => page.waitForFunction(test, arg, { timeout: kDeadlineMs, polling: 20 })
  .catch((e) => { throw new Error(`no ${String(test).replace(/\s+/g, ' ')} (${arg}): ${e.message.split('\n')[0]}`); });
const ticksPast = async (page, count) => {
  const from = (await state(page)).ticks;
  await waitFor(page, (t) => window.courtball.ticks >= t, from + count);
  return from;
};
// A few of the browser's frames, for what must not happen meanwhile.
const browserFrames = (page, count) => page.evaluate((count) => new Promise((done) => {
  let frames = 0;
  const next = () => (++frames < count ? requestAnimationFrame(next) : done());
  requestAnimationFrame(next);
}), count);
// The trace's header and rows, each run of the page starting at its header.
function traceRuns(page) {
  const runs = [];
  for (const l of page.lines) {
    if (l.type !== 'log' || !/^(tick|\d+)\t/.test(l.text)) continue;
    if (l.text.startsWith('tick')) runs.push([]);
    runs[runs.length - 1].push(l.text);
  }
  return runs;
}
const column = (rows, name) => rows.slice(1).map((r) => Number(r.split('\t')[rows[0].split('\t').indexOf(name)]));
const goldenLines = (name) => fs.readFileSync(path.join(golden, name), 'utf8').trimEnd().split('\n');
function sameLines(got, want, what) {
  const first = want.findIndex((line, i) => got[i] !== line);
  check(first < 0 && got.length === want.length, `${what} differs at line ${first + 1} ` +
    `(${got.length} lines, not ${want.length}):\n  want ${want[first]}\n  got  ${got[first]}`);
}
const goldenPicture = (name) =>
  'data:image/png;base64,' + fs.readFileSync(path.join(golden, name)).toString('base64');

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

// The frame's middle at 4:3 (the whole height of a wider canvas, the whole
// width of a narrower one) and the golden frame, both shrunk to 64x48: the
// mean of the largest channel difference.
function compareMiddle(page, frame, expected) {
  return page.evaluate(async ({ frame, expected }) => {
    const load = async (src) => createImageBitmap(await (await fetch(src)).blob());
    const [a, b] = await Promise.all([load(frame), load(expected)]);
    const shrink = (image, sx, sy, sw, sh) => {
      const g = new OffscreenCanvas(64, 48).getContext('2d');
      g.imageSmoothingQuality = 'high';
      g.drawImage(image, sx, sy, sw, sh, 0, 0, 64, 48);
      return g.getImageData(0, 0, 64, 48).data;
    };
    const wide = a.width * 3 > a.height * 4;
    const w = wide ? a.height * 4 / 3 : a.width, h = wide ? a.height : a.width * 3 / 4;
    const p = shrink(a, (a.width - w) / 2, (a.height - h) / 2, w, h);
    const q = shrink(b, 0, 0, b.width, b.height);
    let sum = 0;
    for (let i = 0; i < p.length; i += 4) {
      sum += Math.max(...[0, 1, 2].map((k) => Math.abs(p[i + k] - q[i + k])));
    }
    return sum / (64 * 48);
  }, { frame, expected });
}

// The golden run with no input, its sound mixed per tick as the capture tool
// does; then Play again (Enter) plays the same 300 ticks once more.
async function playRun(browser) {
  const page = await openPage(browser, `?trace=300&frame=${kFrameTick}&stop=300&mix=300`);
  await waitFor(page, () => window.courtball.ended);
  const s = await state(page);
  check(s.ended === 'stopped', `the page ended with "${s.ended}", not after tick 300`);
  sameLines(traceRuns(page)[0] || [], goldenLines('play-trace.tsv'), 'the trace (play-trace.tsv)');

  // The WAV courtball-capture --wav writes: a 44-byte header, then the samples.
  const samples = Buffer.from(await page.evaluate(() => {
    const all = courtball.samples.flatMap((s) => Array.from(s));
    return Array.from(new Uint8Array(new Int16Array(all).buffer));
  }));
  const header = Buffer.alloc(44);
  header.write('RIFF', 0);
  header.writeUInt32LE(36 + samples.length, 4);
  header.write('WAVEfmt ', 8);
  header.writeUInt32LE(16, 16);
  header.writeUInt16LE(1, 20);
  header.writeUInt16LE(2, 22);
  header.writeUInt32LE(44100, 24);
  header.writeUInt32LE(44100 * 4, 28);
  header.writeUInt16LE(4, 32);
  header.writeUInt16LE(16, 34);
  header.write('data', 36);
  header.writeUInt32LE(samples.length, 40);
  const sum = crypto.createHash('sha256').update(header).update(samples).digest('hex');
  const want = fs.readFileSync(path.join(golden, 'play-sound.sha256'), 'utf8').split(' ')[0];
  check(sum === want, `the page's sound of ticks 1-300 (${samples.length / 4} frames) has the ` +
    `checksum ${sum}, not play-sound.sha256's ${want}`);

  check(s.frame, `no picture of tick ${kFrameTick}`);
  if (s.frame) {
    const name = `play-${String(kFrameTick).padStart(5, '0')}.png`;
    const r = await comparePictures(page, s.frame, goldenPicture(name));
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

  await page.keyboard.press('Enter');
  await waitFor(page, () => window.courtball.runs === 2 && window.courtball.ended);
  const runs = traceRuns(page);
  check(runs.length === 2, `Enter after the end printed ${runs.length - 1} more trace headers, not 1`);
  if (runs.length === 2) sameLines(runs[1], runs[0], 'the trace played again');
  await page.context().close();
}

// R stops the orbit, Space and the mouse move the near paddle, M mutes, Esc
// ends, the browser's keys pass by, F is fullscreen; the Play again button.
async function inputRun(browser) {
  const page = await openPage(browser, '?trace=100000', {}, {
    script: () => { window.keyEvents = []; addEventListener('keydown', (e) => keyEvents.push(e), true); },
  });
  await waitFor(page, () => window.courtball.ticks >= 40);
  check((await state(page)).sound === 'waiting', 'the sound did not wait for the first key');
  await page.keyboard.press('r');
  const pressed = (await state(page)).ticks;
  // The browser's keys, each to be left to the browser and unseen by the game
  // (Ctrl+R seen as R would start the orbit again).
  const browserKeys = ['F5', 'Control+r', 'Control+l', 'Control+w', 'F11', 'F12', 'Tab', 'Alt+m'];
  const takeKeyEvents = () => page.evaluate(() => keyEvents.splice(0).map((e) => [e.key, e.defaultPrevented]));
  await takeKeyEvents();
  for (const key of browserKeys) await page.keyboard.press(key);
  const taken = (await takeKeyEvents()).filter(([, prevented]) => prevented);
  check(taken.length === 0, `the page took the browser's keys: ${JSON.stringify(taken)}`);
  await page.focus('canvas');
  await ticksPast(page, 25);
  await page.keyboard.press('m');
  await waitFor(page, () => window.courtball.sound === 'off');
  const line = await page.locator('#controls').textContent();
  check(/M\s*sound off/.test(line), `after M the controls line says "${line.replace(/\s+/g, ' ')}"`);
  await page.keyboard.press('f');
  await waitFor(page, () => document.fullscreenElement !== null);
  await page.keyboard.press('f');
  await waitFor(page, () => document.fullscreenElement === null);
  await page.keyboard.press(' ');
  await page.mouse.move(100, 200);
  await ticksPast(page, 5);
  const left = (await takeKeyEvents()).filter(([, prevented]) => !prevented);
  check(left.length === 0, `the page left the game's keys to the browser: ${JSON.stringify(left)}`);
  await page.keyboard.press('Escape');
  await waitFor(page, () => window.courtball.ended);
  const ended = await state(page);
  await browserFrames(page, 6);
  const after = await state(page);
  const status = await page.locator('#status').textContent();
  check(ended.ended === 'Esc' && /Esc ended the game/.test(status),
    `after Esc the page says "${status}" (${ended.ended})`);
  check(after.ticks === ended.ticks, `ticks went on after Esc: ${ended.ticks} then ${after.ticks}`);

  const rows = traceRuns(page)[0];
  const orbit = column(rows, 'orbitAngle');
  const still = orbit.findIndex((a, i) => i > 0 && a === orbit[i - 1]);
  check(still >= 40 && still <= pressed + 1 && orbit.slice(still).every((a) => a === orbit[still]),
    `R at tick ${pressed} did not stop the orbit for good (it first stood still at row ${still + 1})`);
  const near = ['near.x', 'near.y'].map((n) => column(rows, n).pop());
  check(near[0] === 100 - 330 && near[1] === 348 - 200,
    `Space and the mouse at (100, 200) left the near paddle at (${near})`);

  await page.locator('#again').click();
  await ticksPast(page, 3);
  const again = traceRuns(page)[1] || [];
  check(again.length > 3 && again[1].startsWith('1\t'),
    `Play again did not start from tick 1: ${again[1]}`);
  await page.context().close();
}

// The device starts on the first click and plays the bounces; M silences the
// next one. Where the browser has no Web Audio, one line and no sound.
async function soundRun(browser) {
  const page = await openPage(browser, '');
  await ticksPast(page, 5);
  check(await page.evaluate(() => !(Module.SDL2 && Module.SDL2.audioContext)),
    'an AudioContext before any key, click or touch');
  await page.mouse.click(500, 700);
  await waitFor(page, () => window.courtball.sound === 'on' &&
    Module.SDL2.audioContext.state === 'running');
  // Every buffer the device plays: the tick it was mixed after, and whether it was heard.
  await page.evaluate(() => {
    const node = Module.SDL2.audio.scriptProcessorNode, play = node.onaudioprocess;
    window.heard = [];
    node.onaudioprocess = (e) => {
      play(e);
      heard.push([courtball.ticks, courtball.sound, e.outputBuffer.getChannelData(0).some((v) => v !== 0)]);
    };
  });
  await waitFor(page, () => heard.some(([, , loud]) => loud));
  await page.keyboard.press('m');
  await waitFor(page, () => window.courtball.sound === 'off');
  const muted = (await state(page)).ticks;
  await ticksPast(page, 60);  // bounces at 42 and 56 past the tick M came
  // SDL keeps what the last mix left over beyond a device buffer: one buffer's worth may follow M.
  const loudAfter = await page.evaluate(() => heard.filter(([, sound]) => sound === 'off').slice(1)
    .filter(([, , loud]) => loud));
  check(loudAfter.length === 0, `after M at tick ${muted} the device still played ${loudAfter.length} ` +
    `buffers with sound, first after tick ${loudAfter.length && loudAfter[0][0]}`);
  await page.context().close();

  const silent = await openPage(browser, '', {}, {
    script: () => { delete window.AudioContext; delete window.webkitAudioContext; },
  });
  await ticksPast(silent, 5);
  await silent.keyboard.press('r');
  await waitFor(silent, () => window.courtball.sound === 'none');
  await ticksPast(silent, 10);
  const said = silent.lines.filter((l) => !/^(tick|\d+)\t/.test(l.text)).map((l) => l.text);
  check(said.length === 1 && /^courtball: no sound \(.*\); the game plays on$/.test(said[0]),
    `without Web Audio the console says ${JSON.stringify(said)}, not one line on the sound`);
  await silent.context().close();
}

// A stubbed pad, held and pressed before the ticks of the golden pad run.
async function padRun(browser) {
  const run = goldenLines('runs').find((l) => l.startsWith('pad '));
  const option = (name) => run.match(new RegExp(`--${name} (\\S+)`))[1].split(',').map((s) => s.split(':'));
  const axis = (v) => (v >= 32767 ? 1 : (v + Math.sign(v) * 0.5) / 32767);  // SDL truncates
  const sticks = option('pad').map(([t, x, y]) => [Number(t), axis(Number(x)), axis(Number(y))]);
  const buttons = option('pad-button').map(([t, b]) => [Number(t), { A: 0, Y: 3, Back: 8 }[b]]);
  const frames = Number(run.match(/--frames (\d+)/)[1]);
  const page = await openPage(browser, `?trace=${frames}&stop=${frames}`, {}, {
    script: ({ sticks, buttons }) => {
      const pad = { id: 'stub', index: 0, mapping: 'standard', connected: true, timestamp: 0,
        axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
      // As held before the tick the game runs next.
      navigator.getGamepads = () => {
        const next = (window.courtball ? window.courtball.ticks : 0) + 1;
        for (const [tick, x, y] of sticks) if (next >= tick) pad.axes = [x, y, 0, 0];
        pad.buttons.forEach((b, i) => {
          b.pressed = buttons.some(([tick, index]) => tick === next && index === i);
          b.value = b.pressed ? 1 : 0;
        });
        pad.timestamp++;
        return [pad];
      };
    },
    arg: { sticks, buttons },
  });
  await waitFor(page, () => window.courtball.ended);
  sameLines(traceRuns(page)[0] || [], goldenLines('pad-trace.tsv'), 'the stubbed pad\'s trace (pad-trace.tsv)');
  await page.context().close();
}

// A phone: a finger drags the near paddle, two fingers tapped stop the orbit,
// a pinch and a swipe move nothing; the sound button is M.
async function touchRun(browser) {
  const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true };
  const page = await openPage(browser, '?trace=100000', phone);
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  await ticksPast(page, 10);
  check(await page.locator('#sound-button').isVisible(), 'no sound button on a touch screen');
  await touch('touchStart', [{ x: 100, y: 400 }]);
  await touch('touchMove', [{ x: 150, y: 300 }]);
  await touch('touchMove', [{ x: 200, y: 200 }]);
  await touch('touchEnd', []);
  await ticksPast(page, 3);
  // The finger's share of the canvas in the game's 1024x768 frame, as SDL and the game round it.
  const want = [Math.fround(Math.fround(Math.fround(200 / 390) * 1024) - 330),
    Math.fround(348 - Math.fround(Math.fround(200 / 844) * 768))];
  let rows = traceRuns(page)[0];
  const near = ['near.x', 'near.y'].map((n) => Math.fround(column(rows, n).pop()));
  check(near[0] === want[0] && near[1] === want[1],
    `a finger lifted at (200, 200) left the near paddle at (${near}), not (${want})`);
  await touch('touchStart', [{ x: 150, y: 500, id: 1 }, { x: 250, y: 500, id: 2 }]);
  await touch('touchEnd', []);
  const tapped = (await ticksPast(page, 20)) + 2;
  rows = traceRuns(page)[0];
  const orbit = column(rows, 'orbitAngle').slice(tapped);
  check(orbit.every((a) => a === orbit[0]), `a two-finger tap did not stop the orbit: ${orbit.slice(0, 5)}`);
  // On the court, and on the buttons over it, which let taps through quickly.
  const button = await page.locator('#sound-button').boundingBox();
  for (const [x, y] of [[195, 420], [button.x + button.width / 2, button.y + button.height / 2]]) {
    await cdp.send('Input.synthesizePinchGesture', { x, y, scaleFactor: 2 });
  }
  await touch('touchStart', [{ x: 195, y: 150 }]);
  await touch('touchMove', [{ x: 195, y: 700 }]);
  await touch('touchEnd', []);
  await browserFrames(page, 10);
  const view = await page.evaluate(() => [scrollX, scrollY, visualViewport.scale]);
  check(view.join() === '0,0,1', `touches scrolled or zoomed the page: scroll ${view[0]},${view[1]}, zoom ${view[2]}`);
  await page.locator('#sound-button').tap();
  await waitFor(page, () => window.courtball.sound === 'off' && Module.SDL2.audioContext);
  await page.context().close();
}

// Each shape and pixel ratio: the canvas in device pixels, the projection at
// its shape, the court whole in the middle, as large as at 4:3.
async function sizesRun(browser) {
  const sizes = [[1280, 720, 1], [800, 600, 1], [390, 844, 2], [844, 390, 2]];
  for (const [width, height, ratio] of sizes) {
    const page = await openPage(browser, `?frame=${kFrameTick}&stop=${kFrameTick}`,
      { viewport: { width, height }, deviceScaleFactor: ratio });
    await waitFor(page, () => window.courtball.ended);
    const s = await state(page);
    const name = `${width}x${height}@${ratio}`;
    const backing = await page.evaluate(() => [canvas.width, canvas.height, canvas.clientWidth, canvas.clientHeight]);
    check(backing[0] === width * ratio && backing[1] === height * ratio && backing[2] === width &&
      backing[3] === height, `${name}: the canvas is ${backing[0]}x${backing[1]} shown at ${backing[2]}x${backing[3]}`);
    const v = s.view;
    check(v.width === backing[0] && v.height === backing[1] &&
      Math.abs(v.yScale / v.xScale / (v.width / v.height) - 1) < 1e-6,
      `${name}: the viewport is ${v.width}x${v.height}, the projection's aspect ${v.yScale / v.xScale}`);
    const wide = width * 3 >= height * 4;
    const scale = wide ? v.yScale : v.xScale;
    check(Math.abs(scale - (wide ? 1.7320508 : 1.2990381)) < 1e-6,
      `${name}: the court is not as large as at 4:3 (scale ${scale})`);
    const differs = await compareMiddle(page, s.frame, goldenPicture(`play-${String(kFrameTick).padStart(5, '0')}.png`));
    check(differs < kShapeLevels, `${name}: the middle of tick ${kFrameTick} differs from the golden ` +
      `frame by ${differs.toFixed(1)} levels on average (at most ${kShapeLevels})`);
    fs.writeFileSync(path.join(out, `size-${name}.png`), Buffer.from(s.frame.split(',')[1], 'base64'));
    if (width === 800) {  // the window made smaller after the start: the canvas follows
      await page.setViewportSize({ width: 700, height: 500 });
      await waitFor(page, () => window.courtball.view.width === 700 && window.courtball.view.height === 500 &&
        canvas.width === 700 && canvas.height === 500);
    }
    await page.context().close();
  }
}

// Hidden, no ticks; in front again, the first tick a whole grid step after.
async function hiddenRun(browser) {
  const page = await openPage(browser, '');
  await ticksPast(page, 5);
  const show = (hidden) => page.evaluate((hidden) => {
    Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
    Object.defineProperty(document, 'visibilityState', { value: hidden ? 'hidden' : 'visible', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
    return performance.now();
  }, hidden);
  await show(true);
  await browserFrames(page, 3);
  const before = (await state(page)).ticks;
  await browserFrames(page, 20);
  check((await state(page)).ticks === before, 'ticks while the page was hidden');
  const shown = await show(false);
  await ticksPast(page, 1);
  const first = await page.evaluate(() => window.courtball.tickMs);
  check(first - shown >= 19, `the first tick came ${(first - shown).toFixed(1)} ms after the page ` +
    'showed again, not on a fresh 20 ms grid');
  await page.context().close();
}

// Real keys from an X server of our own to a headful chromium: F5 and Ctrl+R
// reload, Ctrl+W closes, as the browser's own.
async function browserKeysRun() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((done, fail) => {
    xvfb.stdio[3].once('data', (d) => done(':' + String(d).trim()));
    xvfb.once('error', fail);
    xvfb.once('exit', (code) => fail(new Error(`Xvfb ended (${code}) before naming its display`)));
  });
  const env = { ...process.env, DISPLAY: display };
  let browser = null;
  try {
    browser = await launch({ headless: false, env });
    const page = await openPage(browser, '');
    const key = async (name, happens) => {
      await waitFor(page, () => window.courtball.ticks > 2);
      const done = happens();
      execFileSync('xdotool', ['key', name], { env });
      check(await done.then(() => true, () => false), `${name} did not do what the browser does`);
    };
    execFileSync('xdotool', ['mousemove', '500', '400'], { env });
    await key('F5', () => page.waitForEvent('load', { timeout: kDeadlineMs }));
    await key('ctrl+r', () => page.waitForEvent('load', { timeout: kDeadlineMs }));
    await key('ctrl+w', () => page.waitForEvent('close', { timeout: kDeadlineMs }));
  } finally {
    if (browser) await browser.close();
    xvfb.kill();
  }
}

// PAGE_TEST_ONLY="padRun touchRun" plays only those.
async function main() {
  const only = (process.env.PAGE_TEST_ONLY || '').split(/[ ,]+/).filter(Boolean);
  const runs = [playRun, inputRun, soundRun, padRun, touchRun, sizesRun, hiddenRun, browserKeysRun]
    .filter((run) => only.length === 0 || only.includes(run.name));
  const browser = await launch();
  try {
    for (const run of runs) {
      const start = Date.now();
      await run(browser).catch((e) => check(false, `${run.name}: ${e.message}`));
      console.log(`-- ${run.name}: ${Math.round((Date.now() - start) / 1000)} s`);
    }
  } finally {
    await browser.close();
  }
  // WebGL reports its GL errors as warnings: those fail too.
  const bad = consoleLines.filter((l) => l.type === 'error' || /TODO|missing function|INVALID_/i.test(l.text));
  const warnings = new Set(consoleLines.filter((l) => l.type === 'warning').map((l) => l.text));
  for (const w of warnings) console.log(`console warning: ${w}`);
  for (const l of bad) check(false, `console ${l.type}: ${l.text}`);
  for (const f of failures) console.log('FAIL ' + f);
  console.log(failures.length ? 'test-web: FAILED' : 'test-web: passed');
  process.exit(failures.length ? 1 : 0);
}
main().catch((e) => { console.log('FAIL ' + e); process.exit(1); });
