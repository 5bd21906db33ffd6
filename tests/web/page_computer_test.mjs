// The computer in the page, in a real headless Chromium: LEVEL1 inside the event that starts its
// turn, as in the window (a whole game to its end, held against the native game given the same
// presses); LEVEL5 in the page's Web Worker, while the page stays alive: its clock runs, "思考中"
// shows, a menu opens, and 最初 stops the search at once.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import * as h from './page_helpers.mjs';
import { Session } from './page_session.mjs';

let server, browser;

before(async () => {
    server = await h.serveSite();
    browser = await h.launchBrowser();
});

after(async () => {
    await browser?.close();
    server?.close();
});

const START = '0 0 0 0 0 0 -1 0 -4 8 3 0 0 0 0 -1 -14 -6 11 3 0 0 0 0 -1 0 -9 12 3 0 0 0 0 -1 0 ' +
    '-13 18 3 0 0 0 0 -1 0 -20 19 3 0 0 0 0 -1 0 -13 12 3 0 0 0 0 -1 0 -9 11 3 0 0 0 0 -1 -16 ' +
    '-6 8 3 0 0 0 0 -1 0 -4';
const boardOf = (position) => position.split(' ').slice(0, 81).join(' ');
const moveNo = (position) => Number(position.split(' ')[105]);
const thinking = (texts) => texts.some((t) => t.text === '思考中');

test('a game against LEVEL1 to its end, with every box answered, as the native game plays it', async () => {
    const page = await h.openPage(browser, server.url, { frozenClock: true });
    const s = new Session(page);
    try {
        await s.menu('TAIKYOKU', 'LEVEL', 'LEVEL1');
        await s.menu('TAIKYOKU', 'START2');
        assert.equal((await s.answer()).text, 'MANの番です');
        // The 王 walks up to the chess army, which takes it.
        for (const m of ['5756', '5958', '5857', '5746', '4645', '4544', '4443']) {
            await s.move(m);
            await s.answerAll('no');
        }
        const texts = s.boxes.map((b) => b.text);
        assert.deepEqual(texts.slice(-2), ['ｺﾝﾋﾟｭｰﾀの勝ちです', '続けますか？']);
        // "No" ends the game: the page says so.
        await page.waitForSelector('#ended', { visible: true });
        const native = s.native();
        assert.deepEqual(s.boxes, native.messages);
        assert.deepEqual(await h.boardTexts(page), native.texts);
        native.cleanup();
    } finally {
        await page.context.close();
    }
});

// A LEVEL5 game in which the person has made the first move: the computer is thinking.
async function level5Thinking() {
    const page = await h.openPage(browser, server.url);
    await h.menu(page, 'TAIKYOKU', 'LEVEL', 'LEVEL5');
    await h.menu(page, 'TAIKYOKU', 'START2');
    await h.answerBox(page);
    await h.pressCell(page, 7, 7);
    await h.pressCell(page, 7, 6);
    await page.waitForFunction(() => window.zorvan.searching());
    return page;
}

test('LEVEL5 thinks in the worker while the clock runs and a menu opens', async () => {
    const page = await level5Thinking();
    try {
        assert.ok(thinking(await h.boardTexts(page)), '思考中 is shown');
        // The page answers at once: a menu opens while the computer thinks...
        await h.menu(page, 'OPTION');
        await page.waitForSelector('#menubar [data-name="SIDOU"]', { visible: true });
        assert.ok(await page.evaluate(() => window.zorvan.searching()));
        await page.keyboard.press('Escape');  // closes the menu, and ends nothing
        // ... and the computer's clock (the upper side's, left of the board) runs.
        await page.waitForFunction(() => window.zorvan.texts().some(
            (t) => t.c === -1.6 && t.colour === 15 && t.text !== '00:00:00'), { timeout: 10000 });
        assert.ok(await page.evaluate(() => window.zorvan.searching()), 'still thinking');
        // Then it moves.
        await page.waitForFunction(() => !window.zorvan.searching(), { timeout: 20000 });
        const p = await h.position(page);
        assert.equal(moveNo(p), 2);
        assert.equal(await page.evaluate(() => window.zorvan.ended()), false);
    } finally {
        await page.context.close();
    }
});

test('最初 stops a LEVEL5 search at once, and no move of it comes afterwards', async () => {
    const page = await level5Thinking();
    try {
        await h.menu(page, 'STOP', 'CANCEL');
        await h.idle(page);
        assert.equal(await page.evaluate(() => window.zorvan.searching()), false);
        assert.equal(boardOf(await h.position(page)), START);
        // Longer than the computer's budget: nothing comes.
        await h.sleep(3000);
        const p = await h.position(page);
        assert.equal(boardOf(p), START);
        assert.equal(moveNo(p), 0);
        assert.equal(await h.boxOpen(page), false);
    } finally {
        await page.context.close();
    }
});
