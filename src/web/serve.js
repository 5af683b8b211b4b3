#!/usr/bin/env node
// serve.js -- serves the browser build on localhost: node serve.js DIR [PORT].
// Port 0 takes a free one. Prints the page's address once listening.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const root = path.resolve(process.argv[2] || '.');
const port = Number(process.argv[3] || 8080);
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png',
};

const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = path.join(root, name === '/' ? 'courtball.html' : name);
  // Nothing outside the build folder, and only plain files.
  if (!file.startsWith(root + path.sep)) return refuse(response, 403);
  fs.stat(file, (error, stat) => {
    if (error || !stat.isFile()) return refuse(response, 404);
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] || 'application/octet-stream',
      'Content-Length': stat.size, 'Cache-Control': 'no-cache',
    });
    fs.createReadStream(file).pipe(response);
  });
});

function refuse(response, code) {
  response.writeHead(code, { 'Content-Type': 'text/plain' });
  response.end(code + '\n');
}

server.listen(port, '127.0.0.1', () => {
  console.log('courtball: http://127.0.0.1:' + server.address().port + '/');
});
