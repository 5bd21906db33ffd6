// The page's search worker (app/web/search_worker.js over the search module) under node's
// worker_threads: its answer to a request is the native search's answer at the same fixed depth,
// requests are answered in order, a malformed one gets an error, and a worker ended in the middle
// of a long search leaves the next one free to answer.
import assert from 'node:assert/strict';
import path from 'node:path';
import test from 'node:test';
import { Worker } from 'node:worker_threads';

import { nativeCli, output, site } from './helpers.mjs';

const workerFile = path.join(site, 'search_worker.js');

// Sends the requests to a new worker and gathers its answers, in the order they come.
async function ask(worker, requests) {
    const answers = [];
    await new Promise((resolve, reject) => {
        worker.on('message', (m) => {
            answers.push(m);
            if (answers.length === requests.length) resolve();
        });
        worker.on('error', reject);
        requests.forEach((request, id) => worker.postMessage({ id, request }));
    });
    return answers;
}

// The native tool's request (--request) and answer (--answer) for the same search.
function nativeRequest(args) {
    const request = output(nativeCli, ['bestmove', ...args, '--request']).trim();
    assert.match(request, /^request ZSQ1 /);
    return request.slice('request '.length);
}
function native(args) {
    const answer = output(nativeCli, ['bestmove', ...args, '--answer']).trim();
    assert.match(answer, /^answer ZSR1 /);
    return { request: nativeRequest(args), answer: answer.slice('answer '.length) };
}

// An answer without its time (the one field that may differ).
const untimed = (answer) => answer.split(' ').filter((_, i) => i !== 11).join(' ');

test('the worker answers as the native search at a fixed depth', async () => {
    const searches = [
        ['--level', '5', '--depth', '6'],
        ['--level', '4', '--depth', '5', '--moves', '5756 5254 5655 6263 5554 6364 PORN*44 3234'],
        ['--level', '5', '--depth', '5', '--chess-hand', '--moves',
            '6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 7978 ' +
            'HU*18 8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152'],
    ].map(native);
    const worker = new Worker(workerFile);
    try {
        const answers = await ask(worker, [...searches.map((s) => s.request), 'ZSQ1 1 2 3']);
        assert.deepEqual(answers.map((a) => a.id), [0, 1, 2, 3]);
        for (const [i, s] of searches.entries()) {
            assert.equal(answers[i].error, undefined);
            assert.equal(untimed(answers[i].result), untimed(s.answer));
        }
        assert.ok(answers[3].error, 'a malformed request gets an error');
    } finally {
        await worker.terminate();
    }
});

test('a worker ended in the middle of a search is replaced by a new one', async () => {
    const long = nativeRequest(['--level', '5', '--movetime', '600000']);  // ten minutes
    const first = new Worker(workerFile);
    first.postMessage({ id: 0, request: long });
    await new Promise((resolve) => setTimeout(resolve, 300));
    await first.terminate();
    const quick = native(['--level', '5', '--depth', '4']);
    const second = new Worker(workerFile);
    try {
        const [answer] = await ask(second, [quick.request]);
        assert.equal(untimed(answer.result), untimed(quick.answer));
    } finally {
        await second.terminate();
    }
});

test('the bench\'s requests answered by the worker give the native bench\'s signature', async () => {
    const depth = '6';
    const bench = output(nativeCli, ['bench', '--search', '--depth', depth]);
    const signature = Number(bench.match(/^search signature (\d+)$/m)[1]);
    const requests = output(nativeCli, ['bench', '--search', '--depth', depth, '--requests'])
        .trim().split('\n').map((line) => line.replace(/^request /, ''));
    assert.equal(requests.length, Number(bench.match(/^search positions (\d+)/m)[1]));
    const worker = new Worker(workerFile);
    try {
        const answers = await ask(worker, requests);
        // The answer's eleventh field is the nodes searched.
        const nodes = answers.reduce((sum, a) => sum + Number(a.result.split(' ')[10]), 0);
        assert.equal(nodes, signature);
    } finally {
        await worker.terminate();
    }
});
