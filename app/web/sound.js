// The game's six sounds through Web Audio. The sound files are those of the window, in the site's
// folder sounds/. Browsers let a page sound only once the player has done something: the audio
// context is made when the game opens its sounds (at the player's first action) and resumed at
// every action. The effects are loaded then; the music only when it is first wanted. A sound
// whose file is missing stays silent.
const FILES = ['その他.wav', '禁止.wav', '駒打音.wav', 'チェス打音.wav', '消滅.wav', 'BGM.wav'];
const BGM = 5;

export class Sounds {
    constructor(folder = 'sounds/') {
        this.folder = folder;
        this.context = null;
        this.buffers = new Map();   // id -> Promise<AudioBuffer | null>
        this.playing = new Map();   // id -> AudioBufferSourceNode (looping ones)
        this.wanted = new Set();    // looping sounds asked for and not stopped
        this.closed = false;
        const resume = () => this.context && this.context.state === 'suspended' &&
            this.context.resume().catch(() => {});
        for (const type of ['pointerdown', 'keydown', 'touchend'])
            document.addEventListener(type, resume, true);
    }

    // True when the browser has Web Audio.
    start() {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return false;
        try {
            this.context = new Context();
        } catch {
            return false;
        }
        this.context.resume().catch(() => {});
        for (let id = 0; id < BGM; ++id) this.load(id);
        return true;
    }

    load(id) {
        let buffer = this.buffers.get(id);
        if (!buffer) {
            const url = this.folder + encodeURIComponent(FILES[id]);
            buffer = fetch(url)
                .then((r) => (r.ok ? r.arrayBuffer() : null))
                .then((data) => (data ? this.context.decodeAudioData(data) : null))
                .catch(() => null);
            this.buffers.set(id, buffer);
        }
        return buffer;
    }

    async play(id, looping) {
        if (!this.context || this.closed || !FILES[id]) return;
        if (looping) this.wanted.add(id);
        const buffer = await this.load(id);
        if (!buffer || this.closed || (looping && !this.wanted.has(id))) return;
        if (looping && this.playing.has(id)) return;
        const source = this.context.createBufferSource();
        source.buffer = buffer;
        source.loop = looping;
        source.connect(this.context.destination);
        source.start();
        if (looping) this.playing.set(id, source);
    }

    stop(id) {
        this.wanted.delete(id);
        const source = this.playing.get(id);
        if (source) {
            try {
                source.stop();
            } catch {
                // already stopped
            }
            this.playing.delete(id);
        }
    }

    close() {
        for (const id of [...this.playing.keys()]) this.stop(id);
        this.closed = true;
        if (this.context) this.context.close().catch(() => {});
        this.context = null;
    }
}
