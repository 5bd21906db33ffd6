// The command-line tool of the browser build, run by node, against the native one: the move
// tree, the computer's choices at a fixed depth, the search's signature and the record file's
// bytes are the same.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';

import { nativeCli, output, run, scratchFolder, webCli } from './helpers.mjs';

// Both tools' standard output of the same command (the times of a search taken out).
function both(args) {
    const untimed = (text) => text.replace(/ time [0-9.]+/g, '');
    return [untimed(output(nativeCli, args)), untimed(output(webCli, args))];
}

const lines = [
    { name: 'start', moves: '' },
    { name: 'en passant available', moves: '5756 5254 5655 6263 5554 6364 PORN*44 3234' },
    { name: 'castling available', moves: '1716 8283 1615 8193 1514 7182 9796' },
    {
        name: 'both armies drop',
        moves: '6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 ' +
            '7978 HU*18 8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152',
        chessHand: true,
    },
];
const position = (l) => ['--moves', l.moves, ...(l.chessHand ? ['--chess-hand'] : [])];

test('perft counts the same move trees', () => {
    for (const l of lines) {
        const [native, web] = both(['perft', '3', '--divide', ...position(l)]);
        assert.match(native, /^nodes \d+$/m);
        assert.equal(web, native, l.name);
    }
});

test('the computer chooses the same moves', () => {
    for (const l of lines) {
        for (const args of [['--level', '5', '--depth', '6'], ['--level', '4', '--depth', '5'],
                            ['--level', '3'], ['--level', '1']]) {
            if (l.name === 'start' && args[1] === '3') continue;  // levels 1-3 play the upper side
            const [native, web] = both(['bestmove', ...args, ...position(l)]);
            assert.match(native, /^bestmove /);
            assert.equal(web, native, `${l.name} ${args.join(' ')}`);
        }
    }
});

test('the search signature of bench is the same', () => {
    const [native, web] = both(['bench', '--search']);
    const figures = (text) => text.split('\n').filter((s) => /^search (positions|nodes |signature)/.test(s));
    assert.ok(figures(native).some((s) => s.startsWith('search signature')));
    assert.deepEqual(figures(web), figures(native));
});

test('a record written by the module has the native writer\'s bytes', () => {
    const folder = scratchFolder();
    try {
        const names = [
            ['--name', '第①局～ﾃｽﾄ対局', '--sente', 'ｾﾝﾃ①②③', '--gote', '後手～さん'],
            ['--name', 'plain', '--sente', 'A', '--gote', ''],
        ];
        for (const [k, n] of names.entries()) {
            const args = ['record', `game${k}.棋譜`, ...n, ...position(lines[3])];
            const native = run(nativeCli, args, path.join(folder));
            fs.renameSync(path.join(folder, `game${k}.棋譜`), path.join(folder, 'native'));
            const web = run(webCli, args, folder);
            assert.equal(native.status, 0, native.stderr);
            assert.equal(web.status, 0, web.stderr);
            assert.deepEqual(fs.readFileSync(path.join(folder, `game${k}.棋譜`)),
                             fs.readFileSync(path.join(folder, 'native')));
        }
        // A name the code page cannot hold is refused alike, and nothing is written.
        const refused = ['record', 'refused.棋譜', '--name', '王😀', ...position(lines[0])];
        const native = run(nativeCli, refused, folder);
        const web = run(webCli, refused, folder);
        assert.notEqual(native.status, 0);
        assert.equal(web.status, native.status);
        assert.equal(web.stderr, native.stderr);
        assert.equal(fs.existsSync(path.join(folder, 'refused.棋譜')), false);
    } finally {
        fs.rmSync(folder, { recursive: true, force: true });
    }
});

test('a record read back by the module gives the same position', () => {
    const folder = scratchFolder();
    try {
        const write = ['record', 'g.棋譜', '--name', '①～ｶﾅ', ...position(lines[3])];
        output(nativeCli, write, folder);
        const show = ['show', '--record', path.join(folder, 'g.棋譜'), '--at', '20'];
        assert.equal(output(webCli, show), output(nativeCli, show));
    } finally {
        fs.rmSync(folder, { recursive: true, force: true });
    }
});
