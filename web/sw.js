// The offline copy of the site. sw-files.js, made at build, names every
// file of the site and a version that changes with any of them; a new
// version fills a new cache and drops the old one. Files are answered from
// the cache first, so that the page opens as fast offline as on.
importScripts("sw-files.js");
const CACHE = "zelk-" + self.ZELK_VERSION;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(["./"].concat(self.ZELK_FILES)))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith("zelk-") && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET")
    return;
  // A shared link differs from the page only in its fragment and query.
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
