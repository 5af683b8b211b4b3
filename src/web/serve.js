#!/usr/bin/env node
// serve.js -- serves the page's folder (build-web/site) on localhost as a
// static host should: only the page's own files, their gzip or brotli copies
// to browsers that take them, cache headers, and a 400 or 404 for anything
// else. Port 0 takes a free one. Prints the address once listening, then one
// line per request: method, path, status, encoding, bytes.
//   node serve.js SITE [PORT]
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const { pipeline } = require('stream');

const root = path.resolve(process.argv[2] || '.');
const port = Number(process.argv[3] || 8080);

// The page's files: three fixed names, revalidated on every visit, and the
// build's content-hashed ones, which never change under their name.
const kFixed = new Set(['index.html', 'sw.js', 'courtball.webmanifest']);
const kHashed = /^[a-z0-9-]+\.[0-9a-f]{12}\.(js|wasm|data|png)$/;
const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};
const kLongest = 1024;  // no name of ours comes near; a longer target is an attack or an error
const kEncodings = [['br', '.br'], ['gzip', '.gz']];  // preferred first

// The file a request target names, or the status that refuses it.
function nameFor(target) {
  if (target.length > kLongest || !target.startsWith('/')) return { status: 400 };
  let name;
  try {
    name = decodeURIComponent(target.split(/[?#]/)[0].slice(1));
  } catch (e) {
    return { status: 400 };  // a broken escape such as %E0
  }
  if (/[\0-\x1f\x7f\\]/.test(name)) return { status: 400 };
  if (name === '') name = 'index.html';
  return kFixed.has(name) || kHashed.test(name) ? { name } : { status: 404 };
}

// The first encoding the browser accepts (q above 0) of those in kEncodings.
function encodingsAccepted(header) {
  const accepted = new Set();
  for (const part of String(header || '').split(',')) {
    const [token, ...params] = part.trim().toLowerCase().split(';');
    const q = params.map((p) => p.trim()).find((p) => p.startsWith('q='));
    if (!q || Number(q.slice(2)) > 0) accepted.add(token);
  }
  return kEncodings.filter(([token]) => accepted.has(token));
}

// Opens the file itself (never through a link) and checks it is a plain file.
function openPlain(file, done) {
  fs.open(file, fs.constants.O_RDONLY | fs.constants.O_NOFOLLOW, (error, fd) => {
    if (error) return done(error);
    fs.fstat(fd, (statError, stat) => {
      if (statError || !stat.isFile()) {
        fs.close(fd, () => {});
        return done(statError || new Error('not a file'));
      }
      done(null, fd, stat);
    });
  });
}

// The compressed copy where one exists and the browser takes it, else the file.
function openBest(name, accepted, done, i = 0) {
  if (i === accepted.length) {
    return openPlain(path.join(root, name), (e, fd, stat) => done(e, fd, stat, null));
  }
  const [token, suffix] = accepted[i];
  openPlain(path.join(root, name + suffix), (error, fd, stat) => {
    if (error) return openBest(name, accepted, done, i + 1);
    done(null, fd, stat, token);
  });
}

function refuse(response, status, extra = {}) {
  response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8', ...extra });
  response.end(`${status} ${http.STATUS_CODES[status]}\n`);
}

function serve(request, response) {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    return refuse(response, 405, { Allow: 'GET, HEAD' });
  }
  const { name, status } = nameFor(request.url);
  if (!name) return refuse(response, status);
  const compressible = !name.endsWith('.png');
  const accepted = compressible ? encodingsAccepted(request.headers['accept-encoding']) : [];
  openBest(name, accepted, (error, fd, stat, encoding) => {
    if (error) return refuse(response, 404);
    const tag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}-${encoding || 'id'}"`;
    const headers = {
      'Content-Type': kTypes[path.extname(name)],
      'Cache-Control': kFixed.has(name) ? 'no-cache' : 'public, max-age=31536000, immutable',
      ETag: tag,
      'X-Content-Type-Options': 'nosniff',
    };
    if (compressible) headers.Vary = 'Accept-Encoding';
    if (encoding) headers['Content-Encoding'] = encoding;
    // The browser's copy is this one, or only the headers were asked for.
    const notModified = request.headers['if-none-match'] === tag;
    if (notModified || request.method === 'HEAD') {
      fs.close(fd, () => {});
      if (notModified) response.writeHead(304, headers);
      else response.writeHead(200, { ...headers, 'Content-Length': stat.size });
      return response.end();
    }
    response.writeHead(200, { ...headers, 'Content-Length': stat.size });
    response.fileBody = true;
    pipeline(fs.createReadStream(null, { fd }), response, (cut) => {
      log(request, response, encoding, cut ? 'cut' : stat.size);
    });
  });
}

// One line per answer: a file once its last byte is out (or "cut" when the
// browser went first), anything else when it is sent.
function log(request, response, encoding, sent) {
  const target = String(request.url).slice(0, 100).replace(/[^\x21-\x7e]/g, '?');
  console.log(`${request.method} ${target} ${response.statusCode} ${encoding || '-'} ${sent}`);
}

const server = http.createServer((request, response) => {
  response.on('finish', () => { if (!response.fileBody) log(request, response, null, 0); });
  try {
    serve(request, response);
  } catch (error) {
    console.error(`serve.js: ${error.stack}`);
    if (!response.headersSent) refuse(response, 500);
    else response.destroy();
  }
});
// A request line or headers Node cannot parse, or headers past its limit.
server.on('clientError', (error, socket) => {
  const status = error.code === 'HPE_HEADER_OVERFLOW' ? 431 : 400;
  if (socket.writable && !socket.bytesWritten) {
    socket.end(`HTTP/1.1 ${status} ${http.STATUS_CODES[status]}\r\nConnection: close\r\n\r\n`);
  } else {
    socket.destroy();
  }
});
// CONNECT and upgrades are not for a folder of files; unanswered, Node would
// drop the socket without a word.
for (const event of ['connect', 'upgrade']) {
  server.on(event, (request, socket) => {
    socket.on('error', () => {});
    socket.end('HTTP/1.1 405 Method Not Allowed\r\nConnection: close\r\n\r\n');
  });
}
// A client that dribbles its request is dropped rather than holding a socket.
server.headersTimeout = 10000;
server.requestTimeout = 20000;

server.listen(port, '127.0.0.1', () => {
  console.log('courtball: http://127.0.0.1:' + server.address().port + '/');
});
