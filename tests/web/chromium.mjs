// Debian's chromium, headless, driven by puppeteer-core (installed as locked in tests/web by
// `make web-test-deps`), for the web tests and the page's bench: a fresh profile of its own, gone
// again when the browser is closed; no network of its own, no sandbox (CI runs as root), sound
// allowed without a gesture. `args`: more switches.
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const puppeteer = (await import('puppeteer-core').catch(() => null))?.default;
if (!puppeteer) throw new Error('puppeteer-core is not installed: run `make web-test-deps`');

export async function launchChromium({ chromium = process.env.ZORVAN_CHROMIUM || '/usr/bin/chromium',
                                       args = [] } = {}) {
    if (!existsSync(chromium)) throw new Error(`${chromium} is missing (make deps installs it)`);
    const profile = mkdtempSync(join(tmpdir(), 'zorvan-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        userDataDir: profile,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run',
               '--autoplay-policy=no-user-gesture-required', ...args],
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        try {
            await close();
        } finally {
            rmSync(profile, { recursive: true, force: true });
        }
    };
    return browser;
}
