// The page in a real headless Chromium, played as a person plays it: real presses on the board,
// the menu bar, the boxes answered with the mouse, the record panel typed into. What the page
// shows is held against the native game driven by the same events (page_replay.cpp) and the
// command-line tool: the same boxes, the same texts on the board, the same position and the same
// record file, byte for byte.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import * as h from './page_helpers.mjs';
import { Session } from './page_session.mjs';

let server, browser, scratch;

before(async () => {
    server = await h.serveSite();
    browser = await h.launchBrowser();
    scratch = mkdtempSync(join(tmpdir(), 'zorvan-page-'));
});

after(async () => {
    await browser?.close();
    server?.close();
    if (scratch) rmSync(scratch, { recursive: true, force: true });
});

// A short game between persons: a chess pawn takes a 歩 into its hand.
const MOVES = ['7776', '6264', '7675', '6475', '2726'];
// Names the record's code page holds only as CP932 has them: a circled digit, a full-width tilde
// and half-width katakana.
const NAMES = ['対局①～ﾃｽﾄ', '先手さん', 'ｺﾞﾃ'];
const FILE = '記録①';

// The part of a position text that is the board and both hands.
const boardOf = (position) => position.split(' ').slice(0, 81 + 24).join(' ');

function pageErrors(page) {
    // Files the site may not have (the font subset, the sounds, the offline worker) are no fault.
    return page.errors.filter((e) => !/status of 404/.test(e));
}

test('a game between persons, written, downloaded and read back as the native game does', async () => {
    const downloads = join(scratch, 'downloads');
    const page = await h.openPage(browser, server.url, { frozenClock: true, downloads });
    const s = new Session(page);
    await s.menu('TAIKYOKU', 'MATCH_MAN');
    assert.equal((await s.answer()).text, '先手の番です');
    for (const m of MOVES) await s.move(m);
    await h.idle(page);
    const played = await h.position(page);

    await s.menu('KIFU', 'KIFU_WRITE');
    await page.waitForSelector('#Text2', { visible: true });
    for (let i = 0; i < 3; ++i) await s.type(i + 1, NAMES[i]);
    await s.type(4, FILE);
    await s.returnButton();
    assert.equal((await s.answer()).text, '棋譜を書き込みました');
    await h.idle(page);

    // The native game, given the same events, shows the same and writes the same file.
    const native = s.native();
    try {
        assert.deepEqual(s.boxes, native.messages);
        assert.deepEqual(await h.boardTexts(page), native.texts);
        assert.equal(await h.position(page), native.position);
        const name = `${FILE}.棋譜`;
        const downloaded = await h.waitForFile(join(downloads, name));
        assert.deepEqual(downloaded, native.file(name));
        const cli = join(scratch, 'cli.棋譜');
        h.output(h.nativeCli, ['record', cli, '--moves', MOVES.join(' '), '--name', NAMES[0],
                               '--sente', NAMES[1], '--gote', NAMES[2]]);
        assert.deepEqual(downloaded, readFileSync(cli));

        // The record is kept in the browser: 読込 lists it.
        await s.menu('KIFU', 'KIFU_READ');
        await page.waitForSelector('#File1 [data-path]', { visible: true });
        const listed = await page.$$eval('#File1 [data-path]', (items) => items.map((i) => i.textContent));
        assert.deepEqual(listed, [name]);

        // Read back from disk and stepped through with 進, it comes back to the same position.
        await s.openFile(join(downloads, name));
        assert.equal((await s.answer()).text, ' 読み込みました');
        assert.equal((await s.answer()).text, "棋譜を '進 'で進めて下さい");
        assert.notEqual(boardOf(await h.position(page)), boardOf(played));
        for (let i = 0; i < MOVES.length; ++i) await s.menu('AFTER');
        assert.equal(boardOf(await h.position(page)), boardOf(played));
        const replayed = s.native();
        assert.deepEqual(s.boxes, replayed.messages);
        assert.deepEqual(await h.boardTexts(page), replayed.texts);
        replayed.cleanup();
        assert.deepEqual(pageErrors(page), []);
    } finally {
        native.cleanup();
        await page.context.close();
    }
});

test('malformed and huge records are refused as the window refuses them', async () => {
    const page = await h.openPage(browser, server.url, { frozenClock: true });
    const s = new Session(page);
    await s.menu('TAIKYOKU', 'MATCH_MAN');
    await s.answer();
    await s.move('7776');
    await h.idle(page);
    const before = await h.position(page);

    // A move line whose first cell holds 77, no piece of the game; a move line with a hand count
    // that is no digit; a file past the reader's limit.
    const cells = (first) => first + '  0'.repeat(80);
    const line = (first, hand) => cells(first) + hand + '0'.repeat(23) + '    0'.repeat(4);
    const files = {
        'bad.棋譜': Buffer.from(`a\r\nb\r\nc\r\n${line(' 77', '0')}\r\n`, 'latin1'),
        'hand.棋譜': Buffer.from(`a\r\nb\r\nc\r\n${line('  0', 'x')}\r\n`, 'latin1'),
        'huge.棋譜': Buffer.alloc(30 * 1024 * 1024, 0x41),
    };
    for (const [name, bytes] of Object.entries(files)) {
        const path = join(scratch, name);
        writeFileSync(path, bytes);
        await s.menu('KIFU', 'KIFU_READ');
        await page.waitForSelector('#OpenFile', { visible: true });
        await s.openFile(path);
        const refusal = await s.answer();
        assert.ok(refusal.text.length > 0, name);
        await h.idle(page);
        assert.equal(await h.position(page), before, `${name} changed the game`);
    }
    const native = s.native();
    try {
        assert.deepEqual(s.boxes, native.messages);
        assert.equal(native.position, before);
    } finally {
        native.cleanup();
        await page.context.close();
    }
});

test('the options and the level survive a reload, kept as the settings file', async () => {
    const page = await h.openPage(browser, server.url);
    await h.menu(page, 'OPTION', 'HAIKEI_GA', 'TATAMI');
    await h.idle(page);
    await h.menu(page, 'OPTION', 'SIDOU');
    await h.idle(page);
    await h.menu(page, 'OPTION', 'KEIKA');
    await h.idle(page);
    await h.menu(page, 'TAIKYOKU', 'LEVEL', 'LEVEL2');
    await h.idle(page);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await h.idle(page);
    try {
        const checks = await page.evaluate(() => window.zorvan.checks());
        assert.equal(checks.TATAMI, true);
        assert.equal(checks.MIDORI, false);
        assert.equal(checks.SIDOU, true);
        assert.equal(checks.KEIKA, false);
        assert.equal(checks.LEVEL2, true);
        assert.equal(checks.LEVEL3, false);
        // The menu shows them.
        const marked = await page.$$eval('#menubar [aria-checked="true"]',
                                         (items) => items.map((i) => i.dataset.name).sort());
        assert.deepEqual(marked, ['BGM', 'LEVEL2', 'SIDOU', 'TATAMI']);
        // What the browser keeps is the settings file's own text, in its code page.
        const kept = await page.evaluate(() => localStorage.getItem('zorvan.ini'));
        const text = new TextDecoder('shift_jis').decode(Buffer.from(kept, 'base64'));
        assert.equal(text, '背景画=畳\r\n移動指導=ON\r\n経過時間=OFF\r\nチェス側持駒OK=OFF\r\nBGM=ON\r\n');
    } finally {
        await page.context.close();
    }
});

test('English through the language switch, kept across a reload, as the native game speaks it', async () => {
    const page = await h.openPage(browser, server.url, { frozenClock: true });
    const s = new Session(page);
    await s.language('en');
    const caption = await page.$eval('#menubar [data-name="TAIKYOKU"] .menu-caption',
                                     (e) => e.textContent);
    assert.equal(caption, 'Game');
    await s.menu('TAIKYOKU', 'MATCH_MAN');
    await s.answer();
    await s.move('7776');
    await h.idle(page);
    const native = s.native();
    try {
        assert.deepEqual(s.boxes, native.messages);
        assert.deepEqual(await h.boardTexts(page), native.texts);
        await page.reload();
        await page.waitForSelector('body[data-ready="true"]');
        assert.equal(await page.evaluate(() => document.documentElement.lang), 'en');
        assert.equal(await page.$eval('#menubar [data-name="KIFU"] .menu-caption',
                                      (e) => e.textContent), 'Record');
    } finally {
        native.cleanup();
        await page.context.close();
    }
});

test('on a touch screen a long press promotes: a chess pawn chooses its piece in the dialog', async () => {
    const page = await h.openPage(browser, server.url, { frozenClock: true, touch: true });
    const s = new Session(page);
    try {
        await s.menu('TAIKYOKU', 'MATCH_MAN');
        await s.answer();
        const moves = ['8878', '9294', '1716', '9495', '1615', '9596', '1514', '9687', '1413'];
        for (const m of moves) {
            await s.touch(Number(m[0]), Number(m[1]));
            await s.touch(Number(m[2]), Number(m[3]));
        }
        assert.equal(await page.$eval('#touch-hint', (e) => e.hidden), false);
        assert.equal(await page.$eval('#touch-hint', (e) => e.textContent),
                     'タッチ画面では長押しが右クリックです（成り）');
        // The chess pawn reaches the eighth rank with a long press: the dialog of the black set.
        await s.touch(8, 7);
        await s.touch(8, 8, true);
        const dialog = await h.box(page);
        assert.equal(dialog.kind, 'piece');
        await s.choose('QEEN');
        await h.idle(page);
        const cli = h.output(h.nativeCli, ['show', '--moves', [...moves, '8788=QEEN'].join(' ')]);
        const cells = cli.split('\n').slice(0, 9).map((l) => l.trim().split(/\s+/).map(Number));
        const board = (await h.position(page)).split(' ').map(Number);
        for (let x = 1; x <= 9; ++x)
            for (let y = 1; y <= 9; ++y)
                assert.equal(board[(x - 1) * 9 + y - 1], cells[y - 1][x - 1], `cell ${x}${y}`);
        const native = s.native();
        assert.deepEqual(s.boxes, native.messages);
        assert.equal(await h.position(page), native.position);
        native.cleanup();
    } finally {
        await page.context.close();
    }
});

test('the menus and the boxes answer the keyboard', async () => {
    const page = await h.openPage(browser, server.url);
    try {
        await page.focus('#menubar .menu-top');
        await page.keyboard.press('Enter');            // 対局 opens, its first item has the focus
        await page.waitForSelector('#menubar [data-name="MATCH_MAN"]', { visible: true });
        await page.keyboard.press('Enter');            // 対局(人間)
        const b = await h.box(page);
        assert.equal(b.text, '先手の番です');
        await page.keyboard.press('Enter');            // OK
        await h.idle(page);
        assert.equal(await h.boxOpen(page), false);
        // The arrows move along the bar with the menu open; Esc closes the menu and ends nothing.
        await page.focus('#menubar .menu-top');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('ArrowRight');       // 局面, open
        await page.waitForSelector('#menubar [data-name="CANCEL"]', { visible: true });
        await page.keyboard.press('Escape');           // closes the menu only
        await h.idle(page);
        assert.equal(await page.evaluate(() => window.zorvan.ended()), false);
        assert.equal(await page.$eval('#menubar [data-name="CANCEL"]', (e) => e.offsetParent), null);
    } finally {
        await page.context.close();
    }
});

test('Esc ends the game as 終わり does, and the page offers to start again', async () => {
    const page = await h.openPage(browser, server.url);
    try {
        await page.keyboard.press('Escape');
        await page.waitForSelector('#ended', { visible: true });
        await h.pressCell(page, 7, 7);  // nothing reacts any more
        assert.equal(await h.boxOpen(page), false);
        await page.click('#restart');
        await page.waitForSelector('body[data-ready="true"]');
        assert.equal(await page.$eval('#ended', (e) => e.hidden), true);
    } finally {
        await page.context.close();
    }
});
