// make bench-web-page: the page in headless Chromium against the goals of the game in a browser.
//   (a) weight  the files the page fetched before its first picture, gzipped, the music left out
//               (goal: 600 KB at most)
//   (b) start   navigation to the page's mark "zorvan-first-picture", median of RUNS starts, each
//               with a fresh profile (goal: 1 s at most)
//   (c) speed   the bench's searches (zorvan-cli bench --search --requests) in a worker of the
//               page's own search_worker.js, nodes per second of the module's own clock, beside
//               the native single-thread bench, alternately (goal: 60 % at least; same signature)
//   (d) responsiveness  the longest main-thread task (Long Tasks API) while LEVEL5 thinks
//               (goal: 100 ms at most)
//   (e) memory  after a whole game against LEVEL5: the JavaScript heaps in use of the page and
//               its workers (DevTools) and the WebAssembly memories of the game's module and of the
//               search worker's (their hooks) (goal: 150 MB at most)
//
//   node bench/web_page/bench_page.mjs --native CLI [--site DIR | --url URL] [--runs 5]
//        [--rounds 3] [--max-plies N] [--no-game] [--chromium PATH]
//
// --url measures a page already served (make serve-web); otherwise the site is served here. What
// the bench knows of the page is in page_driver.mjs.
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

import { longestTaskIn, markTime, memory, recorder, searches, weightBefore, workerBench }
    from './measure.mjs';
import { PAGE, playAgainstLevel5 } from './page_driver.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const source = resolve(here, '../..');
const { launchChromium } = await import(join(source, 'tests', 'web', 'chromium.mjs'));
const { serve } = await import(join(source, 'tests', 'web', 'static_server.mjs'));

const GOALS = { weightKB: 600, startMs: 1000, speedPercent: 60, longTaskMs: 100, memoryMB: 150 };

function option(name, fallback) {
    const at = process.argv.indexOf(name);
    return at >= 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
}
const flag = (name) => process.argv.includes(name);

function run(program, args) {
    const r = spawnSync(program, args, { encoding: 'utf8', maxBuffer: 1 << 26 });
    if (r.status !== 0) throw new Error(`${program} ${args.join(' ')}: ${r.stderr}`);
    return r.stdout;
}

const median = (values) => {
    const s = [...values].sort((a, b) => a - b);
    return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const mb = (bytes) => `${(bytes / 1048576).toFixed(1)} MB`;
const verdict = (ok) => (ok ? 'goal met' : 'GOAL MISSED');

async function launch(chromium) {
    const browser = await launchChromium({ chromium });
    return { browser, close: () => browser.close() };
}

async function open(browser, url) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 900 });
    page.errors = [];
    page.on('pageerror', (e) => page.errors.push(e.message));
    await page.evaluateOnNewDocument(recorder);
    await page.goto(url);
    return page;
}

// (a) and (b): RUNS starts, each in a fresh browser with a fresh profile.
async function start(url, runs, chromium) {
    const times = [];
    let weight = null;
    for (let i = 0; i < runs; ++i) {
        const b = await launch(chromium);
        try {
            const page = await open(b.browser, url);
            times.push(await markTime(page, PAGE.mark));
            if (!weight) weight = await weightBefore(page, PAGE.mark);
        } finally {
            await b.close();
        }
    }
    return { times, weight };
}

// (c): the native bench and the page's worker, alternately, ROUNDS times each.
async function speed(url, native, rounds, chromium) {
    const requests = run(native, ['bench', '--search', '--requests']).trim().split('\n')
        .map((l) => l.replace(/^request /, ''));
    const b = await launch(chromium);
    try {
        const page = await open(b.browser, url);
        await page.waitForSelector(PAGE.ready, { timeout: 60000 });
        const rows = [];
        for (let i = 0; i < rounds; ++i) {
            const out = run(native, ['bench', '--search']);
            const nativeNodes = Number(out.match(/^search nodes (\d+)$/m)[1]);
            const nativeRate = Number(out.match(/^search nodes\/s (\d+)/m)[1]);
            const w = await workerBench(page, requests, PAGE.workerScript);
            rows.push({ nativeNodes, nativeRate, pageNodes: w.nodes, pageRate: w.nodes / w.seconds,
                        pageWallRate: w.nodes / w.wall });
        }
        return rows;
    } finally {
        await b.close();
    }
}

// (d) and (e): a whole game against LEVEL5.
async function game(url, { maxPlies, chromium }) {
    const b = await launch(chromium);
    try {
        const page = await open(b.browser, url);
        await page.waitForSelector(PAGE.ready, { timeout: 60000 });
        const played = await playAgainstLevel5(page, {
            maxPlies,
            log: (line) => process.stderr.write(`\r${line}   `),
            atEnd: () => memory(page),
        });
        process.stderr.write('\n');
        const all = await searches(page);
        const thinking = all.filter((s) => !played.hints.includes(s.id))
            .map((s) => [s.start, s.end ?? Infinity]);
        const longTasks = await page.evaluate(() => window.__bench.longTasks);
        const first = await page.evaluate((m) => performance.getEntriesByName(m)[0].startTime,
                                          PAGE.mark);
        return { played, thinking: longestTaskIn(longTasks, thinking), searches: thinking.length,
                 afterStart: longestTaskIn(longTasks, [[first, Infinity]]), errors: page.errors };
    } finally {
        await b.close();
    }
}

async function main() {
    const native = option('--native');
    if (!native) throw new Error('--native CLI is needed (an optimised zorvan-cli: make release)');
    const chromium = option('--chromium', process.env.ZORVAN_CHROMIUM || '/usr/bin/chromium');
    const site = option('--site', join(source, 'build-web', 'site'));
    const runs = Number(option('--runs', '5'));
    const rounds = Number(option('--rounds', '3'));
    const maxPlies = Number(option('--max-plies', '400'));
    let url = option('--url');
    let server = null;
    if (!url) {
        if (!existsSync(join(site, 'index.html'))) throw new Error(`no page in ${site}: make web`);
        server = await serve(site);
        url = server.url;
    }
    console.log(`page: ${url}`);
    try {
        const s = await start(url, runs, chromium);
        const startMs = median(s.times);
        console.log(`\n(a) weight before the first picture: ${kb(s.weight.total)} gzipped ` +
                    `(${kb(s.weight.raw)} raw), ${verdict(s.weight.total <= GOALS.weightKB * 1024)}`);
        for (const f of s.weight.files)
            console.log(`      ${kb(f.gzipped).padStart(10)}  ${kb(f.bytes).padStart(10)} raw  ` +
                        `${decodeURIComponent(new URL(f.url).pathname)}`);
        console.log(`(b) first picture: ${startMs.toFixed(0)} ms median of ${runs} ` +
                    `(${s.times.map((t) => t.toFixed(0)).join(', ')}), ` +
                    `${verdict(startMs <= GOALS.startMs)}`);

        const rows = await speed(url, native, rounds, chromium);
        const ratio = median(rows.map((r) => r.pageRate / r.nativeRate));
        const same = rows.every((r) => r.pageNodes === r.nativeNodes);
        console.log(`(c) search speed, ${rounds} rounds alternately, signature ` +
                    `${rows[0].nativeNodes} native, ${rows[0].pageNodes} page ` +
                    `(${same ? 'the same' : 'DIFFERENT'}):`);
        for (const r of rows)
            console.log(`      native ${Math.round(r.nativeRate).toLocaleString('en')} n/s, page ` +
                        `${Math.round(r.pageRate).toLocaleString('en')} n/s ` +
                        `(${Math.round(r.pageWallRate).toLocaleString('en')} n/s with messages)`);
        console.log(`    page / native: ${(100 * ratio).toFixed(0)} % (median), ` +
                    `${verdict(same && ratio * 100 >= GOALS.speedPercent)}`);

        if (flag('--no-game')) return;
        const g = await game(url, { maxPlies, chromium });
        console.log(`(d) longest main-thread task while LEVEL5 thinks: ` +
                    `${g.thinking.longest.toFixed(0)} ms (${g.thinking.count} long tasks over ` +
                    `${g.searches} searches), ${verdict(g.thinking.longest <= GOALS.longTaskMs)}; ` +
                    `longest after the first picture: ${g.afterStart.longest.toFixed(0)} ms`);
        const m = g.played.memory;
        console.log(`(e) memory after ${g.played.plies} plies (${g.played.result}): ` +
                    `${mb(m.total)}, ${verdict(m.total <= GOALS.memoryMB * 1048576)}`);
        for (const p of m.parts)
            console.log(`      ${p.target}: JavaScript heap ${mb(p.heap)}, WebAssembly ${mb(p.wasm)}`);
        if (g.errors.length) console.log(`page errors: ${g.errors.join('; ')}`);
    } finally {
        await server?.close();
    }
}

main().catch((e) => {
    console.error(`bench_page: ${e.stack || e}`);
    process.exit(1);
});
