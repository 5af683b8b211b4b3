// hosting-test.js -- the page as a host serves it, on a copy of the site with
// its own serve.js: a data file that fails to come (404, the network, a size
// that is not the build's) is named with what to do and Retry, and Retry
// starts the game once the file is back; after a first visit the browser
// finds the page installable and the game starts from the service worker's
// cache with the server gone, and a new build's worker leaves only its own
// cache; the server answers 200 bad requests, each within a second, never
// dies and serves nothing outside the page's files.
//   node hosting-test.js SITE OUT_DIR
'use strict';
const { chromium } = require('playwright-core');
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const path = require('path');

const [site, out] = process.argv.slice(2).map((p) => path.resolve(p));
const serveJs = path.join(__dirname, '../../src/web/serve.js');
const kDeadlineMs = 120000;
const kCacheMs = 30000;  // a new worker installs in well under a second on localhost
const kAnswerMs = 1000;
const kSecret = 'NOT-A-PAGE-FILE';
const failures = [];
const check = (ok, message) => { if (!ok) failures.push(message); };

// The page's list is what its service worker keeps, with the worker itself.
const copy = path.join(out, 'site');
fs.rmSync(copy, { recursive: true, force: true });
fs.cpSync(site, copy, { recursive: true });
const workerText = () => fs.readFileSync(path.join(copy, 'sw.js'), 'utf8');
const listed = JSON.parse(workerText().match(/kFiles = (\[.*\]);/)[1])
  .map((n) => (n === './' ? 'index.html' : n)).concat('sw.js');
const dataName = listed.find((n) => n.endsWith('.data'));

// Files beside and above the page that no request may reach.
fs.writeFileSync(path.join(copy, 'notes.txt'), kSecret);
fs.mkdirSync(path.join(copy, 'cmake'), { recursive: true });
fs.writeFileSync(path.join(copy, 'cmake', 'CMakeCache.txt'), kSecret);
fs.writeFileSync(path.join(out, 'outside.txt'), kSecret);
fs.symlinkSync(path.join(out, 'outside.txt'), path.join(copy, 'courtball.0123456789ab.js'));

function startServer(port = 0) {
  const child = spawn(process.execPath, [serveJs, copy, String(port)], { stdio: ['ignore', 'pipe', 'pipe'] });
  let log = '';
  child.stdout.on('data', (d) => { log += d; });
  child.stderr.on('data', (d) => { log += d; });
  const exited = new Promise((done) => child.on('exit', (code, signal) => done(signal || code)));
  const address = new Promise((done, fail) => {
    const timer = setTimeout(() => fail(new Error(`serve.js gave no address: ${log}`)), 10000);
    child.stdout.on('data', () => {
      const m = log.match(/http:\/\/[^\s]+/);
      if (m) clearTimeout(timer), done(m[0]);
    });
  });
  return { child, exited, address, log: () => log,
    stop: async () => { child.kill(); await exited; } };
}

async function newPage(browser) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 900 } });
  const page = await context.newPage();
  return { context, page };
}
const waitFor = (page, test, arg) => page.waitForFunction(test, arg, { timeout: kDeadlineMs, polling: 50 });
const retryOrGame = (page) => waitFor(page,
  () => !document.querySelector('#loading button').hidden || window.courtball.ticks > 0 ||
    window.courtball.ended);

// Each way a file fails, then mended; Retry must start the game.
async function failedLoads(browser, url) {
  const dataFiles = fs.readdirSync(copy).filter((n) => n.startsWith(dataName));
  const cases = [
    { what: 'a 404', says: /404/,
      breakIt: () => dataFiles.forEach((n) => fs.renameSync(path.join(copy, n), path.join(out, n))),
      mend: () => dataFiles.forEach((n) => fs.renameSync(path.join(out, n), path.join(copy, n))) },
    { what: 'a cut network', says: /network failed/,
      breakIt: (page) => page.route(`**/${dataName}`, (r) => r.abort('connectionreset')),
      mend: (page) => page.unroute(`**/${dataName}`) },
    { what: 'a short file', says: /1000 bytes came where this page expects/,
      breakIt: (page) => page.route(`**/${dataName}`, (r) => r.fulfill({ body: Buffer.alloc(1000) })),
      mend: (page) => page.unroute(`**/${dataName}`) },
  ];
  for (const c of cases) {
    const { context, page } = await newPage(browser);
    await c.breakIt(page);
    await page.goto(url);
    await retryOrGame(page);
    const status = await page.locator('#status').textContent();
    const retry = await page.evaluate(() => !document.querySelector('#loading button').hidden);
    check(status.includes(dataName) && c.says.test(status) && /Retry/.test(status) && retry,
      `after ${c.what} the page says "${status}"${retry ? '' : ' and offers no Retry'}`);
    await c.mend(page);
    if (retry) {
      await page.click('#loading button');
      await waitFor(page, () => window.courtball.ticks >= 5);
    }
    await context.close();
  }
}

// A first visit, then the server gone; then a new build on the same address.
async function offline(browser, server) {
  const url = await server.address;
  const { context, page } = await newPage(browser);
  await page.goto(url);
  await waitFor(page, () => window.courtball.ticks >= 5 && navigator.serviceWorker.controller);
  // Installable: the browser's own verdict, less the private window it runs in here.
  const cdp = await context.newCDPSession(page);
  const manifest = await cdp.send('Page.getAppManifest');
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  const reasons = installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito');
  check(manifest.errors.length === 0 && reasons.length === 0,
    `not installable: ${JSON.stringify(manifest.errors)} ${reasons}`);
  await server.stop();
  await context.setOffline(true);
  await page.goto(url + '?stop=30');
  await waitFor(page, () => window.courtball.ended === 'stopped');
  const before = await page.evaluate(() => caches.keys());

  // Any change to the page's files is a new worker with its own cache name.
  const worker = workerText();
  const oldCache = worker.match(/kCache = '([^']+)'/)[1];
  fs.writeFileSync(path.join(copy, 'sw.js'), worker.replace(oldCache, 'courtball-newbuild'));
  for (const n of ['sw.js.gz', 'sw.js.br']) fs.rmSync(path.join(copy, n), { force: true });
  const again = startServer(new URL(url).port);
  await again.address;
  await context.setOffline(false);
  await page.goto(url);
  let after = [];
  for (const end = Date.now() + kCacheMs; Date.now() < end; await page.waitForTimeout(100)) {
    after = await page.evaluate(() => caches.keys());
    if (after.length === 1 && after[0] === 'courtball-newbuild') break;
  }
  check(before.length === 1 && before[0] === oldCache, `the first visit left the caches ${before}`);
  check(after.length === 1 && after[0] === 'courtball-newbuild', `a new build left the caches ${after}`);
  await context.close();
  return again;
}

// One raw request on its own socket: the status and the answer, taken until
// the server closes or sends nothing more for a moment (a kept-alive socket).
function ask(port, bytes) {
  return new Promise((done) => {
    const socket = net.connect(port, '127.0.0.1');
    const chunks = [];
    let answered = false;
    let timer = setTimeout(() => socket.destroy(), kAnswerMs);
    socket.on('data', (d) => {
      chunks.push(d);
      answered = true;
      clearTimeout(timer);
      timer = setTimeout(() => socket.destroy(), 300);
    });
    socket.on('error', () => {});
    socket.on('close', () => {
      clearTimeout(timer);
      const text = Buffer.concat(chunks).toString('latin1');
      const m = text.match(/^HTTP\/1\.1 (\d{3})/);
      done({ late: !answered, status: m ? Number(m[1]) : 0, text });
    });
    socket.write(bytes);
  });
}

// 200 bad requests from a seeded generator: paths out of the folder in every
// spelling, broken escapes, NULs, long names, files that are not the page's,
// odd methods and headers past any sensible size.
function badRequests() {
  let seed = 12345;
  const pick = (list) => list[(seed = (seed * 1103515245 + 12345) % 2147483648) % list.length];
  const pieces = ['..', '%2e%2e', '%2E%2e', '.%2e', '%252e%252e', '..%2f', '..%5c', '%c0%ae%c0%ae',
    'cmake', 'CMakeCache.txt', 'notes.txt', 'outside.txt', '%00', '%E0', '%', '%zz', '%ff%fe',
    'courtball.0123456789ab.js', `${dataName}.br`, `${dataName}.gz`, '\\', '', '.', '~',
    'x'.repeat(3000), 'index.html%00.txt', 'sw.js/..', '%2fetc%2fpasswd'];
  const methods = ['GET', 'GET', 'GET', 'HEAD', 'POST', 'PUT', 'DELETE', 'OPTIONS', 'TRACE', 'get', 'BREW'];
  const heads = ['', 'Accept-Encoding: br, gzip\r\n', `X-Big: ${'a'.repeat(70000)}\r\n`,
    'X-Many: 1\r\n'.repeat(3000), 'Bad Header\r\n', 'Accept-Encoding: \0;q=x\r\n', 'Host: \x7f\r\n'];
  // Each file no request may reach, named plainly first.
  const targets = ['/notes.txt', '/cmake/CMakeCache.txt', '/cmake%2fCMakeCache.txt', '/../outside.txt',
    '/%2e%2e/outside.txt', '/..%2foutside.txt', '/courtball.0123456789ab.js', `/${dataName}.br`];
  const plain = targets.length;
  for (let i = plain; i < 190; i++) {
    const parts = Array.from({ length: 1 + (i % 4) }, () => pick(pieces));
    targets.push((i % 9 === 8 ? '' : '/') + parts.join(pick(['/', '/', '%2f', '\\'])));
  }
  const requests = targets.map((target, i) =>
    `${i < plain ? 'GET' : pick(methods)} ${target} HTTP/1.1\r\nHost: x\r\n${i < plain ? '' : pick(heads)}Connection: close\r\n\r\n`);
  requests.push('\0\x01\x02 / HTTP/1.1\r\n\r\n', 'GET / HTTP/9.9\r\n\r\n', 'GET  HTTP/1.1\r\n\r\n',
    'GET /\0 HTTP/1.1\r\nHost: x\r\n\r\n', `GET /${'%41'.repeat(20000)} HTTP/1.1\r\n\r\n`,
    'GET http://elsewhere/index.html HTTP/1.1\r\n\r\n', 'GET * HTTP/1.1\r\n\r\n',
    'CONNECT 127.0.0.1:22 HTTP/1.1\r\n\r\n', `GET /${dataName}/ HTTP/1.1\r\n\r\n`,
    'GET / HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n');
  return requests;
}

async function badRequestRun(server) {
  const port = new URL(await server.address).port;
  const requests = badRequests();
  const wrong = [];
  for (const request of requests) {
    const r = await ask(port, request);
    const target = request.split(' ')[1] || '';
    let name = null;
    try { name = decodeURIComponent(target.slice(1)) || 'index.html'; } catch (e) { name = null; }
    const shown = JSON.stringify(request.slice(0, 80));
    if (r.late) wrong.push(`no answer within ${kAnswerMs} ms to ${shown}`);
    else if (r.text.includes(kSecret)) wrong.push(`a file outside the page's list served for ${shown}`);
    else if (r.status === 200 && !listed.includes(name)) wrong.push(`200 for ${shown}`);
    else if (r.status !== 200 && !(r.status >= 400 && r.status < 500)) wrong.push(`${r.status} for ${shown}`);
  }
  for (const w of wrong.slice(0, 10)) check(false, w);
  check(wrong.length === 0, `${wrong.length} of ${requests.length} bad requests answered wrongly`);
  const alive = await ask(port, 'GET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n');
  check(alive.status === 200 && server.child.exitCode === null,
    `after ${requests.length} bad requests the server is gone (${server.log().slice(-300)})`);
  console.log(`hosting: ${requests.length} bad requests, ${requests.length - wrong.length} refused in time`);
}

async function main() {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
      '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'],
  });
  let server = startServer();
  try {
    await failedLoads(browser, await server.address);
    server = await offline(browser, server);
    await badRequestRun(server);
  } finally {
    await browser.close();
    await server.stop();
  }
  for (const f of failures) console.log('FAIL ' + f);
  console.log(failures.length ? 'hosting-test: FAILED' : 'hosting-test: passed');
  process.exit(failures.length ? 1 : 0);
}
main().catch((e) => { console.log('FAIL ' + (e.stack || e)); process.exit(1); });
