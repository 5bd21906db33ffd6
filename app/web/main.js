// The page: the game's module with the page's board, menus, boxes, record panel, sounds, clock and
// searching worker wired to it in one place, as the window's main window wires the game to Qt.
import { Game } from './game.js';
import { BoardView } from './board.js';
import { Dialogs } from './dialogs.js';
import { MenuBar } from './menus.js';
import { RecordPanel } from './record_panel.js';
import { SearchWorker } from './search.js';
import { Sounds } from './sound.js';
import * as storage from './storage.js';

const FOLDER = '/zorvan';           // the game's current folder in the module's file system
const UPLOADS = '/uploads';         // record files opened from the visitor's disk, for a moment
const SETTINGS = `${FOLDER}/ZORVAN.ini`;
const RECORD_EXTENSION = '.棋譜';
const TICK_MS = 250;
const LONG_PRESS_MS = 500;
const KEY_ESC = 27;
const BUTTON_LEFT = 1;
const BUTTON_RIGHT = 2;
const SOUND_FORBIDDEN = 1;

const $ = (id) => document.getElementById(id);

function timeOfDay() {
    const d = new Date();
    return d.getHours() * 3600 + d.getMinutes() * 60 + d.getSeconds() + d.getMilliseconds() / 1000;
}

function download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    a.hidden = true;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
}

function registerServiceWorker() {
    if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
    // The offline worker is there once the site has it.
    fetch('sw.js', { method: 'HEAD' })
        .then((r) => r.ok && navigator.serviceWorker.register('sw.js'))
        .catch(() => {});
}

async function main() {
    registerServiceWorker();
    const keptRecords = storage.loadRecords();
    let board, dialogs, panel, menus, game;
    const sounds = new Sounds();
    const worker = new SearchWorker((id, text) => game.searchDone(id, text, timeOfDay()));
    let texts = {};
    let clock = 0;
    let ended = false;
    let levelKept = storage.loadLevel();
    let started = false;  // start-up done, the kept level set
    let refused = false;     // the forbidden sound just played: a refusal's box follows
    let touchPress = false;  // the event in the module came from a touch screen

    const bridge = {
        message(text, title, icon) {
            if (refused && touchPress) dialogs.hint = texts.longPress;
            refused = false;
            return dialogs.message(text, title, icon);
        },
        ask: (text, title) => dialogs.ask(text, title),
        choosePiece: (set, left, top) => dialogs.pieceChoice(set, left, top),
        showPieceChoice: (shown, pressed, kind, left, top) =>
            dialogs.pieceChoice(shown, left, top, { set: pressed, kind }),
        wait: (seconds) => new Promise((done) => setTimeout(done, seconds * 1000)),
        now: timeOfDay,
        setTimer(on) {
            clearInterval(clock);
            clock = on ? setInterval(() => game.tick(), TICK_MS) : 0;
        },
        quit() {
            ended = true;
        },
        setFileLists: (drive, dirs, files) => panel.setLists(drive, dirs, files),
        setRecordInput: (visible) => panel.setInput(visible),
        recordField: (i) => panel.field(i),
        refreshFileList() {
            keepWrittenRecords();
            panel.refreshFiles();
        },
        checksChanged: (checks) => menus.showChecks(checks),
        search: (id, request) => worker.search(id, request),
        stopSearch: () => worker.stop(),
        picture: (id, shade, c, r) => board.picture(id, shade, c, r),
        outline: (colour, c, r) => board.outline(colour, c, r),
        text: (c, r, text, colour, size) => board.text(c, r, text, colour, size),
        refresh: () => board.refresh(),
        soundStart: () => sounds.start(),
        soundPlay(id, looping) {
            if (id === SOUND_FORBIDDEN) refused = true;
            sounds.play(id, looping);
        },
        soundStop: (id) => sounds.stop(id),
        soundClose: () => sounds.close(),
    };

    game = await Game.load(bridge);
    const FS = game.FS;

    // The files kept from earlier visits go into the game's folder before it starts.
    FS.mkdirTree(FOLDER);
    FS.mkdirTree(UPLOADS);
    FS.chdir(FOLDER);
    const settings = storage.loadSettings();
    if (settings) FS.writeFile(SETTINGS, settings);
    let settingsKept = settings ? settings.join() : '';
    const recordTimes = new Map();
    for (const r of await keptRecords) {
        const path = `${FOLDER}/${r.name}`;
        FS.writeFile(path, r.bytes);
        recordTimes.set(r.name, FS.stat(path).mtime.getTime());
    }

    const recordNames = () => FS.readdir(FOLDER)
        .filter((n) => n.endsWith(RECORD_EXTENSION) && n.length > RECORD_EXTENSION.length)
        .sort();

    // A record the game has just written is kept in the browser and offered as a download.
    function keepWrittenRecords() {
        for (const name of recordNames()) {
            const path = `${FOLDER}/${name}`;
            const time = FS.stat(path).mtime.getTime();
            if (recordTimes.get(name) === time) continue;
            recordTimes.set(name, time);
            const bytes = FS.readFile(path);
            storage.saveRecord(name, bytes);
            download(name, bytes);
        }
    }

    function keepSettings() {
        let bytes;
        try {
            bytes = FS.readFile(SETTINGS);
        } catch {
            return;
        }
        const text = bytes.join();
        if (text === settingsKept) return;
        settingsKept = text;
        storage.saveSettings(bytes);
    }

    const artwork = game.artwork();
    board = new BoardView($('stage'), $('board'), artwork,
                         (id, variant, w, h) => game.background(id, variant, w, h));
    board.onPainted = () => {
        board.onPainted = null;
        performance.mark('zorvan-first-picture');
    };
    dialogs = new Dialogs($('layer'), board, artwork, () => texts);
    menus = new MenuBar($('menubar'), (name) => game.menu(name), (name) => game.menu(name));
    panel = new RecordPanel($('record-panel'), board, FOLDER, recordNames, {
        onFile: (path) => game.openRecord(path),
        onUpload: (file) => openUpload(file),
        onReturn: () => game.menu('Command1'),
    });

    // A record file from the visitor's disk: no more of it than the game reads before it refuses
    // the file for its size.
    async function openUpload(file) {
        const limit = game.busy ? Infinity : game.recordLimit();
        const bytes = new Uint8Array(await file.slice(0, Math.min(file.size, limit + 1)).arrayBuffer());
        const path = `${UPLOADS}/${file.name.replace(/\//g, '_') || 'record'}`;
        await game.enqueue(async () => FS.writeFile(path, bytes));
        try {
            await game.openRecord(path);
        } finally {
            try {
                FS.unlink(path);
            } catch {
                // gone already
            }
        }
    }

    function showTexts() {
        texts = game.texts();
        const code = game.language();
        document.documentElement.lang = code;
        menus.build(game.menuTree());
        menus.showChecks(game.checks());
        panel.setTexts(texts);
        $('language-caption').textContent = texts.language;
        $('touch-hint').textContent = texts.longPress;
        $('ended-text').textContent = texts.ended;
        $('restart').textContent = texts.restart;
        const select = $('language');
        select.setAttribute('aria-label', texts.language);
        if (!select.options.length)
            for (const l of game.languages()) select.append(new Option(l.name, l.code));
        select.value = code;
    }

    game.afterCall = () => {
        keepSettings();
        const checks = game.checks();
        menus.showChecks(checks);
        const level = [1, 2, 3, 4, 5].find((n) => checks[`LEVEL${n}`]);
        if (started && level && level !== levelKept) storage.saveLevel(levelKept = level);
        if (ended || game.ended()) showEnded();
    };

    function showEnded() {
        if (!$('ended').hidden) return;
        clearInterval(clock);
        worker.stop();
        $('ended').hidden = false;
        $('restart').focus();
    }
    $('restart').addEventListener('click', () => location.reload());

    // ---- the player's input ----

    const canvas = $('board');
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    let longPress = null;
    canvas.addEventListener('pointerdown', (e) => {
        if (dialogs.isOpen || ended) return;
        if (menus.isOpen) {
            menus.closeAll();
            return;
        }
        const t = board.twipsOf(e.clientX, e.clientY);
        if (e.pointerType === 'touch') {
            // No right button on a touch screen: a long press stands for it.
            $('touch-hint').hidden = false;
            clearTimeout(longPress?.timer);
            longPress = { x: e.clientX, y: e.clientY, t, id: e.pointerId };
            longPress.timer = setTimeout(() => {
                const p = longPress;
                longPress = null;
                if (navigator.vibrate) navigator.vibrate(20);
                pressFromTouch(BUTTON_RIGHT, p.t);
            }, LONG_PRESS_MS);
            return;
        }
        const button = e.button === 0 ? BUTTON_LEFT : e.button === 2 ? BUTTON_RIGHT : 0;
        if (!button) return;
        e.preventDefault();
        game.press(button, t.x, t.y);
    });
    canvas.addEventListener('pointerup', (e) => {
        if (!longPress || longPress.id !== e.pointerId) return;
        clearTimeout(longPress.timer);
        const p = longPress;
        longPress = null;
        pressFromTouch(BUTTON_LEFT, p.t);
    });
    const cancelLongPress = (e) => {
        if (!longPress || longPress.id !== e.pointerId) return;
        if (e.type === 'pointermove' &&
            Math.hypot(e.clientX - longPress.x, e.clientY - longPress.y) < 12) return;
        clearTimeout(longPress.timer);
        longPress = null;
    };
    canvas.addEventListener('pointermove', cancelLongPress);
    canvas.addEventListener('pointercancel', cancelLongPress);

    function pressFromTouch(button, t) {
        game.enqueue(async () => { touchPress = true; });
        game.press(button, t.x, t.y);
        game.enqueue(async () => { touchPress = false; });
    }

    document.addEventListener('keydown', (e) => {
        if (e.key !== 'Escape' || dialogs.isOpen || menus.isOpen || ended) return;
        e.preventDefault();
        game.key(KEY_ESC);
    });

    $('language').addEventListener('change', async (e) => {
        const code = e.target.value;
        await game.setLanguage(code);
        storage.saveLanguage(code);
        showTexts();
        board.repaint();
    });

    // ---- start-up ----

    const wishes = [storage.loadLanguage(), ...(navigator.languages || [navigator.language])]
        .filter(Boolean);
    const language = game.chooseLanguage(wishes);
    if (document.fonts) {
        // Texts drawn before the game's font arrived are drawn again with it.
        document.fonts.load(`bold 16px "ZorvanJP"`).catch(() => {});
        document.fonts.addEventListener('loadingdone', () => board.repaint());
    }
    $('loading').hidden = true;
    await game.start(language);
    if (levelKept) await game.setLevel(levelKept);
    started = true;
    showTexts();
    board.refresh();

    // For the page's tests and for the curious: the game as the page sees it.
    window.zorvan = {
        idle: () => !game.busy && !dialogs.isOpen,
        position: () => game.position(),
        texts: () => board.texts(),
        checks: () => game.checks(),
        ended: () => ended,
        searching: () => worker.waiting.size > 0,
        // The bytes of the game's module memory (its WebAssembly memory, grown as it needed).
        moduleBytes: () => game.module.HEAPU8.buffer.byteLength,
    };
    document.body.dataset.ready = 'true';
}

main().catch((e) => {
    console.error(e);
    const loading = $('loading');
    loading.hidden = false;
    loading.classList.add('failed');
    loading.textContent = `ZORVAN: ${e && e.message ? e.message : e}`;
});
