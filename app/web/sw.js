// The page's service worker: keeps every file of the site in a cache of this build's own, so that
// the game starts and plays without a network once it has been loaded.
//
// The build (tools/make_service_worker.py) writes the site's files and a version made from their
// contents into the two lines below; a new build therefore is a new worker, which fills a cache
// of its own and, once it is in charge, deletes the caches of the builds before it. The new
// worker takes over when no page of the old build is open any more, so that a page never mixes
// the files of two builds.
//
// Requests of this site are answered from the cache first, then from the network (a file fetched
// on demand, such as the music, is kept for the next time); requests of other sites are not
// touched (the page makes none).
'use strict';

const VERSION = '@VERSION@';
const FILES = '@FILES@';

const PREFIX = 'zorvan-';
const CACHE = PREFIX + VERSION;
const INDEX = new URL('index.html', self.registration.scope).href;

self.addEventListener('install', (event) => {
    event.waitUntil(
        caches.open(CACHE).then((cache) =>
            // Past any copy the browser's HTTP cache may hold of an older build.
            cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })))));
});

self.addEventListener('activate', (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys())
            if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
        await self.clients.claim();
    })());
});

// The cached answer of a request of this site: the site's folder is its index.html.
async function fromCache(request) {
    const cache = await caches.open(CACHE);
    const url = new URL(request.url);
    url.search = '';
    url.hash = '';
    const key = url.href === self.registration.scope ? INDEX : url.href;
    const kept = await cache.match(key);
    if (kept) return kept;
    const answer = await fetch(request);
    if (answer.ok && answer.status === 200 && request.method === 'GET')
        await cache.put(key, answer.clone());
    return answer;
}

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || !request.url.startsWith(self.registration.scope)) return;
    // A request for a part of a file (a media element's) goes to the network as it is.
    if (request.headers.has('range')) return;
    event.respondWith(fromCache(request));
});
