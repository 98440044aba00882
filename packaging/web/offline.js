// The page's service worker: the whole site kept in a cache of this build's
// own, so the game loads and plays with no network. offline.sh puts
// `build` (the site's hash) and `files` in front of this. The network comes first
// while there is one, so a new build is played as soon as it is served; its
// worker then replaces this build's cache with its own.
const cacheName = `zelvane-${build}`;

self.addEventListener('install', (event) => {
  // Asked again of the server, not taken from the browser's cache, which may
  // still hold an earlier build's files.
  const requests = files.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(
    caches
      .open(cacheName)
      .then((cache) => cache.addAll(requests))
      .then(() => self.skipWaiting())
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
      .then(() => self.clients.claim())
  );
});

// Offline, any address of the page (with or without index.html) is the page.
function fromCache(request) {
  return caches
    .match(request, { cacheName, ignoreSearch: true })
    .then((found) => found || (request.mode === 'navigate' ? caches.match('./', { cacheName }) : undefined))
    .then((found) => found || Response.error());
}

// Asked of the server every time (an unchanged file costs a short answer), so
// the browser's own cache cannot mix an earlier build's files into this one's.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request.url, { cache: 'no-cache' }).catch(() => fromCache(event.request)));
});
