// A picture of the page in play for the README (make screenshot-web), and the web test that
// makes it (web.screenshot): the site served as `make serve-web` serves it, a short game between
// persons played with real presses, then the page photographed. The test also looks at the
// picture: the board is drawn (many colours, not a blank or one-colour canvas).
//
//   node tests/web/screenshot.mjs OUTPUT.png [--lang ja-JP|en-US]
import assert from 'node:assert/strict';
import * as h from './page_helpers.mjs';

const output = process.argv[2];
if (!output) {
    console.error('usage: node tests/web/screenshot.mjs OUTPUT.png [--lang ja-JP|en-US]');
    process.exit(2);
}
const at = process.argv.indexOf('--lang');
const language = at > 0 ? process.argv[at + 1] : 'ja-JP';

// A short opening, as presses on the board's cells (column from the left, row from the top): the
// shogi army opens its 角's diagonal, the chess army a pawn and a knight, the 角 goes out and the
// knight takes a 歩 into the chess army's hand.
const MOVES = [[3, 7, 3, 6], [5, 2, 5, 4], [8, 7, 8, 6], [8, 1, 7, 3], [8, 6, 8, 5],
               [4, 2, 4, 3], [2, 8, 5, 5], [7, 3, 8, 5]];

const server = await h.serveSite();
const browser = await h.launchBrowser();
try {
    const page = await h.openPage(browser, server.url, { language, width: 720, height: 820 });
    await h.menu(page, 'TAIKYOKU', 'MATCH_MAN');
    await h.answerBox(page);
    await h.idle(page);
    for (const m of MOVES) {
        const [fx, fy, tx, ty] = m;
        const before = await h.position(page);
        await h.pressCell(page, fx, fy);
        await h.pressCell(page, tx, ty);
        while (await h.settle(page)) await h.answerBox(page);
        assert.notEqual(await h.position(page), before, `the move ${m} was not played`);
    }
    await page.mouse.move(2, 2);
    await h.sleep(300);
    // Colours of the board's canvas, sampled: a drawn board has dozens.
    const colours = await page.evaluate(() => {
        const c = document.getElementById('board');
        const ctx = c.getContext('2d');
        const d = ctx.getImageData(0, 0, c.width, c.height).data;
        const seen = new Set();
        for (let i = 0; i < d.length; i += 4 * 97) seen.add((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]);
        return seen.size;
    });
    assert.ok(colours > 50, `the board shows only ${colours} colours`);
    await page.screenshot({ path: output });
    console.log(`${output}: the page after ${MOVES.length} moves (${colours} colours sampled)`);
    await page.context.close();
} finally {
    await browser.close();
    server.close();
}
