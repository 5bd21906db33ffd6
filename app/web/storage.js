// What the page keeps in the browser between visits: the settings file "ZORVAN.ini" (its very
// bytes, as the game writes them, in localStorage), the records written with 書込 (IndexedDB) and
// the language chosen. Without storage (a private window that refuses it) the page keeps them for
// the visit only.

const SETTINGS_KEY = 'zorvan.ini';
const LANGUAGE_KEY = 'zorvan.language';
const LEVEL_KEY = 'zorvan.level';
const DB_NAME = 'zorvan';
const STORE = 'records';

function bytesToBinary(bytes) {
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
        s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return s;
}

function binaryToBytes(s) {
    const bytes = new Uint8Array(s.length);
    for (let i = 0; i < s.length; ++i) bytes[i] = s.charCodeAt(i) & 0xff;
    return bytes;
}

function local() {
    try {
        return window.localStorage;
    } catch {
        return null;
    }
}

export function loadSettings() {
    const text = local()?.getItem(SETTINGS_KEY);
    if (text == null) return null;
    try {
        return binaryToBytes(atob(text));
    } catch {
        return null;
    }
}

export function saveSettings(bytes) {
    try {
        local()?.setItem(SETTINGS_KEY, btoa(bytesToBinary(bytes)));
    } catch {
        // full or refused: the settings last for this visit
    }
}

export function loadLanguage() {
    return local()?.getItem(LANGUAGE_KEY) || null;
}

export function saveLanguage(code) {
    try {
        local()?.setItem(LANGUAGE_KEY, code);
    } catch {
        // refused: the choice lasts for this visit
    }
}

// The computer's level (1..5), which the settings file does not hold.
export function loadLevel() {
    const level = Number(local()?.getItem(LEVEL_KEY));
    return Number.isInteger(level) && level >= 1 && level <= 5 ? level : 0;
}

export function saveLevel(level) {
    try {
        local()?.setItem(LEVEL_KEY, String(level));
    } catch {
        // refused: the level lasts for this visit
    }
}

function request(r) {
    return new Promise((resolve, reject) => {
        r.onsuccess = () => resolve(r.result);
        r.onerror = () => reject(r.error);
    });
}

let database = null;

function openDatabase() {
    if (!database) {
        database = new Promise((resolve) => {
            let r;
            try {
                r = indexedDB.open(DB_NAME, 1);
            } catch {
                resolve(null);
                return;
            }
            r.onupgradeneeded = () => r.result.createObjectStore(STORE, { keyPath: 'name' });
            r.onsuccess = () => resolve(r.result);
            r.onerror = () => resolve(null);
            r.onblocked = () => resolve(null);
        });
    }
    return database;
}

// Every kept record: [{ name, bytes, time }], the oldest first.
export async function loadRecords() {
    const db = await openDatabase();
    if (!db) return [];
    try {
        const all = await request(db.transaction(STORE).objectStore(STORE).getAll());
        return all.sort((a, b) => a.time - b.time);
    } catch {
        return [];
    }
}

export async function saveRecord(name, bytes) {
    const db = await openDatabase();
    if (!db) return;
    try {
        const t = db.transaction(STORE, 'readwrite');
        t.objectStore(STORE).put({ name, bytes: new Uint8Array(bytes), time: Date.now() });
        await new Promise((resolve, reject) => {
            t.oncomplete = resolve;
            t.onerror = () => reject(t.error);
            t.onabort = () => reject(t.error);
        });
    } catch {
        // full or refused: the record stays in the page for this visit, and was downloaded
    }
}
