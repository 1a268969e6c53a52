// The service worker that keeps the page usable offline after its first visit: it caches the
// site's files when it is installed and answers from that cache first. The build writes the
// version and the file list below (web/offline.cmake): a new build is a new version, whose cache
// replaces the old one as soon as the new worker takes over.
"use strict";
const CACHE_VERSION = "dev";
const SITE_FILES = [];

const CACHE = "kubisto-" + CACHE_VERSION;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches.open(CACHE)
      // The page's address itself ("./") as well as its files; fresh from the network, not from
      // the browser's HTTP cache, which may hold the previous build's.
      .then((cache) => cache.addAll(["./", ...SITE_FILES].map((f) => new Request(f, { cache: "reload" }))))
      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(
        names.filter((n) => n.startsWith("kubisto-") && n !== CACHE).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches.open(CACHE).then(async (cache) => {
      const cached = await cache.match(request, { ignoreSearch: true });
      if (cached) return cached;
      // A file the list does not name: from the network, kept for the next time offline.
      const response = await fetch(request);
      if (response.ok && response.type === "basic") cache.put(request, response.clone());
      return response;
    }));
});
