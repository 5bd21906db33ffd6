// The record code page of the browser build (the generated table) against the native one (glibc's
// iconv): every character each encodes, every byte and byte pair each decodes, and a fixed set
// of mixed and broken texts, line for line.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';

import { output, scratchFolder, webBuild } from './helpers.mjs';

const nativeDump = process.env.ZORVAN_NATIVE_DUMP;

test('the table converts every character and byte pair as glibc does', () => {
    const folder = scratchFolder();
    try {
        const dump = (program, name) => {
            output(program, [path.join(folder, name)]);
            return fs.readFileSync(path.join(folder, name), 'latin1').split('\n');
        };
        const native = dump(nativeDump, 'native');
        const web = dump(path.join(webBuild, 'tests', 'zorvan-codepage-dump.js'), 'web');
        assert.ok(native.filter((s) => s.startsWith('E ')).length > 7000,
                  'the native converter knows the code page');
        assert.ok(native.includes('E 2460 8740'), '① is 87 40');
        assert.ok(native.includes('E FF5E 8160'), '～ is 81 60');
        assert.ok(native.includes('E FF76 B6'), 'ｶ is B6');
        for (let i = 0; i < Math.max(native.length, web.length); ++i) {
            if (native[i] !== web[i]) assert.fail(`line ${i + 1}: native "${native[i]}", web "${web[i]}"`);
        }
    } finally {
        fs.rmSync(folder, { recursive: true, force: true });
    }
});
