// The page's Content Security Policy (app/web/csp.txt) and its service worker (sw.js, as the
// build writes it) in a real headless Chromium. A page of the test's own (csp_page/) under the
// policy, served with a copy of the site, compiles and runs the search module, asks the page's
// search worker, draws with the site's font, fetches a sound and shows a data: picture, and
// nothing it does is refused (eval is, so the policy is in force). With the server gone and the
// browser offline, the reloaded page does all of it again from the worker's cache; a new build
// then replaces the cache of the old one.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';

import { nativeCli, output, scratchFolder, site } from './helpers.mjs';
import { serve } from './static_server.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const source = path.resolve(here, '../..');
const chromium = process.env.ZORVAN_CHROMIUM || '/usr/bin/chromium';
const puppeteer = (await import('puppeteer-core').catch(() => null))?.default;
if (!puppeteer) throw new Error('puppeteer-core is not installed: run `make web-test-deps`');

// The site's copy with the test's page, and the service worker written for it as the build
// writes it (tools/make_service_worker.py).
function makeWorker(folder) {
    const done = spawnSync('python3', [
        path.join(source, 'tools', 'make_service_worker.py'), '--site', folder,
        '--template', path.join(source, 'app', 'web', 'sw.js'), '--on-demand', 'sounds/BGM.wav',
    ], { encoding: 'utf8' });
    assert.equal(done.status, 0, done.stderr);
}

function siteWithPage(request) {
    const folder = scratchFolder();
    fs.cpSync(site, folder, { recursive: true });
    const csp = fs.readFileSync(path.join(source, 'app', 'web', 'csp.txt'), 'utf8').trim();
    const page = fs.readFileSync(path.join(here, 'csp_page', 'check.html'), 'utf8');
    fs.writeFileSync(path.join(folder, 'check.html'),
                     page.replace('content="@CSP@"', `content="${csp}"`));
    for (const name of ['check.js', 'check.css'])
        fs.copyFileSync(path.join(here, 'csp_page', name), path.join(folder, name));
    fs.writeFileSync(path.join(folder, 'check.json'), JSON.stringify({ request }));
    makeWorker(folder);
    return folder;
}

// The files the worker keeps, as it lists them.
function listedFiles(folder) {
    const text = fs.readFileSync(path.join(folder, 'sw.js'), 'utf8');
    return JSON.parse(text.match(/^const FILES = (\[[^\]]*\]);$/m)[1]);
}

// An answer without its time (the one field that may differ).
const untimed = (answer) => answer.split(' ').filter((_, i) => i !== 11).join(' ');

async function cacheNames(page) {
    return page.evaluate(async () => (await caches.keys()).filter((k) => k.startsWith('zorvan-')));
}

async function cachedPaths(page, name) {
    return page.evaluate(async (cacheName) => {
        const cache = await caches.open(cacheName);
        return (await cache.keys()).map((r) => new URL(r.url).pathname.slice(1)).sort();
    }, name);
}

function assertAllWorks(result, native) {
    assert.ok(result.evalRefused && result.evalReported, 'the policy is in force: eval refused');
    assert.deepEqual(result.violations, []);
    assert.equal(untimed(result.pageAnswer), untimed(native), 'the module in the page');
    assert.equal(untimed(result.workerAnswer), untimed(native), 'the module in the worker');
    assert.equal(result.font, 'ZorvanJP loaded');
    assert.equal(result.sound, `200 ${fs.statSync(path.join(site, 'sounds', '禁止.wav')).size}`);
    assert.equal(result.picture, '3x2');
    assert.equal(result.worker, 'ready');
}

test('the page under its policy, online, offline, and after a new build', async () => {
    const args = ['bestmove', '--level', '5', '--depth', '4', '--moves', '7776 5254'];
    const request = output(nativeCli, [...args, '--request']).trim().replace(/^request /, '');
    const native = output(nativeCli, [...args, '--answer']).trim().replace(/^answer /, '');
    const folder = siteWithPage(request);
    let server = await serve(folder);
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        userDataDir: scratchFolder(),
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
    try {
        let page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        await page.goto(`${server.url}check.html`);
        const online = await page.evaluate(() => window.check);
        assertAllWorks(online, native);

        // Every file of the site but the music is kept, under this build's version.
        const [first] = await cacheNames(page);
        const listed = listedFiles(folder).map(decodeURIComponent).sort();
        assert.ok(listed.includes('check.html') && listed.includes('zorvan-search.wasm'));
        assert.ok(!listed.includes('sw.js') && !listed.includes('sounds/BGM.wav'));
        const cached = (await cachedPaths(page, first)).map(decodeURIComponent);
        for (const file of listed) assert.ok(cached.includes(file), `${file} is not kept`);

        // Offline: no server, and the browser cut off too.
        await server.close();
        await page.setOfflineMode(true);
        await page.reload({ waitUntil: 'load' });
        const offline = await page.evaluate(() => window.check);
        assertAllWorks(offline, native);
        assert.ok(offline.controlled, 'the reloaded page is the service worker\'s');
        assert.deepEqual(errors, []);

        // A new build: one more file, so a new worker and version. It takes over once no page of
        // the old build is open, and leaves only its own cache.
        await page.setOfflineMode(false);
        fs.writeFileSync(path.join(folder, 'added.txt'), 'a new build\n');
        makeWorker(folder);
        server = await serve(folder, { port: server.port });
        await page.evaluate(async () => {
            const registration = await navigator.serviceWorker.getRegistration();
            await registration.update();
            const waiting = registration.installing || registration.waiting;
            if (waiting && waiting.state !== 'installed') {
                await new Promise((resolve) => waiting.addEventListener('statechange', () => {
                    if (waiting.state === 'installed' || waiting.state === 'redundant') resolve();
                }));
            }
        });
        assert.equal((await cacheNames(page)).length, 2, 'the old build still has its cache');
        await page.close();
        page = await browser.newPage();
        await page.goto(`${server.url}check.html`);
        await page.waitForFunction(async () => {
            const names = (await caches.keys()).filter((k) => k.startsWith('zorvan-'));
            return names.length === 1;
        }, { polling: 100, timeout: 20000 });
        const [second] = await cacheNames(page);
        assert.notEqual(second, first);
        assert.ok((await cachedPaths(page, second)).includes('added.txt'));
        assertAllWorks(await page.evaluate(() => window.check), native);
    } finally {
        await browser.close();
        await server.close();
    }
});
