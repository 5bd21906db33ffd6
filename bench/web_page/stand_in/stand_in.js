// The stand-in page's script (see index.html): the module compiled and started in the page as the
// page's own module is, the board drawn with the font, the mark put; window.standIn.play runs a
// game's searches in the page's worker while the clock is drawn four times a second.
const canvas = document.getElementById('board');
const context = canvas.getContext('2d');

function loadScript(src) {
    return new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = src;
        script.onload = resolve;
        script.onerror = () => reject(new Error(`${src} did not load`));
        document.head.append(script);
    });
}

function draw(status) {
    context.fillStyle = '#063';
    context.fillRect(0, 0, 640, 700);
    context.strokeStyle = '#000';
    for (let i = 0; i <= 9; ++i) {
        context.strokeRect(70, 93 + i * 41, 297, 0);
        context.strokeRect(70 + i * 33, 93, 0, 369);
    }
    context.fillStyle = '#fff';
    context.font = 'bold 16px "ZorvanJP", sans-serif';
    context.fillText(status, 70, 520);
}

async function start() {
    await loadScript('zorvan-search.js');
    await self.createZorvanSearch();
    await document.fonts.load('bold 16px "ZorvanJP"', '思考中');
    draw('対局(COM) 思考中 手目');
    performance.mark('zorvan-first-picture');
}

// Searches the requests one after the other in the page's worker, as the page's computer does in
// a game, with the clock drawn meanwhile.
async function play(requests) {
    const worker = new Worker('search_worker.js');
    const began = performance.now();
    const clock = setInterval(() => {
        const s = Math.floor((performance.now() - began) / 1000);
        draw(`思考中 ${String(Math.floor(s / 60)).padStart(2, '0')}:${String(s % 60).padStart(2, '0')}`);
    }, 250);
    try {
        for (const [id, request] of requests.entries()) {
            await new Promise((resolve) => {
                worker.onmessage = (e) => (e.data.id === id ? resolve() : null);
                worker.postMessage({ id, request });
            });
        }
    } finally {
        clearInterval(clock);
    }
    return worker;  // kept alive, as the page keeps its worker, for the memory measured after
}

window.standIn = {
    async play(requests) {
        window.standIn.worker = await play(requests);
        return true;
    },
};
start().then(() => {
    document.body.dataset.ready = 'true';
});
