// A static file server on the loopback address for the browser tests and benchmarks: a folder,
// and extra files at paths of their own. Only GET and HEAD; paths that leave the folder are
// refused.
import { createServer } from 'node:http';
import { existsSync, readFileSync, statSync } from 'node:fs';
import { extname, join, normalize, sep } from 'node:path';

export const contentTypes = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.json': 'application/json',
    '.wasm': 'application/wasm',
    '.woff2': 'font/woff2',
    '.wav': 'audio/wav',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
    '.txt': 'text/plain; charset=utf-8',
};

// The file a request's path names: an extra file, or one inside `folder` (its index.html for the
// folder itself); null for none.
function fileFor(folder, extra, pathname) {
    if (extra[pathname]) return extra[pathname];
    let relative;
    try {
        relative = decodeURIComponent(pathname);
    } catch {
        return null;
    }
    if (relative.endsWith('/')) relative += 'index.html';
    const file = normalize(join(folder, relative));
    if (!file.startsWith(normalize(folder) + sep)) return null;
    return existsSync(file) && statSync(file).isFile() ? file : null;
}

// Serves `folder` (and `extra`: { '/path': file }) on 127.0.0.1 at `port` (0: any free one).
// Resolves to { server, port, url, close() }; close() also ends the connections still open, so
// that the site is really gone (an offline test).
export function serve(folder, { extra = {}, port = 0 } = {}) {
    const sockets = new Set();
    const server = createServer((request, response) => {
        const file = fileFor(folder, extra, new URL(request.url, 'http://127.0.0.1').pathname);
        if (!file || (request.method !== 'GET' && request.method !== 'HEAD')) {
            response.writeHead(file ? 405 : 404).end();
            return;
        }
        const body = readFileSync(file);
        response.writeHead(200, {
            'Content-Type': contentTypes[extname(file)] || 'application/octet-stream',
            'Content-Length': body.length,
            'Cache-Control': 'no-cache',
        });
        response.end(request.method === 'HEAD' ? undefined : body);
    });
    server.on('connection', (socket) => {
        sockets.add(socket);
        socket.on('close', () => sockets.delete(socket));
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => {
            const at = server.address().port;
            resolve({
                server,
                port: at,
                url: `http://127.0.0.1:${at}/`,
                close: () => new Promise((done) => {
                    for (const socket of sockets) socket.destroy();
                    server.close(() => done());
                }),
            });
        });
    });
}
