// sw.js -- the page's offline copy: the service worker keeps this build's files
// in one cache named after them, so after a first visit the game starts with
// no network. A new build brings a new worker (pack.js writes the list and
// the name in), which fills its own cache and drops every older one.
'use strict';
const kCache = '@CACHE@';
const kFiles = ['@FILES@'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache)
    .then((cache) => cache.addAll(kFiles))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('courtball-') && name !== kCache)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page from the network while there is one (a new build shows at once),
// else from the cache; the hashed files from the cache, as they never change.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const scope = new URL(self.registration.scope);
  const url = new URL(request.url);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const name = url.pathname.slice(scope.pathname.length);
  if (request.mode === 'navigate' || name === '' || name === 'index.html') {
    event.respondWith(fetch(request).catch(() => caches.open(kCache)
      .then((cache) => cache.match('./'))
      .then((page) => page || Response.error())));
  } else if (kFiles.includes(name)) {
    event.respondWith(caches.open(kCache)
      .then((cache) => cache.match(name))
      .then((hit) => hit || fetch(request)));
  }
});
