#!/usr/bin/env node
// pack.js -- makes the folder a host serves from what the web build made: the
// game's script, wasm and data and the loader under content-hashed names (so
// they can be cached for good), the page as index.html naming them, the
// service worker with this build's file list and cache name, the web app
// manifest and its icons, and gzip and brotli copies beside each text file.
//   node pack.js BUILT ICONS SITE
// BUILT holds courtball.js, .wasm and .data; ICONS holds icon-192.png and
// icon-512.png. SITE is replaced whole, so no file of an older build lingers.
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [built, icons, site] = process.argv.slice(2).map((p) => path.resolve(p));
const here = __dirname;

const hashOf = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex').slice(0, 12);
const hashed = (base, ext, bytes) => `${base}.${hashOf(bytes)}.${ext}`;

// Replaces the one place a template marks; a template without it is a build error.
function fill(text, marker, value, what) {
  const parts = text.split(marker);
  if (parts.length !== 2) throw new Error(`${what} must hold ${marker} exactly once`);
  return parts.join(value);
}

function pack() {
  const files = new Map();  // name in SITE -> bytes
  const game = ['js', 'wasm', 'data'].map((ext) => {
    const bytes = fs.readFileSync(path.join(built, `courtball.${ext}`));
    const name = hashed('courtball', ext, bytes);
    files.set(name, bytes);
    return `${name}:${bytes.length}`;
  });
  const iconNames = [192, 512].map((size) => {
    const bytes = fs.readFileSync(path.join(icons, `icon-${size}.png`));
    const name = hashed(`icon-${size}`, 'png', bytes);
    files.set(name, bytes);
    return { src: name, sizes: `${size}x${size}`, type: 'image/png' };
  });
  const loader = fs.readFileSync(path.join(here, 'loader.js'));
  const loaderName = hashed('loader', 'js', loader);
  files.set(loaderName, loader);

  const manifest = {
    name: 'courtball', short_name: 'courtball', start_url: './', scope: './',
    display: 'fullscreen', orientation: 'any', background_color: '#1b1204',
    theme_color: '#1b1204', icons: iconNames,
  };
  files.set('courtball.webmanifest', Buffer.from(JSON.stringify(manifest, null, 1) + '\n'));

  const page = fs.readFileSync(path.join(here, 'courtball.html'), 'utf8');
  files.set('index.html', Buffer.from(fill(page, '<script src="loader.js">',
    `<script src="${loaderName}" data-game="${game.join(' ')}">`, 'courtball.html')));

  // The cache is named after everything it holds: any change gives a new
  // worker, which takes the new files and drops the old cache.
  const cached = ['./', ...[...files.keys()].filter((n) => n !== 'index.html')];
  const build = hashOf(Buffer.concat([...files.values()]));
  let worker = fs.readFileSync(path.join(here, 'sw.js'), 'utf8');
  worker = fill(worker, '@CACHE@', `courtball-${build}`, 'sw.js');
  worker = fill(worker, "['@FILES@']", JSON.stringify(cached), 'sw.js');
  files.set('sw.js', Buffer.from(worker));
  return files;
}

// Gzip and brotli at their best; a copy no smaller than the file is left out.
function compressed(name, bytes) {
  if (name.endsWith('.png')) return [];
  const gzip = zlib.gzipSync(bytes, { level: 9 });
  const brotli = zlib.brotliCompressSync(bytes, {
    params: {
      [zlib.constants.BROTLI_PARAM_QUALITY]: 11,
      [zlib.constants.BROTLI_PARAM_SIZE_HINT]: bytes.length,
      [zlib.constants.BROTLI_PARAM_LGWIN]: 24,
    },
  });
  return [[`${name}.gz`, gzip], [`${name}.br`, brotli]].filter(([, b]) => b.length < bytes.length);
}

function write(files) {
  const next = `${site}.next`;
  fs.rmSync(next, { recursive: true, force: true });
  fs.mkdirSync(next, { recursive: true });
  let plain = 0, brotli = 0;
  for (const [name, bytes] of files) {
    fs.writeFileSync(path.join(next, name), bytes);
    const copies = compressed(name, bytes);
    for (const [copy, b] of copies) fs.writeFileSync(path.join(next, copy), b);
    plain += bytes.length;
    brotli += (copies.find(([c]) => c.endsWith('.br')) || [name, bytes])[1].length;
  }
  fs.rmSync(site, { recursive: true, force: true });
  fs.renameSync(next, site);
  const mb = (n) => (n / 1e6).toFixed(2);
  console.log(`pack.js: ${site}: ${files.size} files, ${mb(plain)} MB, ${mb(brotli)} MB as brotli`);
}

try {
  write(pack());
} catch (error) {
  console.error(`pack.js: ${error.message}`);
  process.exit(1);
}
