// web-page.js -- the page's figures in headless chromium with SwiftShader's
// WebGL, against their targets: bytes over the wire for a first visit, time to
// the first frame, ticks per second, peak JS heap. Then where a tick's time
// goes, in figures a busy machine does not change: WebGL calls and vertices
// per tick, CPU time per tick of the page's process (our pipeline and the
// WebGL calls) and of the GPU process (SwiftShader: compositing, vertices,
// fill), and the page's profile by kind. Exits 1 when a target is missed.
//   node web-page.js URL SERVER_LOG SECONDS     (bench/web-page.sh runs it)
'use strict';
const { chromium } = require('playwright-core');
const fs = require('fs');

const [url, serverLog, seconds] = process.argv.slice(2);
const kProfileTicks = 100;
const rows = [];
let missed = 0;

function row(name, value, unit, target, ok) {
  const verdict = ok === undefined ? '' : ok ? 'ok' : 'MISS';
  if (ok === false) missed++;
  rows.push([name, `${value} ${unit}`.trim(), target || '', verdict]);
}

// Counts every WebGL call by name, the vertices drawn, and those drawn with
// blending on (each of their pixels costs a read as well as a write).
function countWebGL() {
  const counts = (window.webglCounts = { calls: {}, vertices: 0, blended: 0 });
  const proto = WebGLRenderingContext.prototype;
  const isEnabled = proto.isEnabled;
  for (const name of Object.getOwnPropertyNames(proto)) {
    const d = Object.getOwnPropertyDescriptor(proto, name);
    if (typeof d.value !== 'function') continue;
    const real = d.value;
    proto[name] = function (...args) {
      counts.calls[name] = (counts.calls[name] || 0) + 1;
      if (name === 'drawArrays') {
        counts.vertices += args[2];
        if (isEnabled.call(this, this.BLEND)) counts.blended += args[2];
      }
      return real.apply(this, args);
    };
  }
}

// utime + stime in ms of the browser's processes of one --type.
function cpuMs(browserPid, type) {
  const hz = 100;
  let total = 0;
  for (const pid of fs.readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      const cmd = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      if (!cmd.includes(`--type=${type}`) || !descends(pid, browserPid)) continue;
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      total += ((Number(fields[11]) + Number(fields[12])) * 1000) / hz;
    } catch (e) { /* gone meanwhile */ }
  }
  return total;
}
function descends(pid, ancestor) {
  for (let p = String(pid), i = 0; p !== '0' && p !== '1' && i < 64; i++) {
    if (p === String(ancestor)) return true;
    p = fs.readFileSync(`/proc/${p}/stat`, 'utf8').split(') ')[1].split(' ')[1];
  }
  return false;
}

// The same page with its draws left out, or clipped to one pixel: what the
// GPU process spends apart from our draws (clearing and compositing the
// canvas), and on their vertices alone; the rest of its time is their fill.
function drawNothing() {
  WebGLRenderingContext.prototype.drawArrays = function () {};
}
function fillOnePixel() {
  const proto = WebGLRenderingContext.prototype;
  const draw = proto.drawArrays;
  proto.drawArrays = function (...args) {
    this.enable(this.SCISSOR_TEST);
    this.scissor(0, 0, 1, 1);
    draw.apply(this, args);
    this.disable(this.SCISSOR_TEST);
  };
}

// CPU ms per tick of the page's and the GPU process over kProfileTicks, in a
// page of its own with the given init script.
async function cpuPerTick(browser, url, script) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 900 } });
  await context.addInitScript(script);
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => window.courtball.ticks >= 50, null, { timeout: 120000, polling: 50 });
  const at = async () => ({ tick: await page.evaluate(() => window.courtball.ticks),
    renderer: cpuMs(process.pid, 'renderer'), gpu: cpuMs(process.pid, 'gpu-process') });
  const a = await at();
  await page.waitForFunction((end) => window.courtball.ticks >= end, a.tick + kProfileTicks,
    { timeout: 120000, polling: 100 });
  const b = await at();
  await context.close();
  return { renderer: (b.renderer - a.renderer) / (b.tick - a.tick), gpu: (b.gpu - a.gpu) / (b.tick - a.tick) };
}

const wireBytes = () => fs.readFileSync(serverLog, 'utf8').split('\n')
  .map((l) => Number(l.split(' ')[4])).filter((n) => n > 0).reduce((a, b) => a + b, 0);

// Self time of the page's profile by kind: our wasm, the JavaScript around
// it (SDL's glue and the WebGL calls), the garbage collector, idle.
function profileByKind(profile) {
  const kinds = {};
  const functions = {};
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const deltas = profile.timeDeltas;
  profile.samples.forEach((id, i) => {
    const f = byId.get(id).callFrame;
    const kind = f.url.startsWith('wasm://') || /^\$?wasm-function/.test(f.functionName) ? 'wasm (our pipeline and the game)'
      : f.functionName === '(garbage collector)' ? 'garbage collector'
        : f.functionName === '(idle)' ? 'idle'
          : f.functionName === '(program)' ? 'browser (program)' : `JavaScript (glue and WebGL calls)`;
    kinds[kind] = (kinds[kind] || 0) + (deltas[i] || 0);
    const name = `${f.functionName || '(anonymous)'} ${f.url.split('/').pop()}`.trim();
    if (!/^\((idle|program|garbage collector)\)/.test(name)) functions[name] = (functions[name] || 0) + (deltas[i] || 0);
  });
  return { kinds, functions };
}

async function main() {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'] });
  try {
    // A plain page first, as a player gets it: weight, start, rate, heap.
    const plain = await browser.newContext({ viewport: { width: 1024, height: 900 } });
    let page = await plain.newPage();
    let cdp = await plain.newCDPSession(page);
    let peakHeap = 0;
    const heap = setInterval(() => cdp.send('Runtime.getHeapUsage')
      .then((h) => { peakHeap = Math.max(peakHeap, h.usedSize); }, () => {}), 100);
    await page.goto(url);
    await page.waitForFunction(() => window.courtball.ticks >= 50 && navigator.serviceWorker.controller,
      null, { timeout: 120000, polling: 50 });
    const wire = wireBytes();
    const [first, files, compiled] = await page.evaluate(() => [window.courtball.firstFrameMs,
      ...['courtball:files', 'courtball:compiled'].map((m) => performance.getEntriesByName(m)[0].startTime)]);
    const t0 = await page.evaluate(() => [window.courtball.ticks, performance.now()]);
    await page.waitForTimeout(seconds * 1000);
    const t1 = await page.evaluate(() => [window.courtball.ticks, performance.now()]);
    clearInterval(heap);
    const rate = ((t1[0] - t0[0]) * 1000) / (t1[1] - t0[1]);
    await plain.close();

    // Then a page whose WebGL calls are counted: per tick, over a fixed
    // number of ticks, counts and CPU time; then the profile.
    const counted = await browser.newContext({ viewport: { width: 1024, height: 900 } });
    await counted.addInitScript(countWebGL);
    page = await counted.newPage();
    cdp = await counted.newCDPSession(page);
    await page.goto(url);
    await page.waitForFunction(() => window.courtball.ticks >= 50, null, { timeout: 120000, polling: 50 });
    const at = () => page.evaluate(() => ({ tick: window.courtball.ticks,
      calls: { ...window.webglCounts.calls }, vertices: window.webglCounts.vertices,
      blended: window.webglCounts.blended }));
    const ticksOn = (n) => page.evaluate(() => window.courtball.ticks).then((t) =>
      page.waitForFunction((end) => window.courtball.ticks >= end, t + n, { timeout: 120000, polling: 100 }));
    const a = await at();
    await ticksOn(kProfileTicks);
    const b = await at();
    const ticks = b.tick - a.tick;
    await cdp.send('Profiler.enable');
    await cdp.send('Profiler.setSamplingInterval', { interval: 200 });
    await cdp.send('Profiler.start');
    await ticksOn(kProfileTicks);
    const { profile } = await cdp.send('Profiler.stop');
    await counted.close();

    // CPU per tick of the whole page, of one that draws nothing and of one
    // that fills a single pixel, each the least of two tries: a busy
    // machine only ever adds to them (SwiftShader's threads spin while they wait).
    const cpu = { whole: null, none: null, onePixel: null };
    const scripts = { whole: () => {}, none: drawNothing, onePixel: fillOnePixel };
    for (let i = 0; i < 2; i++) {
      for (const k of Object.keys(cpu)) {
        const c = await cpuPerTick(browser, url, scripts[k]);
        cpu[k] = cpu[k] ? { renderer: Math.min(cpu[k].renderer, c.renderer), gpu: Math.min(cpu[k].gpu, c.gpu) } : c;
      }
    }

    row('first visit over the wire', (wire / 1e6).toFixed(2), 'MB', '< 1.2', wire < 1.2e6);
    row('first frame after navigation', first.toFixed(0), 'ms', '< 1000', first < 1000);
    row('  the game\'s files all here', files.toFixed(0), 'ms');
    row('  its wasm compiled, main begins', compiled.toFixed(0), 'ms');
    row(`ticks per second over ${seconds} s`, rate.toFixed(1), '', '>= 48 (quiet machine)', rate >= 48);
    row('peak JS heap', (peakHeap / 1048576).toFixed(1), 'MiB', '< 64', peakHeap < 64 * 1048576);
    row('page CPU per tick (pipeline + WebGL calls)', cpu.whole.renderer.toFixed(2), 'ms');
    row('GPU process CPU per tick (SwiftShader)', cpu.whole.gpu.toFixed(2), 'ms');
    row('  clearing and compositing the canvas', cpu.none.gpu.toFixed(2), 'ms');
    row('  our vertices and triangles', (cpu.onePixel.gpu - cpu.none.gpu).toFixed(2), 'ms');
    row('  our pixels (fill)', (cpu.whole.gpu - cpu.onePixel.gpu).toFixed(2), 'ms');
    row('vertices drawn per tick', Math.round((b.vertices - a.vertices) / ticks), '');
    row('  of them blended', Math.round((b.blended - a.blended) / ticks), '');
    const calls = Object.keys(b.calls).map((n) => [n, (b.calls[n] - (a.calls[n] || 0)) / ticks])
      .filter(([, n]) => n > 0).sort((x, y) => y[1] - x[1]);
    row('WebGL calls per tick', Math.round(calls.reduce((s, [, n]) => s + n, 0)), '');
    for (const [name, n] of calls.slice(0, 6)) row(`  ${name}`, n.toFixed(1), '');
    const { kinds, functions } = profileByKind(profile);
    const busy = Object.entries(kinds).filter(([k]) => k !== 'idle');
    const all = busy.reduce((s, [, v]) => s + v, 0);
    for (const [kind, v] of busy.sort((x, y) => y[1] - x[1])) {
      row(`page profile: ${kind}`, ((100 * v) / all).toFixed(0), '% of busy');
    }
    for (const [name, v] of Object.entries(functions).sort((x, y) => y[1] - x[1]).slice(0, 6)) {
      row(`  ${name.slice(0, 44)}`, ((100 * v) / all).toFixed(1), '% of busy');
    }
  } finally {
    await browser.close();
  }
  const width = Math.max(...rows.map((r) => r[0].length));
  for (const [name, value, target, verdict] of rows) {
    console.log(`${name.padEnd(width)}  ${value.padStart(12)}  ${target.padEnd(22)} ${verdict}`);
  }
  console.log('Counts and shares do not depend on load; CPU per tick little; times and rates do.');
  process.exit(missed ? 1 : 0);
}
main().catch((e) => { console.log(String(e.stack || e)); process.exit(1); });
