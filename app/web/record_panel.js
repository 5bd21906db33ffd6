// The record panel over the board, as in the window: the place list (`Drive1`: the records kept
// in this browser), the folder it shows (`Dir1`), the list of its record files (`File1`) with a
// button that opens a record file from the visitor's own disk, and the input part: four labelled
// name boxes (`Text2` game name, `Text3` first player, `Text4` second player, `Text1` file name)
// with the "RETURN" button (`Command1`). The game shows and hides the parts; the panel reports a
// chosen file, a file from disk and the button, and answers what it holds.
import { BOARD_LEFT, BOARD_TOP, SQUARE_W, SQUARE_H, WINDOW_H } from './board.js';

// The panel's measures in twips, as the window's.
const CARD_LEFT = BOARD_LEFT - SQUARE_W;
const CARD_W = 14 * SQUARE_W;
const FONT = 195;
const TOP_LIMIT = 1500;

const BOXES = [
    { name: 'Text2', label: 'gameName' },
    { name: 'Text3', label: 'sente' },
    { name: 'Text4', label: 'gote' },
    { name: 'Text1', label: 'fileName' },
];

function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text != null) e.textContent = text;
    return e;
}

export class RecordPanel {
    // `folder`: where the records are kept in the module's file system; listFiles() its record
    // files' names; onFile(path) a file of the list was chosen, onUpload(file) a file from disk,
    // onReturn() the button.
    constructor(root, board, folder, listFiles, { onFile, onUpload, onReturn }) {
        this.root = root;
        this.board = board;
        this.folder = folder;
        this.listFiles = listFiles;
        this.shown = { drive: false, dirs: false, files: false, input: false };
        root.hidden = true;

        this.top = element('div', 'panel-row');
        this.drive = element('select', 'panel-drive');
        this.drive.id = 'Drive1';
        this.drive.append(element('option'));
        this.path = element('span', 'panel-path');
        this.path.id = 'Dir1Path';
        this.openButton = element('button', 'panel-open');
        this.openButton.type = 'button';
        this.openButton.id = 'OpenFile';
        this.upload = element('input');
        this.upload.type = 'file';
        this.upload.id = 'UploadRecord';
        this.upload.hidden = true;
        this.upload.accept = '.棋譜';
        this.openButton.addEventListener('click', () => this.upload.click());
        this.upload.addEventListener('change', () => {
            const file = this.upload.files && this.upload.files[0];
            this.upload.value = '';
            if (file) onUpload(file);
        });
        this.top.append(this.drive, this.path, this.openButton, this.upload);

        this.files = element('ul', 'panel-files');
        this.files.id = 'File1';
        this.files.setAttribute('role', 'listbox');
        this.files.addEventListener('click', (e) => {
            const item = e.target.closest('[data-path]');
            if (item) onFile(item.dataset.path);
        });
        this.files.addEventListener('keydown', (e) => {
            const item = e.target.closest('[data-path]');
            if (item && (e.key === 'Enter' || e.key === ' ')) {
                e.preventDefault();
                onFile(item.dataset.path);
            }
        });

        this.input = element('div', 'panel-input');
        this.labels = [];
        this.boxes = BOXES.map((b, i) => {
            const row = element('div', 'panel-box-row');
            const label = element('label', 'panel-label');
            label.htmlFor = b.name;
            label.id = `Label_${b.name}`;
            const box = element('input', 'panel-box');
            box.type = 'text';
            box.id = b.name;
            box.autocomplete = 'off';
            row.append(label, box);
            this.labels.push(label);
            if (i === 3) {
                this.returnButton = element('button', 'panel-return');
                this.returnButton.type = 'button';
                this.returnButton.id = 'Command1';
                this.returnButton.addEventListener('click', () => onReturn());
                row.append(this.returnButton);
            }
            this.input.append(row);
            return box;
        });
        // Enter moves down the boxes; in the file-name box it presses RETURN.
        this.boxes.forEach((box, i) => box.addEventListener('keydown', (e) => {
            if (e.key !== 'Enter' || e.isComposing) return;
            e.preventDefault();
            if (i < 3) this.boxes[i + 1].focus();
            else this.returnButton.click();
        }));

        root.append(this.top, this.files, this.input);
        new ResizeObserver(() => this.place()).observe(board.stage);
    }

    // The page's texts in the current language.
    setTexts(texts) {
        this.drive.options[0].textContent = texts.browserPlace;
        this.path.textContent = texts.browserPlace;
        this.openButton.textContent = texts.openFile;
        this.noRecords = texts.noRecords;
        BOXES.forEach((b, i) => { this.labels[i].textContent = texts[b.label]; });
        this.returnButton.textContent = texts.return;
        if (!this.files.hidden) this.refreshFiles();
    }

    setLists(drive, dirs, files) {
        Object.assign(this.shown, { drive, dirs, files });
        if (files) this.refreshFiles();
        this.update();
    }

    setInput(visible) {
        if (!visible) for (const b of this.boxes) b.value = '';
        this.shown.input = visible;
        this.update();
        if (visible) this.boxes[0].focus();
    }

    // Field 0 the folder, 1..4 the boxes top to bottom.
    field(i) {
        return i === 0 ? this.folder : this.boxes[i - 1].value;
    }

    refreshFiles() {
        const names = this.listFiles();
        this.files.replaceChildren();
        for (const name of names) {
            const item = element('li', 'panel-file', name);
            item.dataset.path = `${this.folder}/${name}`;
            item.setAttribute('role', 'option');
            item.tabIndex = 0;
            this.files.append(item);
        }
        if (!names.length) this.files.append(element('li', 'panel-empty', this.noRecords || ''));
    }

    update() {
        const s = this.shown;
        const any = s.drive || s.dirs || s.files || s.input;
        if (!any && this.root.contains(document.activeElement)) document.activeElement.blur();
        this.drive.hidden = !s.drive;
        this.path.hidden = !s.dirs;
        this.openButton.hidden = !s.files;
        this.top.hidden = !(s.drive || s.dirs || s.files);
        this.files.hidden = !s.files;
        this.files.classList.toggle('tall', !s.input);
        this.input.hidden = !s.input;
        this.root.hidden = !any;
        this.place();
    }

    // Over the board and both hands, centred on the nine rows, scaled with the board.
    place() {
        if (this.root.hidden) return;
        const k = this.board.cssPerTwip();
        const style = this.root.style;
        style.fontSize = `${Math.max(8, FONT * k)}px`;
        style.left = `${CARD_LEFT * k}px`;
        style.width = `${CARD_W * k}px`;
        const height = this.root.offsetHeight / k;
        const centre = BOARD_TOP + 5.5 * SQUARE_H;
        const top = Math.min(Math.max(centre - height / 2, TOP_LIMIT), WINDOW_H - height);
        style.top = `${Math.max(0, top) * k}px`;
    }
}
