// Keeps the game's files for play with no network. The cache is named by a hash of the build's
// files: a new build is a new cache, taken at the next visit, and the old one is deleted.
// Addresses are taken relative to this worker, so the game works from any folder of a host.
"use strict";
const CACHE = "tarvelle-@BUILD_HASH@";
const FILES = [@BUILD_FILES@];
const base = new URL("./", self.location).href;

self.addEventListener("install", (e) => {
  e.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((f) => new Request(base + f, { cache: "no-cache" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (e) => {
  e.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((n) => n.startsWith("tarvelle-") && n !== CACHE)
      .map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The build's own files from the cache; anything else (and a file missing from the cache) from
// the network.
self.addEventListener("fetch", (e) => {
  const request = e.request;
  if (request.method !== "GET" || !request.url.startsWith(base)) return;
  let path = request.url.substring(base.length).split(/[?#]/)[0];
  if (path === "") path = "index.html";
  if (!FILES.includes(path)) return;
  e.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(base + path))
    .then((hit) => hit || fetch(request)));
});
