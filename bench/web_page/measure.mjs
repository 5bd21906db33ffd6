// What make bench-web-page measures in a page, whatever page it is: the files it fetched before a
// performance mark, the long tasks of its main thread, the memory of its JavaScript heaps and of
// its WebAssembly memories (the page's and its workers'), and the search worker's speed.
import { gzipSync } from 'node:zlib';

// Installed before the page's own scripts run: every long task of the main thread is kept, and
// every message to and from a Web Worker (with the time it was sent), so that the bench knows
// when the page's worker was searching and what it answered.
export function recorder() {
    window.__bench = { longTasks: [], toWorker: [], fromWorker: [] };
    try {
        new PerformanceObserver((list) => {
            for (const e of list.getEntries())
                window.__bench.longTasks.push({ start: e.startTime, duration: e.duration });
        }).observe({ type: 'longtask', buffered: true });
    } catch {
        // no Long Tasks API: no long tasks are reported
    }
    const Real = window.Worker;
    window.Worker = class extends Real {
        constructor(...args) {
            super(...args);
            this.addEventListener('message', (e) =>
                window.__bench.fromWorker.push({ at: performance.now(), data: e.data }));
        }
        postMessage(message, ...rest) {
            window.__bench.toWorker.push({ at: performance.now(), data: message });
            return super.postMessage(message, ...rest);
        }
    };
}

// The page's resources fetched before `mark` (the document included; the music left out, as the
// goal says), each with its size and its size gzipped (level 9, as a static server would send
// it precompressed), fetched again from the server the page came from.
export async function weightBefore(page, mark, { leaveOut = [/BGM\.wav$/] } = {}) {
    const entries = await page.evaluate((name) => {
        const at = performance.getEntriesByName(name)[0]?.startTime;
        if (at === undefined) return null;
        const urls = [location.href];
        for (const e of performance.getEntriesByType('resource'))
            if (e.startTime <= at) urls.push(e.name);
        return urls;
    }, mark);
    if (!entries) throw new Error(`the page put no performance mark "${mark}"`);
    const files = [];
    for (const url of [...new Set(entries)]) {
        if (leaveOut.some((r) => r.test(decodeURIComponent(url)))) continue;
        const answer = await fetch(url);
        if (!answer.ok) continue;
        const bytes = Buffer.from(await answer.arrayBuffer());
        files.push({ url, bytes: bytes.length, gzipped: gzipSync(bytes, { level: 9 }).length });
    }
    files.sort((a, b) => b.gzipped - a.gzipped);
    const total = files.reduce((s, f) => s + f.gzipped, 0);
    return { files, total, raw: files.reduce((s, f) => s + f.bytes, 0) };
}

// Milliseconds from the navigation's start to `mark`, once the page has put it.
export async function markTime(page, mark, timeout = 60000) {
    await page.waitForFunction((name) => performance.getEntriesByName(name).length > 0,
                               { timeout, polling: 20 }, mark);
    return page.evaluate((name) => performance.getEntriesByName(name)[0].startTime, mark);
}

// The page's memory: the JavaScript heap in use of the page and of every worker it runs now (the
// search worker among them), through their DevTools sessions, and the WebAssembly memories of the
// game's module and of the search worker's module, as their hooks tell them (window.zorvan and
// the worker's zorvanModuleBytes), in bytes. (DevTools' Runtime.queryObjects, which could find the
// memories by their prototype, never answers on this page in Debian's chromium.)
export async function memory(page) {
    const session = await page.createCDPSession();
    try {
        await session.send('HeapProfiler.collectGarbage');
        const heap = (await session.send('Runtime.getHeapUsage')).usedSize;
        const wasm = await page.evaluate(() => window.zorvan?.moduleBytes?.() ?? 0);
        const parts = [{ target: 'page', heap, wasm }];
        for (const worker of page.workers()) {
            try {
                const usage = await worker.client.send('Runtime.getHeapUsage');
                const bytes = await worker.evaluate(() => self.zorvanModuleBytes?.() ?? 0);
                parts.push({ target: worker.url().split('/').pop(), heap: usage.usedSize,
                             wasm: bytes });
            } catch {
                // a worker that ended meanwhile
            }
        }
        const total = parts.reduce((s, p) => s + p.heap + p.wasm, 0);
        return { parts, total };
    } finally {
        await session.detach();
    }
}

// The longest main-thread task that overlaps one of `windows` ([start, end] in the page's time),
// and the number of long tasks there.
export function longestTaskIn(longTasks, windows) {
    let longest = 0;
    let count = 0;
    for (const t of longTasks) {
        if (!windows.some(([a, b]) => t.start < b && t.start + t.duration > a)) continue;
        longest = Math.max(longest, t.duration);
        count += 1;
    }
    return { longest, count };
}

// The searches the page asked its worker for, with the answers: [{ id, request, start, end,
// answer }] (end and answer missing for a search stopped before it answered).
export async function searches(page) {
    return page.evaluate(() => {
        const out = new Map();
        for (const m of window.__bench.toWorker)
            if (m.data && typeof m.data.request === 'string')
                out.set(m.data.id, { id: m.data.id, request: m.data.request, start: m.at });
        for (const m of window.__bench.fromWorker) {
            const s = m.data && out.get(m.data.id);
            if (s && s.end === undefined) Object.assign(s, { end: m.at, answer: m.data.result });
        }
        return [...out.values()];
    });
}

// The bench's searches through a worker of the page's own (search_worker.js), one after the
// other: the nodes they searched (the signature) and the time the module's own clock gave them.
export async function workerBench(page, requests, workerUrl = 'search_worker.js') {
    return page.evaluate(async (list, url) => {
        const worker = new Worker(url);
        let nodes = 0;
        let micros = 0;
        const started = performance.now();
        try {
            for (const [id, request] of list.entries()) {
                const answer = await new Promise((resolve, reject) => {
                    worker.onmessage = (e) => (e.data.id === id ? resolve(e.data) : null);
                    worker.onerror = (e) => reject(new Error(e.message));
                    worker.postMessage({ id, request });
                });
                if (!answer.result) throw new Error(`the worker refused a request: ${answer.error}`);
                const fields = answer.result.split(' ');
                nodes += Number(fields[10]);
                micros += Number(fields[11]);
            }
        } finally {
            worker.terminate();
        }
        return { nodes, seconds: micros / 1e6, wall: (performance.now() - started) / 1000 };
    }, requests, workerUrl);
}
