// In the page: draws every picture the window wrote (manifest.json) with the canvas painter, at
// the same size and on the same ground, and measures how far each pixel is from the window's.
import { checkArtwork, drawInBox, paintCell } from '/painter.js';

async function fetchJson(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status}`);
    return response.json();
}

function canvasOf(width, height, draw) {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const ctx = canvas.getContext('2d', { willReadFrequently: true });
    draw(ctx);
    return canvas;
}

function pixelsOf(canvas) {
    return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
}

// The largest difference of a channel, the mean difference over all channels, and the share
// of pixels some channel of which is more than `far` away.
function measure(expected, drawn, far) {
    let max = 0, sum = 0, farPixels = 0;
    for (let i = 0; i < expected.length; i += 4) {
        let pixelMax = 0;
        for (let k = 0; k < 3; ++k) {
            const d = Math.abs(expected[i + k] - drawn[i + k]);
            sum += d;
            if (d > pixelMax) pixelMax = d;
        }
        if (pixelMax > max) max = pixelMax;
        if (pixelMax > far) ++farPixels;
    }
    const pixels = expected.length / 4;
    return { max, mean: sum / (pixels * 3), farShare: farPixels / pixels };
}

// Each channel averaged over the 3 x 3 pixels round it (the edge pixels over those there are):
// what the eye sees of an edge, whichever way a painter smoothed it.
function blurred(data, width, height) {
    const out = new Float32Array(data.length);
    for (let y = 0; y < height; ++y)
        for (let x = 0; x < width; ++x)
            for (let k = 0; k < 3; ++k) {
                let sum = 0, count = 0;
                for (let dy = -1; dy <= 1; ++dy)
                    for (let dx = -1; dx <= 1; ++dx) {
                        const xx = x + dx, yy = y + dy;
                        if (xx < 0 || yy < 0 || xx >= width || yy >= height) continue;
                        sum += data[(yy * width + xx) * 4 + k];
                        ++count;
                    }
                out[(y * width + x) * 4 + k] = sum / count;
            }
    return out;
}

function largestBlurredDifference(expected, drawn, width, height) {
    const a = blurred(expected, width, height), b = blurred(drawn, width, height);
    let max = 0;
    for (let i = 0; i < a.length; i += 4)
        for (let k = 0; k < 3; ++k) max = Math.max(max, Math.abs(a[i + k] - b[i + k]));
    return max;
}

function drawCase(ctx, art, c) {
    if (c.picture === 'cell') {
        paintCell(ctx, art, c.code, c.ground === 1 ? 1 : 0, 0, 0, c.width, c.height, c.ground === 2);
        return;
    }
    ctx.fillStyle = `rgb(${c.backdrop.join(',')})`;
    ctx.fillRect(0, 0, c.width, c.height);
    drawInBox(ctx, art[`${c.picture}Picture`], art[c.picture], 0, 0, c.width, c.height);
}

window.compareAll = async function (far) {
    const art = checkArtwork(await fetchJson('/out/artwork.json'));
    const manifest = await fetchJson('/out/manifest.json');
    const results = [];
    for (const c of manifest) {
        const blob = await (await fetch(`/out/${c.file}`)).blob();
        const bitmap = await createImageBitmap(blob, {
            colorSpaceConversion: 'none',
            premultiplyAlpha: 'none',
        });
        const expected = pixelsOf(canvasOf(c.width, c.height, (ctx) => ctx.drawImage(bitmap, 0, 0)));
        const drawnCanvas = canvasOf(c.width, c.height, (ctx) => drawCase(ctx, art, c));
        const drawn = pixelsOf(drawnCanvas);
        results.push({
            file: c.file,
            ...measure(expected, drawn, far),
            blurredMax: largestBlurredDifference(expected, drawn, c.width, c.height),
            png: drawnCanvas.toDataURL('image/png'),
        });
    }
    return results;
};
window.comparisonReady = true;
