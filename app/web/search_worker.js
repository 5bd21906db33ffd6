// The page's Web Worker for the stronger computer (levels 4 and 5, and the hint): its own
// instance of the search module (zorvan-search.js, beside this file) searching one position at a
// time, so that the page never waits for it.
//
// Protocol (both ways plain objects):
//   page -> worker  { id, request }   request: the text of search::encodeRequest
//   worker -> page  { id, result }    result: the text of search::encodeResult
//                   { id, error }     the request was not well formed, or the module failed
// Requests are answered in order. To stop a search the page ends the worker (terminate()) and
// starts a new one when it needs it: a search cannot be interrupted from outside otherwise.
// The worker keeps what LEVEL5 learnt from one search for the next as long as it lives.
//
// Runs in a browser (a classic worker) and under node's worker_threads, for the tests.
'use strict';

const inNode = typeof importScripts !== 'function';
let port;
let modulePromise;
if (inNode) {
    const { parentPort } = require('node:worker_threads');
    const fs = require('node:fs');
    const path = require('node:path');
    port = parentPort;
    const createModule = require(path.join(__dirname, 'zorvan-search.js'));
    modulePromise = createModule({
        wasmBinary: fs.readFileSync(path.join(__dirname, 'zorvan-search.wasm')),
    });
} else {
    importScripts('zorvan-search.js');
    port = self;
    modulePromise = self.createZorvanSearch();
}

const search = modulePromise.then((m) => m.cwrap('zorvan_search', 'string', ['string']));
// The bytes of the search module's memory (its table and the kept table included), for the page's
// bench, which asks the worker itself.
modulePromise.then((m) => {
    (inNode ? globalThis : self).zorvanModuleBytes = () => m.HEAPU8.buffer.byteLength;
});

let queue = Promise.resolve();
function onRequest(data) {
    queue = queue.then(async () => {
        const id = data && data.id;
        try {
            const result = (await search)(String(data.request));
            port.postMessage(result ? { id, result } : { id, error: 'not a search request' });
        } catch (e) {
            port.postMessage({ id, error: String(e) });
        }
    });
}

if (inNode) port.on('message', onRequest);
else port.onmessage = (event) => onRequest(event.data);
