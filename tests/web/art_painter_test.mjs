// The page's canvas painter (app/web/art/painter.js) draws every picture as the window does: the
// window's own pictures (written by zorvan-art-shots) beside the painter's drawing of the same
// steps (zorvan-cli art --json) in a real headless Chromium, pixel by pixel.
//
//   node art_painter_test.mjs --cli ZORVAN_CLI --shots ZORVAN_ART_SHOTS --out DIR
//                             [--chromium /usr/bin/chromium]
//
// The two painters smooth edges each in their own way, so a pixel on an edge may differ; what
// must hold for every picture: the mean difference over all channels, the share of pixels
// farther off than FAR levels, and the largest difference once both pictures are softened over
// 3 x 3 pixels (what the eye sees of an edge) stay within the bounds below.
import { spawnSync } from 'node:child_process';
import { createServer } from 'node:http';
import { mkdirSync, readFileSync, rmSync, writeFileSync, existsSync } from 'node:fs';
import { basename, dirname, extname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

import { launchChromium } from './chromium.mjs';

const FAR = 48;           // levels of 255
const MAX_MEAN = 4.5;     // mean difference of a channel, levels
const MAX_FAR_SHARE = 0.02;
const MAX_BLURRED = 40;   // levels

const here = dirname(fileURLToPath(import.meta.url));
const painter = resolve(here, '../../app/web/art/painter.js');

function option(name, fallback) {
    const at = process.argv.indexOf(name);
    if (at >= 0 && at + 1 < process.argv.length) return process.argv[at + 1];
    if (fallback !== undefined) return fallback;
    console.error(`art_painter_test: ${name} is needed`);
    process.exit(2);
}

function run(program, args) {
    const done = spawnSync(program, args, {
        stdio: 'inherit',
        env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
    });
    if (done.status !== 0) throw new Error(`${basename(program)} ${args.join(' ')} failed`);
}

const types = { '.html': 'text/html', '.js': 'text/javascript', '.json': 'application/json',
                '.png': 'image/png' };

// Serves the page, its script, the painter and the files written for the comparison, on the
// loopback address only.
function serve(shots) {
    const files = {
        '/': join(here, 'art_page.html'),
        '/art_compare.js': join(here, 'art_compare.js'),
        '/painter.js': painter,
    };
    const server = createServer((request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        let file = files[url.pathname];
        if (!file && url.pathname.startsWith('/out/')) {
            const name = basename(url.pathname);
            if (name === url.pathname.slice(5)) file = join(shots, name);
        }
        if (!file || !existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[extname(file)] || 'text/plain' });
        response.end(readFileSync(file));
    });
    return new Promise((done) => server.listen(0, '127.0.0.1', () => done(server)));
}

async function main() {
    const cli = option('--cli');
    const shotsProgram = option('--shots');
    const out = resolve(option('--out'));
    const chromium = option('--chromium', '/usr/bin/chromium');
    if (!existsSync(chromium)) throw new Error(`${chromium} is missing (make deps installs it)`);
    const shots = join(out, 'window');
    const drawn = join(out, 'canvas');
    rmSync(out, { recursive: true, force: true });
    mkdirSync(drawn, { recursive: true });
    run(shotsProgram, [shots]);
    run(cli, ['art', '--json', '--out', join(shots, 'artwork.json')]);

    const server = await serve(shots);
    const browser = await launchChromium({ chromium, args: ['--force-color-profile=srgb'] });
    let results;
    try {
        const page = await browser.newPage();
        page.on('pageerror', (e) => console.error(`page: ${e.message}`));
        await page.goto(`http://127.0.0.1:${server.address().port}/`);
        await page.waitForFunction(() => window.comparisonReady === true);
        results = await page.evaluate((far) => window.compareAll(far), FAR);
    } finally {
        await browser.close();
        server.close();
    }

    let passed = 0, failed = 0;
    let worstMean = 0, worstShare = 0, worstMax = 0, worstBlurred = 0;
    for (const r of results) {
        writeFileSync(join(drawn, r.file), Buffer.from(r.png.split(',')[1], 'base64'));
        worstMean = Math.max(worstMean, r.mean);
        worstShare = Math.max(worstShare, r.farShare);
        worstMax = Math.max(worstMax, r.max);
        worstBlurred = Math.max(worstBlurred, r.blurredMax);
        const ok = r.mean <= MAX_MEAN && r.farShare <= MAX_FAR_SHARE && r.blurredMax <= MAX_BLURRED;
        if (ok) ++passed;
        else ++failed;
        if (!ok || process.env.ZORVAN_ART_VERBOSE)
            console.log(`${ok ? 'ok  ' : 'FAIL'} ${r.file}: mean ${r.mean.toFixed(3)}, ` +
                        `${(100 * r.farShare).toFixed(2)} % beyond ${FAR}, largest ${r.max}, ` +
                        `blurred ${r.blurredMax.toFixed(1)}`);
    }
    console.log(`worst: mean ${worstMean.toFixed(3)} (bound ${MAX_MEAN}), ` +
                `${(100 * worstShare).toFixed(2)} % beyond ${FAR} (bound ${100 * MAX_FAR_SHARE} %), ` +
                `softened ${worstBlurred.toFixed(1)} (bound ${MAX_BLURRED}), ` +
                `largest single difference ${worstMax}`);
    console.log(`window pictures in ${shots}, the canvas's in ${drawn}`);
    console.log(`${passed} passed, ${failed} failed`);
    if (results.length === 0 || failed > 0) process.exitCode = 1;
}

main().catch((e) => {
    console.error(`art_painter_test: ${e.stack || e}`);
    process.exitCode = 1;
});
