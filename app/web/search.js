// The stronger computer's searches in the page's Web Worker (search_worker.js): one search at a
// time, answered by its id. Stopping a search ends the worker at once; the next search starts a
// new one. A worker that cannot start or breaks down answers with an empty text, and the game then
// searches by itself.
export class SearchWorker {
    // onAnswer(id, text): the answer to search id (text "" when the worker failed).
    constructor(onAnswer) {
        this.onAnswer = onAnswer;
        this.worker = null;
        this.waiting = new Set();
    }

    start() {
        let worker;
        try {
            worker = new Worker('search_worker.js');
        } catch {
            return null;
        }
        worker.onmessage = (event) => {
            const { id, result } = event.data || {};
            if (!this.waiting.delete(id)) return;
            this.onAnswer(id, typeof result === 'string' ? result : '');
        };
        const fail = () => {
            if (this.worker !== worker) return;
            this.stop();
            for (const id of [...this.waiting]) this.onAnswer(id, '');
            this.waiting.clear();
        };
        worker.onerror = (e) => {
            e.preventDefault();
            fail();
        };
        worker.onmessageerror = fail;
        return worker;
    }

    search(id, request) {
        if (!this.worker) this.worker = this.start();
        if (!this.worker) {
            queueMicrotask(() => this.onAnswer(id, ''));
            return;
        }
        this.waiting.add(id);
        this.worker.postMessage({ id, request });
    }

    stop() {
        this.waiting.clear();
        if (this.worker) this.worker.terminate();
        this.worker = null;
    }
}
