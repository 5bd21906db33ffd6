// What the page does under its Content Security Policy, each step's outcome kept for the test
// (window.check): the search module compiled and run in the page, the page's search worker, the
// font from the stylesheet, a sound, a picture from a data: address, and the service worker.
// Every violation the policy reports is kept too; eval is tried on purpose, so that the test
// sees the policy is in force.
const violations = [];
document.addEventListener('securitypolicyviolation', (e) => {
    violations.push(`${e.violatedDirective} ${e.blockedURI}`);
});

function loadScript(src) {
    return new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = src;
        script.onload = resolve;
        script.onerror = () => reject(new Error(`${src} did not load`));
        document.head.append(script);
    });
}

function askWorker(request) {
    const worker = new Worker('search_worker.js');
    return new Promise((resolve) => {
        worker.onmessage = (e) => resolve(e.data.result ?? `error: ${e.data.error}`);
        worker.onerror = (e) => resolve(`error: ${e.message}`);
        worker.postMessage({ id: 1, request });
    }).finally(() => worker.terminate());
}

async function attempt(what) {
    try {
        return await what();
    } catch (e) {
        return `error: ${e.message ?? e}`;
    }
}

async function check() {
    const out = {};
    out.evalRefused = await attempt(() => {
        // eslint-disable-next-line no-eval
        eval('1');
        return false;
    }).then((r) => r !== false);
    const { request } = await (await fetch('check.json')).json();
    out.pageAnswer = await attempt(async () => {
        await loadScript('zorvan-search.js');
        const module = await self.createZorvanSearch();
        return module.cwrap('zorvan_search', 'string', ['string'])(request);
    });
    out.workerAnswer = await attempt(() => askWorker(request));
    out.font = await attempt(async () => {
        const faces = await document.fonts.load('bold 24px ZorvanJP', '思考中Ⓠ');
        return faces.map((f) => `${f.family} ${f.status}`).join(',');
    });
    out.sound = await attempt(async () => {
        const answer = await fetch('sounds/' + encodeURIComponent('禁止') + '.wav');
        return `${answer.status} ${(await answer.arrayBuffer()).byteLength}`;
    });
    out.picture = await attempt(() => new Promise((resolve) => {
        const image = new Image();
        image.onload = () => resolve(`${image.width}x${image.height}`);
        image.onerror = () => resolve('refused');
        image.src = 'data:image/svg+xml,' +
            encodeURIComponent('<svg xmlns="http://www.w3.org/2000/svg" width="3" height="2"/>');
    }));
    out.controlled = Boolean(navigator.serviceWorker?.controller);
    out.worker = await attempt(async () => {
        await navigator.serviceWorker.register('sw.js');
        await navigator.serviceWorker.ready;
        return 'ready';
    });
    await new Promise((resolve) => setTimeout(resolve, 100));  // late violation reports
    out.violations = violations.filter((v) => !v.startsWith('script-src eval'));
    out.evalReported = violations.some((v) => v.startsWith('script-src eval'));
    return out;
}

window.check = check();
