// The game's modal boxes in the page: messages with OK, Yes/No questions and the chess piece
// choice dialog. While one is open nothing else of the page reacts (a layer over the whole page
// takes every press, and the keys go to the box): Enter presses OK or Yes (or the piece button
// that has the focus), Esc closes the box (OK, No, or no piece chosen).
import { paintCell } from './art/painter.js';
import { CELL_W, CELL_H } from './board.js';

// The piece choice dialog's measures in twips, as the window's.
const CHOICE_W = 1680;
const CHOICE_H = 4095;
const BUTTON_TOP = 90;
const BUTTON_STEP = 660;
const KINDS = [3, 8, 11, 12, 18, 19];  // pawn, rook, knight, bishop, queen, king
const KIND_NAMES = ['PORN', 'ROOK', 'NIGT', 'BISYO', 'QEEN', 'KING'];
const ICONS = ['', 'information', 'warning', 'critical'];

const sleep = (seconds) => new Promise((done) => setTimeout(done, seconds * 1000));

function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text != null) e.textContent = text;
    return e;
}

export class Dialogs {
    // `layer`: the element that covers the page while a box is open; `board`: the board view
    // (the piece dialog opens at a place on it); `texts()`: the page's texts now.
    constructor(layer, board, artwork, texts) {
        this.layer = layer;
        this.board = board;
        this.artwork = artwork;
        this.texts = texts;
        this.open = 0;
        this.keys = null;
        this.hint = null;  // a line shown under the next message (the touch screen's note)
        document.addEventListener('keydown', (e) => this.onKey(e), true);
    }

    get isOpen() {
        return this.open > 0;
    }

    onKey(event) {
        if (!this.keys) return;
        // Every key belongs to the box while it is open.
        event.stopPropagation();
        if (event.key === 'Tab') return;  // the focus moves between the box's buttons
        if (event.ctrlKey || event.metaKey) return;  // copying the message's text
        event.preventDefault();
        this.keys(event);
    }

    // Shows `box` over the page until `run(close)` closes it; resolves with what close was given.
    show(box, run, keys) {
        this.open += 1;
        const previous = document.activeElement;
        this.layer.replaceChildren(box);
        this.layer.hidden = false;
        document.body.classList.add('modal');
        return new Promise((resolve) => {
            const close = (value) => {
                this.keys = null;
                this.open -= 1;
                this.layer.hidden = true;
                this.layer.replaceChildren();
                document.body.classList.remove('modal');
                if (previous && previous.focus) previous.focus();
                resolve(value);
            };
            this.keys = (e) => keys(e, close);
            run(close);
        });
    }

    frame(title, className) {
        const box = element('div', `dialog ${className}`);
        box.setAttribute('role', 'dialog');
        box.setAttribute('aria-modal', 'true');
        const bar = element('div', 'dialog-title', title);
        bar.id = `dialog-title-${Date.now()}`;
        box.setAttribute('aria-labelledby', bar.id);
        box.append(bar);
        return box;
    }

    box(text, title, icon, buttons) {
        const box = this.frame(title, 'message');
        const body = element('div', 'dialog-body');
        if (ICONS[icon]) body.append(element('span', `dialog-icon ${ICONS[icon]}`));
        const message = element('p', 'dialog-text', text.replace(/\r\n?/g, '\n'));
        message.setAttribute('role', 'alert');
        body.append(message);
        box.append(body);
        if (this.hint) {
            box.append(element('p', 'dialog-hint', this.hint));
            this.hint = null;
        }
        const row = element('div', 'dialog-buttons');
        for (const b of buttons) row.append(b);
        box.append(row);
        return box;
    }

    button(caption, name) {
        const b = element('button', 'dialog-button', caption);
        b.type = 'button';
        b.name = name;
        return b;
    }

    message(text, title, icon) {
        const ok = this.button(this.texts().ok, 'ok');
        const box = this.box(text, title, icon, [ok]);
        return this.show(box, (close) => {
            ok.addEventListener('click', () => close());
            ok.focus();
        }, (e, close) => {
            if (e.key === 'Enter' || e.key === 'Escape' || e.key === ' ') close();
        });
    }

    ask(text, title) {
        const yes = this.button(this.texts().yes, 'yes');
        const no = this.button(this.texts().no, 'no');
        const box = this.box(text, title, 0, [yes, no]);
        return this.show(box, (close) => {
            yes.addEventListener('click', () => close(true));
            no.addEventListener('click', () => close(false));
            yes.focus();
        }, (e, close) => {
            if (e.key === 'Escape') close(false);
            else if (e.key === 'Enter' || e.key === ' ')
                close(document.activeElement !== no);
            else if (e.key === 'ArrowLeft' || e.key === 'ArrowRight')
                (document.activeElement === yes ? no : yes).focus();
        });
    }

    // The piece choice dialog at `left`, `top` twips of the board, showing `set` (1 white, 2
    // black, 0 none). Resolves with the kind pressed, or 0 when it was closed without a press.
    // `auto` (the computer's promotion): after 1.5 s the button of `auto.kind` in `auto.set` is
    // pressed by itself.
    pieceChoice(set, left, top, auto = null) {
        const k = this.board.cssPerTwip();
        const box = this.frame(this.texts().pieceChoice, 'piece-choice');
        const body = element('div', 'choice-body');
        body.style.width = `${Math.round(CHOICE_W * k)}px`;
        body.style.height = `${Math.round(CHOICE_H * k)}px`;
        box.append(body);
        const stage = this.board.canvas.getBoundingClientRect();
        box.style.left = `${Math.round(stage.left + left * k)}px`;
        box.style.top = `${Math.round(stage.top + top * k)}px`;
        const dpr = window.devicePixelRatio || 1;
        const width = Math.round(CELL_W * k), height = Math.round(CELL_H * k);
        const paint = (canvas, code, pressed) => {
            canvas.width = Math.round(width * dpr);
            canvas.height = Math.round(height * dpr);
            paintCell(canvas.getContext('2d'), this.artwork, code, 1, 0, 0, canvas.width,
                      canvas.height, pressed);
        };
        const codeOf = (s, kind) => (s === 1 ? -kind : kind);
        const buttons = KINDS.map((kind, i) => {
            const b = element('button', 'choice-button');
            b.type = 'button';
            b.name = KIND_NAMES[i];
            b.hidden = set === 0;
            b.style.left = `${Math.round(((CHOICE_W - CELL_W) / 2) * k)}px`;
            b.style.top = `${Math.round((BUTTON_TOP + i * BUTTON_STEP) * k)}px`;
            b.style.width = `${width}px`;
            b.style.height = `${height}px`;
            const canvas = element('canvas');
            canvas.style.width = `${width}px`;
            canvas.style.height = `${height}px`;
            if (set) paint(canvas, codeOf(set, kind), false);
            b.append(canvas);
            b.dataset.kind = String(kind);
            body.append(b);
            return b;
        });
        let pressing = false;
        const press = async (pressedSet, kind, close) => {
            if (pressing || pressedSet === 0) return;
            const b = buttons[KINDS.indexOf(kind)];
            if (!b) return;
            pressing = true;
            b.classList.add('pressed');
            b.hidden = false;
            paint(b.firstChild, codeOf(pressedSet, kind), true);
            await sleep(0.3);
            close(kind);
        };
        return this.show(box, (close) => {
            for (const b of buttons)
                b.addEventListener('click', () => press(set, Number(b.dataset.kind), close));
            if (auto) {
                sleep(1.5).then(() => press(auto.set, auto.kind, close));
            } else if (set) {
                buttons[0].focus();
            }
        }, (e, close) => {
            if (auto) return;  // the computer's dialog takes no answer
            if (e.key === 'Escape') {
                if (!pressing) close(0);
            } else if (e.key === 'Enter' || e.key === ' ') {
                const at = buttons.indexOf(document.activeElement);
                if (at >= 0) press(set, KINDS[at], close);
            } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
                const at = buttons.indexOf(document.activeElement);
                const step = e.key === 'ArrowDown' ? 1 : KINDS.length - 1;
                buttons[((at < 0 ? 0 : at) + step) % KINDS.length].focus();
            }
        });
    }
}
