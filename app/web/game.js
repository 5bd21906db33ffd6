// The game's module (zorvan-page.js, the C++ core with its page binding) and the one rule of
// calling it: one call at a time. A box of the game suspends the module inside a call until the
// player answers it, so every event (a press, a menu command, a key, a worker's answer) waits in
// a queue until the calls before it are over. Clock ticks are not queued: one that comes while
// the module is busy is dropped, as the window drops its ticks while a box is open.
import createZorvanPage from './zorvan-page.js';

export class Game {
    // `bridge`: the page's side (Module.page), which the module calls for its boxes, drawing,
    // sounds, clock, record panel and searches.
    static async load(bridge) {
        const module = await createZorvanPage({ page: bridge });
        return new Game(module);
    }

    constructor(module) {
        this.module = module;
        this.FS = module.FS;
        this.tasks = [];
        this.running = false;
        this.afterCall = null;  // run after every call into the module
    }

    // True while a call is running (a box of the game is open) or waiting.
    get busy() {
        return this.running || this.tasks.length > 0;
    }

    // A call that may suspend the module (a box, a dialog, a wait of the game).
    call(name, types = [], args = []) {
        return this.enqueue(() =>
            this.module.ccall(name, null, types, args, { async: true }));
    }

    // A question between events: it never suspends the module. Only while no call is running.
    ask(name, types = [], args = [], returns = 'string') {
        if (this.running) throw new Error(`${name} asked while the game is inside an event`);
        return this.module.ccall(name, returns, types, args);
    }

    askJson(name, types, args) {
        return JSON.parse(this.ask(name, types, args));
    }

    enqueue(task) {
        return new Promise((resolve, reject) => {
            this.tasks.push({ task, resolve, reject });
            this.pump();
        });
    }

    async pump() {
        if (this.running) return;
        while (this.tasks.length) {
            const { task, resolve, reject } = this.tasks.shift();
            this.running = true;
            try {
                const value = await task();
                this.running = false;
                if (this.afterCall) this.afterCall();
                resolve(value);
            } catch (e) {
                this.running = false;
                reject(e);
            }
        }
    }

    // ---- the window's events ----

    start(language) {
        return this.call('zorvan_page_start', ['string'], [language]);
    }

    setLevel(level) {
        return this.call('zorvan_page_set_level', ['number'], [level]);
    }

    press(button, x, y) {
        return this.call('zorvan_page_press', ['number', 'number', 'number'], [button, x, y]);
    }

    menu(control) {
        return this.call('zorvan_page_menu', ['string'], [control]);
    }

    key(code) {
        return this.call('zorvan_page_key', ['number'], [code]);
    }

    tick() {
        if (this.busy) return;
        this.call('zorvan_page_tick');
    }

    openRecord(path) {
        return this.call('zorvan_page_open_record', ['string'], [path]);
    }

    searchDone(id, result, readyAt) {
        return this.call('zorvan_page_search_done', ['number', 'string', 'number'],
                         [id, result, readyAt]);
    }

    setLanguage(code) {
        return this.enqueue(() =>
            this.module.ccall('zorvan_page_set_language', 'number', ['string'], [code],
                              { async: true }));
    }

    // ---- questions between events ----

    language() {
        return this.ask('zorvan_page_language');
    }

    chooseLanguage(wishes) {
        return this.ask('zorvan_page_choose_language', ['string'], [wishes.join('\n')]);
    }

    languages() {
        return this.askJson('zorvan_page_languages');
    }

    menuTree() {
        return this.askJson('zorvan_page_menu_tree');
    }

    texts() {
        return this.askJson('zorvan_page_texts');
    }

    checks() {
        return this.askJson('zorvan_page_checks');
    }

    ended() {
        return this.ask('zorvan_page_ended', [], [], 'number') === 1;
    }

    artwork() {
        return this.askJson('zorvan_page_artwork');
    }

    recordLimit() {
        return this.ask('zorvan_page_record_limit', [], [], 'number');
    }

    position() {
        return this.ask('zorvan_page_position');
    }

    // A background tile's pixels (a copy: the module's buffer is reused). The one question asked
    // even while a box is open (the board is painted anew when the page is resized): it draws
    // into a buffer of its own and touches nothing of the game.
    background(id, variant, width, height) {
        const at = this.module.ccall('zorvan_page_background', 'number',
                                     ['number', 'number', 'number', 'number'],
                                     [id, variant, width, height]);
        return new Uint8ClampedArray(this.module.HEAPU8.slice(at, at + width * height * 4).buffer);
    }
}
