// The game's pictures on a browser canvas: replays the drawing steps the game describes once for
// every front end (src/art; the format is in src/art/art_json.h), as the window's painter does.
//
//   import { loadArtwork, drawPicture, paintCell } from './art/painter.js';
//   const art = await loadArtwork('artwork.json');        // from `zorvan-cli art --json`
//   paintCell(ctx, art, code, shade, x, y, width, height); // a board cell: ground, then piece
//
// Pictures are drawn in their design boxes (art.cell, art.title, art.icon: 33 x 41, 161 x 39,
// 41 x 41 design pixels), mapped onto any rectangle of device pixels. The background tiles are
// made pixel by pixel by the game itself (an RGBA buffer): putBackgroundTile shows one.

const FORMAT = 1;

// The Path2D of each drawing step, made once.
const paths = new WeakMap();

function pathOf(step) {
    let path = paths.get(step);
    if (path) return path;
    path = new Path2D();
    const d = step[2];
    for (let i = 0; i < d.length; ) {
        switch (d[i]) {
            case 0:
                path.moveTo(d[i + 1], d[i + 2]);
                i += 3;
                break;
            case 1:
                path.lineTo(d[i + 1], d[i + 2]);
                i += 3;
                break;
            case 2:
                path.bezierCurveTo(d[i + 1], d[i + 2], d[i + 3], d[i + 4], d[i + 5], d[i + 6]);
                i += 7;
                break;
            case 3:
                path.closePath();
                i += 1;
                break;
            default:
                throw new Error(`unknown path element ${d[i]}`);
        }
    }
    paths.set(step, path);
    return path;
}

function cssColour(r, g, b, a) {
    return `rgba(${r},${g},${b},${a / 255})`;
}

function withStops(gradient, stops) {
    for (const [at, r, g, b, a] of stops) gradient.addColorStop(at, cssColour(r, g, b, a));
    return gradient;
}

function paintOf(ctx, fill) {
    switch (fill[0]) {
        case 'solid':
            return cssColour(fill[1], fill[2], fill[3], fill[4]);
        case 'linear':
            return withStops(ctx.createLinearGradient(fill[1], fill[2], fill[3], fill[4]), fill[5]);
        case 'radial': {
            const [, cx, cy, radius, stops] = fill;
            return withStops(ctx.createRadialGradient(cx, cy, 0, cx, cy, radius), stops);
        }
        default:
            throw new Error(`unknown paint ${fill[0]}`);
    }
}

// Fills the step's path, then strokes it.
function drawStep(ctx, step) {
    const [, rule, , fill, pen] = step;
    const path = pathOf(step);
    if (fill) {
        ctx.fillStyle = paintOf(ctx, fill);
        ctx.fill(path, rule);
    }
    if (pen) {
        const [width, r, g, b, a, cap, join] = pen;
        ctx.lineWidth = width;
        ctx.strokeStyle = cssColour(r, g, b, a);
        ctx.lineCap = cap;
        ctx.lineJoin = join;
        ctx.stroke(path);
    }
}

// Draws a picture's steps in the context's present coordinates (its design box); the context's
// state is as it was afterwards.
export function drawPicture(ctx, picture) {
    ctx.save();
    ctx.miterLimit = 2;
    for (const step of picture) {
        switch (step[0]) {
            case 'save':
                ctx.save();
                break;
            case 'restore':
                ctx.restore();
                break;
            case 'transform':
                ctx.transform(step[1], step[2], step[3], step[4], step[5], step[6]);
                break;
            case 'draw':
                drawStep(ctx, step);
                break;
            default:
                throw new Error(`unknown drawing step ${step[0]}`);
        }
    }
    ctx.restore();
}

// Draws a picture whose design box is box ([width, height]) stretched over a rectangle.
export function drawInBox(ctx, picture, box, x, y, width, height) {
    ctx.save();
    ctx.translate(x, y);
    ctx.scale(width / box[0], height / box[1]);
    drawPicture(ctx, picture);
    ctx.restore();
}

// A board cell as the window shows it: the square of shade 0 or 1 (or the lit ground of a
// pressed button, when pressed), with the piece of code on it (0: none; a shogi code's sign is
// its side, a chess code's sign its colour: negative white).
export function paintCell(ctx, artwork, code, shade, x, y, width, height, pressed = false) {
    const ground = artwork.grounds[pressed ? 2 : shade === 1 ? 1 : 0];
    drawInBox(ctx, ground, artwork.cell, x, y, width, height);
    const piece = code ? artwork.pieces[String(code)] : undefined;
    if (piece) drawInBox(ctx, piece, artwork.cell, x, y, width, height);
}

// Shows a background tile made by the game (width * height * 4 bytes, RGBA) at (x, y).
export function putBackgroundTile(ctx, rgba, width, height, x, y) {
    const pixels = new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, width * height * 4);
    ctx.putImageData(new ImageData(pixels, width, height), x, y);
}

// Checks that a parsed artwork is of the format this painter draws.
export function checkArtwork(artwork) {
    if (!artwork || artwork.format !== FORMAT)
        throw new Error(`artwork of format ${artwork && artwork.format}, not ${FORMAT}`);
    return artwork;
}

// Fetches and checks the artwork JSON.
export async function loadArtwork(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status}`);
    return checkArtwork(await response.json());
}
