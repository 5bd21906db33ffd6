// What the web tests share: the programs of both builds, run to their end.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const nativeCli = process.env.ZORVAN_NATIVE_CLI;
export const webBuild = process.env.ZORVAN_WEB_BUILD;
export const webCli = webBuild && path.join(webBuild, 'app', 'zorvan-cli.js');
export const site = webBuild && path.join(webBuild, 'site');

if (!nativeCli || !webBuild) throw new Error('ZORVAN_NATIVE_CLI and ZORVAN_WEB_BUILD are needed');

// Runs a program (a .js one with node) in `cwd`; its exit status, standard output and error.
export function run(program, args, cwd = os.tmpdir()) {
    const [file, argv] = program.endsWith('.js')
        ? [process.execPath, [program, ...args]]
        : [program, args];
    const r = spawnSync(file, argv, { cwd, encoding: 'buffer', maxBuffer: 1 << 28 });
    if (r.error) throw r.error;
    return { status: r.status, stdout: r.stdout, stderr: r.stderr.toString() };
}

// Standard output of a run that must succeed, as text.
export function output(program, args, cwd) {
    const r = run(program, args, cwd);
    if (r.status !== 0) throw new Error(`${program} ${args.join(' ')}: status ${r.status}\n${r.stderr}`);
    return r.stdout.toString();
}

export function scratchFolder() {
    return fs.mkdtempSync(path.join(os.tmpdir(), 'zorvan-web-'));
}

export { execFileSync };
