// A player's session on the page, written down as it goes as the events the native replay
// (page_replay.cpp) gives the core's game: the same presses, menu commands, answers and record
// panel texts, so that both can be compared box for box, text for text and byte for byte.
import * as h from './page_helpers.mjs';

export class Session {
    constructor(page) {
        this.page = page;
        this.events = [];
        this.boxes = [];      // every box the page showed: { text, title, question }
        this.trigger = 0;     // where the event that opened the box now answered stands
    }

    push(event) {
        this.events.push(event);
        this.trigger = this.events.length - 1;
    }

    async menu(...path) {
        for (const name of path) {
            this.push(`menu ${name}`);
            await h.menu(this.page, name);
        }
    }

    async press(c, r, button = 'left') {
        const t = h.cellTwips(c, r);
        this.push(`press ${button === 'left' ? 1 : 2} ${t.x} ${t.y}`);
        await h.pressCell(this.page, c, r, button);
    }

    // A touch on cell (c, r): a short one is a left press, a long one a right press.
    async touch(c, r, long = false) {
        const t = h.cellTwips(c, r);
        this.push(`press ${long ? 2 : 1} ${t.x} ${t.y}`);
        const p = await h.cellPoint(this.page, c, r);
        await this.page.touchscreen.touchStart(p.x, p.y);
        if (long) await h.sleep(800);
        await this.page.touchscreen.touchEnd();
    }

    // Presses a piece of the open piece choice dialog ('QEEN', 'ROOK', ...).
    async choose(name) {
        const kinds = { PORN: 3, ROOK: 8, NIGT: 11, BISYO: 12, QEEN: 18, KING: 19 };
        const b = await h.box(this.page);
        if (b.kind !== 'piece') throw new Error(`a ${b.kind} box is open, not the piece choice`);
        this.events.splice(this.trigger, 0, `choose ${kinds[name]}`);
        this.trigger += 1;
        await this.page.click(`#layer .dialog button[name="${name}"]`);
        await this.page.waitForFunction(() => document.getElementById('layer').hidden);
    }

    // A move in the command-line tool's notation: "7776", "2822+" (right button), "HU*55" is not
    // needed by these tests.
    async move(text) {
        const [fx, fy, tx, ty] = [...text.slice(0, 4)].map(Number);
        await this.press(fx, fy);
        await this.press(tx, ty, text.endsWith('+') ? 'right' : 'left');
    }

    // Answers the box open now: a question with `name` ('yes' or 'no'; Yes when not given), a
    // message with OK.
    async answer(name) {
        const b = await h.box(this.page);
        const question = b.buttons.includes('yes');
        const pressed = question ? (name === 'no' ? 'no' : 'yes') : 'ok';
        this.boxes.push({ text: b.text, title: b.title, question });
        if (question) {
            // The native game takes its answers before the event that asks for them, in order.
            this.events.splice(this.trigger, 0,
                               `answer ${pressed === 'yes' ? 'yes' : 'no'}`);
            this.trigger += 1;
        }
        await h.answer(this.page, pressed);
        return b;
    }

    // Answers every box the last events opened (questions with `name`), until the page is idle.
    async answerAll(name) {
        const shown = [];
        while (await h.settle(this.page)) shown.push(await this.answer(name));
        return shown;
    }

    // Types into a record panel box (1 game name, 2 first player, 3 second player, 4 file name).
    async type(field, text) {
        const id = ['Text2', 'Text3', 'Text4', 'Text1'][field - 1];
        await this.page.click(`#${id}`, { clickCount: 3 });
        await this.page.type(`#${id}`, text);
        this.events.push(`panel ${field} ${text}`);
    }

    async returnButton() {
        this.push('menu Command1');
        await this.page.click('#Command1');
    }

    async openFile(path, nativePath = path) {
        this.push(`open ${nativePath}`);
        const [chooser] = await Promise.all([this.page.waitForFileChooser(),
                                             this.page.click('#OpenFile')]);
        await chooser.accept([path]);
    }

    async language(code) {
        this.events.push(`language ${code}`);
        await this.page.select('#language', code);
        await this.page.waitForFunction((c) => document.documentElement.lang === c, {}, code);
    }

    // The same events in the native game.
    native() {
        return h.replayNative(this.events);
    }
}
