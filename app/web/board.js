// The board: the game's drawing surface in the page, as the window's board view is. The game
// paints on it in grid cells (pictures, outlines, texts); the view keeps what was painted in
// twips, paints it on a <canvas> in device pixels at the window's scale, and paints it all again
// whenever the size or the screen's pixel ratio changes. Presses come back in twips.
//
// The picture covers 9600 x 10500 twips at 15 twips a CSS pixel (640 x 700) by default and is
// scaled uniformly with the page, anchored at the top left, so the board keeps its shape; more
// room shows more of the background.
import { drawInBox, paintCell, drawPicture } from './art/painter.js';

export const TWIPS_PER_PIXEL = 15;
export const WINDOW_W = 9600;
export const WINDOW_H = 10500;
export const BOARD_LEFT = 1050;
export const BOARD_TOP = 1400;
export const SQUARE_W = 495;
export const SQUARE_H = 615;
export const CELL_W = 495;
export const CELL_H = 615;
const TITLE_W = 2415;
const TITLE_H = 585;
const TITLE_PICTURE = 21;
const TWIPS_PER_POINT = 20;
const COLOR_GRID = 2;
const VARIANTS = 4;
const COMPACT_AT = 6000;

const PALETTE = [
    '#000000', '#000080', '#008000', '#008080', '#800000', '#800080', '#808000', '#c0c0c0',
    '#808080', '#0000ff', '#00ff00', '#00ffff', '#ff0000', '#ff00ff', '#ffff00', '#ffffff',
];

export const TEXT_FONTS = '"ZorvanJP", "Noto Sans CJK JP", "Noto Sans JP", "Hiragino Sans", ' +
    '"Yu Gothic", "Meiryo", sans-serif';

export function paletteColour(index) {
    return PALETTE[index & 15];
}

const cellX = (c) => BOARD_LEFT + c * SQUARE_W;
const cellY = (r) => BOARD_TOP + r * SQUARE_H;
const isBackground = (id) => id >= 22 && id <= 26;
const isPiece = (id) => Number.isInteger(id) && id !== 0 && Math.abs(id) <= 20;

// Which variant of a background tile a cell shows: fixed per cell, mixed across the window (the
// window's own choice, so both show the same pattern).
function variantOfCell(c, r) {
    const ci = (Math.floor(c) + 64) >>> 0;
    const ri = (Math.floor(r) + 64) >>> 0;
    let h = (Math.imul(ci, 73856093) ^ Math.imul(ri, 19349663)) >>> 0;
    h = (h ^ (h >>> 13)) >>> 0;
    h = Math.imul(h, 0x5bd1e995) >>> 0;
    h = (h ^ (h >>> 15)) >>> 0;
    return h % VARIANTS;
}

function makeCanvas(width, height) {
    const c = document.createElement('canvas');
    c.width = Math.max(1, width);
    c.height = Math.max(1, height);
    return c;
}

export function textFont(pixels) {
    return `bold ${Math.max(1, Math.round(pixels))}px ${TEXT_FONTS}`;
}

// The pictures at one scale, made when first wanted (the window's picture set).
export class PictureSet {
    constructor(artwork, background) {
        this.artwork = artwork;
        this.background = background;  // (id, variant, width, height) -> RGBA bytes
        this.scale = 0;
        this.cache = new Map();
    }

    setScale(devicePixelsPerTwip) {
        if (devicePixelsPerTwip === this.scale) return;
        this.scale = devicePixelsPerTwip;
        this.cache.clear();
    }

    cellWidth() {
        return Math.max(1, Math.ceil(CELL_W * this.scale - 1e-6));
    }

    cellHeight() {
        return Math.max(1, Math.ceil(CELL_H * this.scale - 1e-6));
    }

    cached(key, make) {
        let c = this.cache.get(key);
        if (!c) {
            c = make();
            this.cache.set(key, c);
        }
        return c;
    }

    // A square with its piece (0: none); shade 0 or 1, or pressed (a dialog button's lit ground).
    cell(code, shade, pressed = false) {
        const key = `c${code}/${pressed ? 2 : shade}`;
        return this.cached(key, () => {
            const w = this.cellWidth(), h = this.cellHeight();
            const c = makeCanvas(w, h);
            paintCell(c.getContext('2d'), this.artwork, isPiece(code) ? code : 0, shade, 0, 0, w, h,
                      pressed);
            return c;
        });
    }

    tile(id, variant) {
        return this.cached(`b${id}/${variant}`, () => {
            const w = this.cellWidth(), h = this.cellHeight();
            const c = makeCanvas(w, h);
            const rgba = this.background(id, variant, w, h);
            c.getContext('2d').putImageData(new ImageData(rgba, w, h), 0, 0);
            return c;
        });
    }

    title() {
        return this.cached('title', () => {
            const w = Math.max(1, Math.ceil(TITLE_W * this.scale - 1e-6));
            const h = Math.max(1, Math.ceil(TITLE_H * this.scale - 1e-6));
            const c = makeCanvas(w, h);
            drawInBox(c.getContext('2d'), this.artwork.titlePicture, this.artwork.title, 0, 0, w, h);
            return c;
        });
    }
}

// What covers a whole grid cell: an opaque picture at a whole cell.
function coversWholeCell(op) {
    return op.kind === 'picture' && op.id !== TITLE_PICTURE && Number.isInteger(op.c) &&
        Number.isInteger(op.r);
}

// Drops every entry that later whole-cell pictures hide, and outlines drawn again later (the
// window's display list does the same), so the list stays short however long the game runs.
function compact(ops) {
    const covered = new Set();
    const outlined = new Set();
    const isCovered = (b) => {
        const c0 = Math.floor((b.x0 - BOARD_LEFT) / SQUARE_W);
        const c1 = Math.floor((b.x1 - 1e-6 - BOARD_LEFT) / SQUARE_W);
        const r0 = Math.floor((b.y0 - BOARD_TOP) / SQUARE_H);
        const r1 = Math.floor((b.y1 - 1e-6 - BOARD_TOP) / SQUARE_H);
        if ((c1 - c0 + 1) * (r1 - r0 + 1) > 64) return false;
        for (let c = c0; c <= c1; ++c)
            for (let r = r0; r <= r1; ++r)
                if (!covered.has(`${c},${r}`)) return false;
        return true;
    };
    const kept = [];
    for (let i = ops.length - 1; i >= 0; --i) {
        const op = ops[i];
        if (isCovered(op.bounds)) continue;
        if (op.kind === 'outline' && Number.isInteger(op.c) && Number.isInteger(op.r)) {
            const key = `${op.c},${op.r}`;
            if (outlined.has(key)) continue;
            outlined.add(key);
        }
        if (coversWholeCell(op)) covered.add(`${op.c},${op.r}`);
        kept.push(op);
    }
    return kept.reverse();
}

export class BoardView {
    // `canvas` fills `stage`; artwork from the module's JSON, background(id, variant, w, h) its
    // tiles.
    constructor(stage, canvas, artwork, background) {
        this.stage = stage;
        this.canvas = canvas;
        this.ctx = canvas.getContext('2d', { alpha: false });
        this.pictures = new PictureSet(artwork, background);
        this.ops = [];
        this.limit = COMPACT_AT;
        this.background = 0;   // the background tile last painted (0: none yet)
        this.stale = true;     // everything must be painted anew
        this.frame = 0;
        this.cssWidth = 0;
        this.cssHeight = 0;
        this.dpr = 0;
        this.onPainted = null;
        this.measure = makeCanvas(1, 1).getContext('2d');
        new ResizeObserver(() => this.schedule()).observe(stage);
        this.watchPixelRatio();
        this.schedule();
    }

    watchPixelRatio() {
        const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
        query.addEventListener('change', () => {
            this.schedule();
            this.watchPixelRatio();
        }, { once: true });
    }

    // CSS pixels per default pixel (1 at 640 x 700).
    zoom() {
        const z = Math.min(this.cssWidth / (WINDOW_W / TWIPS_PER_PIXEL),
                           this.cssHeight / (WINDOW_H / TWIPS_PER_PIXEL));
        return z > 0 ? z : 1;
    }

    // CSS pixels per twip.
    cssPerTwip() {
        return this.zoom() / TWIPS_PER_PIXEL;
    }

    // A point of the page (client coordinates) in twips of the board.
    twipsOf(clientX, clientY) {
        const box = this.canvas.getBoundingClientRect();
        const k = 1 / this.cssPerTwip();
        return { x: (clientX - box.left) * k, y: (clientY - box.top) * k };
    }

    // ---- the canvas port ----

    picture(id, shade, c, r) {
        if (id !== 0 && id !== TITLE_PICTURE && !isPiece(id) && !isBackground(id)) return;
        if (isBackground(id) && id !== this.background) {
            // The ground beyond the game's cells follows the background: paint everything anew.
            this.background = id;
            this.stale = true;
        }
        const x = cellX(c), y = cellY(r);
        const [w, h] = id === TITLE_PICTURE ? [TITLE_W, TITLE_H] : [CELL_W, CELL_H];
        this.add({ kind: 'picture', id, shade, c, r, x, y, bounds: { x0: x, y0: y, x1: x + w, y1: y + h } });
    }

    outline(colour, c, r) {
        const x = cellX(c), y = cellY(r);
        this.add({ kind: 'outline', colour, c, r, x, y,
                   bounds: { x0: x, y0: y, x1: x + SQUARE_W + TWIPS_PER_PIXEL,
                             y1: y + SQUARE_H + TWIPS_PER_PIXEL } });
    }

    text(c, r, text, colour, size) {
        if (!text) return;
        const x = cellX(c), y = cellY(r);
        this.measure.font = textFont(size * TWIPS_PER_POINT);
        const width = this.measure.measureText(text).width + size * TWIPS_PER_POINT * 0.6;
        this.add({ kind: 'text', text, colour, size, c, r, x, y,
                   bounds: { x0: x, y0: y, x1: x + width, y1: y + size * TWIPS_PER_POINT * 1.5 } });
    }

    refresh() {
        this.flush();
    }

    // The texts on the board now, in the order they were drawn (for the page's tests).
    texts() {
        return this.ops.filter((op) => op.kind === 'text')
            .map(({ c, r, text, colour, size }) => ({ c, r, text, colour, size }));
    }

    // ---- painting ----

    add(op) {
        this.ops.push(op);
        if (this.ops.length >= this.limit) {
            this.ops = compact(this.ops);
            this.limit = Math.max(COMPACT_AT, 2 * this.ops.length);
        }
        if (!this.stale) this.paintOp(op);
        else this.schedule();
    }

    schedule() {
        if (this.frame) return;
        this.frame = requestAnimationFrame(() => {
            this.frame = 0;
            this.flush();
        });
    }

    // Paints everything again when the size, the pixel ratio or the background changed.
    flush() {
        const box = this.stage.getBoundingClientRect();
        const dpr = window.devicePixelRatio || 1;
        if (box.width !== this.cssWidth || box.height !== this.cssHeight || dpr !== this.dpr)
            this.stale = true;
        if (!this.stale) return;
        this.stale = false;
        this.cssWidth = box.width;
        this.cssHeight = box.height;
        this.dpr = dpr;
        const width = Math.max(1, Math.round(box.width * dpr));
        const height = Math.max(1, Math.round(box.height * dpr));
        if (this.canvas.width !== width) this.canvas.width = width;
        if (this.canvas.height !== height) this.canvas.height = height;
        this.pictures.setScale(this.zoom() * dpr / TWIPS_PER_PIXEL);
        const ctx = this.ctx;
        ctx.fillStyle = paletteColour(COLOR_GRID);
        ctx.fillRect(0, 0, width, height);
        this.ground();
        for (const op of this.ops) this.paintOp(op);
        if (this.ops.length && this.onPainted) this.onPainted();
    }

    // Background tiles on every cell of the canvas, whatever its shape; the game's own painting
    // covers those it uses.
    ground() {
        if (!this.background) return;
        const s = this.pictures.scale;
        const right = this.canvas.width / s, bottom = this.canvas.height / s;
        for (let c = Math.floor(-BOARD_LEFT / SQUARE_W); cellX(c) < right; ++c)
            for (let r = Math.floor(-BOARD_TOP / SQUARE_H); cellY(r) < bottom; ++r)
                this.paintOp({ kind: 'picture', id: this.background, shade: 0, c, r,
                               x: cellX(c), y: cellY(r) });
    }

    paintOp(op) {
        const ctx = this.ctx;
        const s = this.pictures.scale;
        const x0 = Math.round(op.x * s), y0 = Math.round(op.y * s);
        switch (op.kind) {
            case 'picture': {
                if (op.id === TITLE_PICTURE) {
                    ctx.drawImage(this.pictures.title(), x0, y0);
                    return;
                }
                // Cropped to the cell's own pixels, so neighbouring cells meet exactly.
                const w = Math.round((op.x + CELL_W) * s) - x0;
                const h = Math.round((op.y + CELL_H) * s) - y0;
                const image = isBackground(op.id)
                    ? this.pictures.tile(op.id, variantOfCell(op.c, op.r))
                    : this.pictures.cell(op.id, op.shade === 1 ? 1 : 0);
                if (w > 0 && h > 0) ctx.drawImage(image, 0, 0, w, h, x0, y0, w, h);
                return;
            }
            case 'outline': {
                const x1 = Math.round((op.x + SQUARE_W) * s);
                const y1 = Math.round((op.y + SQUARE_H) * s);
                const line = Math.max(1, Math.round(TWIPS_PER_PIXEL * s));
                ctx.fillStyle = paletteColour(op.colour);
                ctx.fillRect(x0, y0, x1 - x0 + line, line);
                ctx.fillRect(x0, y1, x1 - x0 + line, line);
                ctx.fillRect(x0, y0, line, y1 - y0 + line);
                ctx.fillRect(x1, y0, line, y1 - y0 + line);
                return;
            }
            case 'text': {
                ctx.font = textFont(op.size * TWIPS_PER_POINT * s);
                ctx.fillStyle = paletteColour(op.colour);
                ctx.textBaseline = 'alphabetic';
                const ascent = ctx.measureText(op.text).fontBoundingBoxAscent;
                ctx.fillText(op.text, x0, y0 + (Number.isFinite(ascent) ? ascent : 0));
                return;
            }
        }
    }

    // Paints everything again (a font arrived, the language changed).
    repaint() {
        this.stale = true;
        this.schedule();
    }
}

export { drawPicture };
