// Everything make bench-web-page knows of the page (app/web), in one place: its mark, its menus,
// boxes and board, and the hooks it offers its tests (window.zorvan). When the page changes, this
// file follows it. Then a whole game against LEVEL5 played through the page as a person plays it:
// the person's moves are the game's own hints (ﾋﾝﾄ), read from the page's search worker's answers
// and pressed on the board.
import { setTimeout as sleep } from 'node:timers/promises';

export const PAGE = {
    mark: 'zorvan-first-picture',
    ready: 'body[data-ready="true"]',
    workerScript: 'search_worker.js',
    canvas: 'board',                 // the board canvas's id
    canvasUnits: { w: 640, h: 700 }, // the client area in pixels at 15 twips a pixel
    twipsPerUnit: 15,
    grid: { left: 1050, top: 1400, w: 495, h: 615 },  // the board grid in twips
    menuItem: (name) => `#menubar [data-name="${name}"] > .menu-caption`,
    box: '#layer:not([hidden]) .dialog',
    boxButtons: '#layer .dialog button',
    ended: '#ended:not([hidden])',
    // The game's menu paths (control names, as the core's menu tree has them).
    level5: ['TAIKYOKU', 'LEVEL', 'LEVEL5'],
    againstComputer: ['TAIKYOKU', 'START2'],
    hint: ['TAIKYOKU', 'HINT'],
    // The hand columns of the grid and the buttons of a press.
    lowerHandColumn: 11,
    upperHandColumn: -1,
};

export async function menu(page, path) {
    for (const name of path) {
        await page.waitForSelector(PAGE.menuItem(name), { visible: true });
        await page.click(PAGE.menuItem(name));
    }
}

async function cellPoint(page, c, r) {
    return page.evaluate((c, r, p) => {
        const box = document.getElementById(p.canvas).getBoundingClientRect();
        const k = Math.min(box.width / p.canvasUnits.w, box.height / p.canvasUnits.h) / p.twipsPerUnit;
        return { x: box.left + (p.grid.left + (c + 0.5) * p.grid.w) * k,
                 y: box.top + (p.grid.top + (r + 0.5) * p.grid.h) * k };
    }, c, r, { canvas: PAGE.canvas, canvasUnits: PAGE.canvasUnits,
               twipsPerUnit: PAGE.twipsPerUnit, grid: PAGE.grid });
}

async function press(page, c, r, button = 'left') {
    const p = await cellPoint(page, c, r);
    await page.mouse.click(p.x, p.y, { button });
}

// The game as the page's hook tells it: the board and hands, then MOVE_NO, TURN, LOWER_PLAYER,
// KIFU_MODE and WINNER.
async function state(page) {
    const text = await page.evaluate(() => window.zorvan.position());
    const n = text.trim().split(/\s+/).map(Number);
    const [moveNo, turn, lower, , winner] = n.slice(81 + 24);
    return { moveNo, turn, lower, winner };
}

const idle = (page) => page.evaluate(() => window.zorvan.idle());
const ended = (page) => page.evaluate(() => window.zorvan.ended());

// The open box: { question, buttons }, or null.
async function openBox(page) {
    return page.evaluate((boxSelector, buttons) => {
        if (!document.querySelector(boxSelector)) return null;
        const names = [...document.querySelectorAll(buttons)].map((b) => b.name);
        const choice = document.querySelector(boxSelector).classList.contains('piece-choice');
        return { question: names.includes('yes'), choice, buttons: names };
    }, PAGE.box, PAGE.boxButtons);
}

// Answers the boxes as they open (a message with OK; a question, which only the game's end asks,
// through `onQuestion`; the piece choice with the piece of kind `choice`) until the page is idle
// with none open.
async function settle(page, onQuestion, choice = 0) {
    for (;;) {
        const box = await openBox(page);
        if (box) {
            if (box.choice) {
                await page.click(`${PAGE.boxButtons}[data-kind="${choice}"]`);
                await sleep(50);
                continue;
            }
            const name = box.question ? await onQuestion() : box.buttons.includes('ok')
                ? 'ok' : box.buttons[0];
            if (name) await page.click(`${PAGE.boxButtons}[name="${name}"]`);
            await sleep(50);
            continue;
        }
        if (await idle(page)) return;
        await sleep(50);
    }
}

// The number of answers the page's worker has given so far.
const answers = (page) => page.evaluate(() => window.__bench.fromWorker.length);

// Waits for the worker's next answer after `count`: its text, or null once `timeout` passes.
async function nextAnswer(page, count, timeout) {
    const end = Date.now() + timeout;
    while (Date.now() < end) {
        const text = await page.evaluate((k) => window.__bench.fromWorker[k]?.data?.result, count);
        if (text) return text;
        await sleep(50);
    }
    return null;
}

// The move of a search's answer: from, to and whether the piece promotes.
function answerMove(text) {
    const f = text.split(' ').map(Number);
    return { found: f[1] === 1, fromX: f[2], fromY: f[3], toX: f[4], toY: f[5],
             promotes: f[6] !== f[7], kindAfter: Math.abs(f[7]) };
}

// A whole game against LEVEL5, the person playing the hints, up to `maxPlies` plies. Returns
// { plies, result, hints (the hint searches' ids), finished, memory (measured by `atEnd` while
// the game's last box is open, or after the last ply) }.
export async function playAgainstLevel5(page, { maxPlies = 400, log = () => {}, atEnd }) {
    let memory = null;
    let result = 'plies';
    const hintIds = [];
    const onQuestion = async () => {
        // Only the game's end asks ("続けますか？"): measured, then answered No.
        result = 'game over';
        memory = await atEnd();
        return 'no';
    };
    await menu(page, PAGE.level5);
    await settle(page, onQuestion);
    await menu(page, PAGE.againstComputer);
    await settle(page, onQuestion);
    let plies = 0;
    while (plies < maxPlies && !(await ended(page)) && result !== 'game over') {
        const s = await state(page);
        if (s.winner) break;
        if (s.turn !== s.lower) {
            await sleep(100);  // the computer's turn: it thinks in the worker
            await settle(page, onQuestion);
            continue;
        }
        const before = await answers(page);
        const requestsBefore = await page.evaluate(() => window.__bench.toWorker.length);
        await menu(page, PAGE.hint);
        const text = await nextAnswer(page, before, 120000);
        if (!text) throw new Error('the hint gave no move');
        hintIds.push(await page.evaluate((k) => window.__bench.toWorker[k]?.data?.id,
                                         requestsBefore));
        await settle(page, onQuestion);
        const m = answerMove(text);
        if (!m.found) break;
        const fromRow = m.fromX === PAGE.upperHandColumn ? 10 - m.fromY : m.fromY;
        await press(page, m.fromX, fromRow);
        await press(page, m.toX, m.toY, m.promotes ? 'right' : 'left');
        await settle(page, onQuestion, m.kindAfter);  // a chess pawn's new piece is chosen
        const after = await state(page);
        if (after.moveNo === s.moveNo) throw new Error(`the hint's move ${text} was not played`);
        plies = after.moveNo;
        log(`ply ${plies}`);
    }
    if (!memory) memory = await atEnd();
    return { plies, result, hints: hintIds, memory };
}
