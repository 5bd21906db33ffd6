// What the page's tests share: the site served as `make serve-web` serves it, Debian's chromium
// driven by puppeteer-core, and a player's actions on the page (presses on the board's cells,
// menu commands, the boxes answered) with what the page shows.
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

import { launchChromium } from './chromium.mjs';

export const source = process.env.ZORVAN_SOURCE || resolve(import.meta.dirname, '../..');
export const webBuild = process.env.ZORVAN_WEB_BUILD || join(source, 'build-web');
export const site = join(webBuild, 'site');
export const nativeCli = process.env.ZORVAN_NATIVE_CLI;
export const replayProgram = process.env.ZORVAN_PAGE_REPLAY;

// The grid as the game draws it, in twips.
const BOARD_LEFT = 1050, BOARD_TOP = 1400, SQUARE_W = 495, SQUARE_H = 615;

// Serves the site with tools/serve_web.py on a free loopback port.
export async function serveSite() {
    const server = spawn('python3', [join(source, 'tools', 'serve_web.py'), '--site', site,
                                     '--port', '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
    const url = await new Promise((done, fail) => {
        let text = '';
        server.stdout.on('data', (chunk) => {
            text += chunk;
            const m = text.match(/http:\/\/127\.0\.0\.1:\d+\//);
            if (m) done(m[0]);
        });
        server.on('exit', (code) => fail(new Error(`serve_web.py ended (${code})`)));
    });
    return { url, close: () => server.kill() };
}

export function launchBrowser() {
    return launchChromium({ args: ['--lang=ja-JP'] });
}

// A fresh page of the site in a browser context of its own (its own storage), unless `context`
// is given. `frozenClock`: the page's time of day stands still (the clocks stay at zero, as in the
// native replay). `downloads`: the folder downloads go to.
export async function openPage(browser, url, { context, frozenClock, downloads, language = 'ja-JP',
                                              width = 800, height = 900, touch = false } = {}) {
    const ctx = context || await browser.createBrowserContext();
    const page = await ctx.newPage();
    page.errors = [];
    page.on('pageerror', (e) => page.errors.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') page.errors.push(m.text()); });
    await page.setViewport({ width, height, hasTouch: touch, isMobile: false });
    if (language) {
        await page.evaluateOnNewDocument((l) => {
            Object.defineProperty(navigator, 'languages', { get: () => [l] });
        }, language);
    }
    if (frozenClock) {
        await page.evaluateOnNewDocument(() => {
            const RealDate = Date;
            const fixed = new RealDate(2026, 0, 1, 10, 0, 0).getTime();
            window.Date = class extends RealDate {
                constructor(...a) { super(...(a.length ? a : [fixed])); }
                static now() { return fixed; }
            };
        });
    }
    if (downloads) {
        const cdp = await page.createCDPSession();
        await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads,
                                                        browserContextId: ctx.id });
    }
    page.context = ctx;
    await page.goto(url);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
    return page;
}

// Waits until the page has handled everything given to it and no box is open.
export async function idle(page, timeout = 30000) {
    await page.waitForFunction(() => window.zorvan && window.zorvan.idle(), { timeout });
}

// The box open now: { title, text, buttons }, waiting for one to open.
export async function box(page, timeout = 30000) {
    await page.waitForSelector('#layer:not([hidden]) .dialog', { timeout });
    return page.evaluate(() => {
        const d = document.querySelector('#layer .dialog');
        return {
            kind: d.classList.contains('piece-choice') ? 'piece' : 'message',
            title: d.querySelector('.dialog-title').textContent,
            text: d.querySelector('.dialog-text')?.textContent ?? '',
            buttons: [...d.querySelectorAll('button')].map((b) => b.name),
        };
    });
}

// Waits until the page has handled everything or a box is open; true for a box.
export async function settle(page, timeout = 30000) {
    await page.waitForFunction(() => window.zorvan.idle() ||
                               !document.getElementById('layer').hidden, { timeout });
    return boxOpen(page);
}

export async function boxOpen(page) {
    return page.evaluate(() => !document.getElementById('layer').hidden);
}

// Presses a button of the open box with the mouse ('ok', 'yes', 'no', or a piece name).
export async function answer(page, name) {
    await page.click(`#layer .dialog button[name="${name}"]`);
    await page.waitForFunction((n) => {
        const d = document.querySelector('#layer .dialog');
        return !d || !d.querySelector(`button[name="${n}"]`)?.isConnected;
    }, {}, name).catch(() => {});
}

// Reads the box open now and answers it; returns what it said.
export async function answerBox(page, name) {
    const b = await box(page);
    await answer(page, name || (b.buttons.includes('yes') ? 'yes' : 'ok'));
    return b;
}

// The page position of the middle of grid cell (c, r).
export async function cellPoint(page, c, r) {
    return page.evaluate((c, r, g) => {
        const canvas = document.getElementById('board');
        const box = canvas.getBoundingClientRect();
        const zoom = Math.min(box.width / 640, box.height / 700);
        const k = zoom / 15;
        return { x: box.left + (g.left + (c + 0.5) * g.w) * k,
                 y: box.top + (g.top + (r + 0.5) * g.h) * k };
    }, c, r, { left: BOARD_LEFT, top: BOARD_TOP, w: SQUARE_W, h: SQUARE_H });
}

// A press on cell (c, r) of the grid with the mouse ('left' or 'right').
export async function pressCell(page, c, r, button = 'left') {
    const p = await cellPoint(page, c, r);
    await page.mouse.click(p.x, p.y, { button });
}

// The twips of cell (c, r)'s middle, as the window turns a press into them.
export function cellTwips(c, r) {
    return { x: BOARD_LEFT + (c + 0.5) * SQUARE_W, y: BOARD_TOP + (r + 0.5) * SQUARE_H };
}

// Chooses a menu command through the menu bar with the mouse: the top-level menu, then each
// item of the path.
export async function menu(page, ...path) {
    for (const name of path) {
        await page.waitForSelector(`#menubar [data-name="${name}"]`, { visible: true });
        await page.click(`#menubar [data-name="${name}"] > .menu-caption`);
    }
}

export async function position(page) {
    await idle(page);
    return page.evaluate(() => window.zorvan.position());
}

export async function boardTexts(page) {
    return page.evaluate(() => window.zorvan.texts());
}

// The native game driven by the same events (tests/web/page_replay.cpp).
export function replayNative(events) {
    const folder = mkdtempSync(join(tmpdir(), 'zorvan-replay-'));
    const script = join(folder, 'script.txt');
    writeFileSync(script, events.join('\n') + '\n');
    const r = spawnSync(replayProgram, [script, folder], { encoding: 'utf8' });
    if (r.status !== 0) throw new Error(`page replay failed: ${r.stderr}`);
    const out = JSON.parse(r.stdout);
    out.folder = folder;
    out.file = (name) => readFileSync(join(folder, name));
    out.cleanup = () => rmSync(folder, { recursive: true, force: true });
    return out;
}

// Standard output of a program that must succeed.
export function output(program, args) {
    const r = spawnSync(program, args, { encoding: 'utf8' });
    if (r.status !== 0) throw new Error(`${program} ${args.join(' ')}: ${r.stderr}`);
    return r.stdout;
}

export async function waitForFile(path, timeout = 20000) {
    const end = Date.now() + timeout;
    while (Date.now() < end) {
        if (existsSync(path)) {
            await sleep(200);  // the download is renamed into place once complete
            return readFileSync(path);
        }
        await sleep(100);
    }
    throw new Error(`${path} did not arrive`);
}

export { sleep };
