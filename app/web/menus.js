// The menu bar, built from the game's menu tree (the same captions, submenus and check marks as
// the window's). A command is reported by its control name; a top-level menu is reported when it
// opens, as the window does. Mouse and keyboard: a press opens a menu, the arrow keys move through
// the items (right and left between the menus of the bar and into a submenu), Enter or Space
// chooses, Esc closes.
function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text != null) e.textContent = text;
    return e;
}

export class MenuBar {
    // onCommand(name): an item was chosen; onOpen(name): a top-level menu opened.
    constructor(bar, onCommand, onOpen) {
        this.bar = bar;
        this.onCommand = onCommand;
        this.onOpen = onOpen;
        this.items = new Map();   // control name -> element (button or menu item)
        this.openMenus = [];      // the submenus open, the bar's first
        this.checks = {};
        bar.setAttribute('role', 'menubar');
        bar.addEventListener('keydown', (e) => this.onKey(e));
        document.addEventListener('pointerdown', (e) => {
            if (this.openMenus.length && !this.bar.contains(e.target)) this.closeAll();
        });
    }

    get isOpen() {
        return this.openMenus.length > 0;
    }

    // Builds the bar from the tree [{name, caption, parent, checkable}] (again after a change of
    // language; the check marks stay).
    build(tree) {
        this.closeAll();
        this.bar.replaceChildren();
        this.items.clear();
        const children = new Map();
        for (const e of tree) {
            if (!e.parent) continue;
            if (!children.has(e.parent)) children.set(e.parent, []);
            children.get(e.parent).push(e);
        }
        const make = (entry, list, top) => {
            const sub = children.get(entry.name);
            const item = element(top ? 'button' : 'li', top ? 'menu-top' : 'menu-item');
            item.dataset.name = entry.name;
            item.tabIndex = -1;
            if (top) item.type = 'button';
            const caption = element('span', 'menu-caption', entry.caption);
            if (!top) item.append(element('span', 'menu-check'));
            item.append(caption);
            if (entry.checkable) {
                item.setAttribute('role', 'menuitemcheckbox');
            } else {
                item.setAttribute('role', 'menuitem');
            }
            this.items.set(entry.name, item);
            if (sub) {
                item.setAttribute('aria-haspopup', 'menu');
                item.setAttribute('aria-expanded', 'false');
                if (!top) item.append(element('span', 'menu-arrow', ''));
                const menu = element('ul', 'menu');
                menu.setAttribute('role', 'menu');
                menu.hidden = true;
                for (const child of sub) make(child, menu, false);
                item.menu = menu;
                menu.owner = item;
                // A top-level menu hangs below its button, as the bar's child (a list has no
                // place inside a button).
                (top ? this.bar : item).append(menu);
            }
            item.addEventListener('click', (e) => {
                // A press inside a submenu belongs to its own item.
                if (e.target.closest('.menu-item, .menu-top') !== item) return;
                e.stopPropagation();
                this.activate(item);
            });
            item.addEventListener('pointerenter', () => {
                if (!this.openMenus.length) return;
                if (top && item.menu && this.openMenus[0] !== item.menu) this.openTop(item);
                else if (!top) this.hover(item);
            });
            list.append(item);
        };
        for (const e of tree) if (!e.parent) make(e, this.bar, true);
        // The bar's first item takes the Tab focus.
        const first = this.bar.querySelector('.menu-top');
        if (first) first.tabIndex = 0;
        this.showChecks(this.checks);
    }

    showChecks(checks) {
        this.checks = { ...checks };
        for (const [name, on] of Object.entries(this.checks)) {
            const item = this.items.get(name);
            if (!item) continue;
            item.classList.toggle('checked', !!on);
            item.setAttribute('aria-checked', on ? 'true' : 'false');
            const mark = item.querySelector('.menu-check');
            if (mark) mark.textContent = on ? '✓' : '';
        }
    }

    // An item chosen with the mouse or the keyboard.
    activate(item) {
        if (item.menu) {
            if (item.classList.contains('menu-top')) {
                if (this.openMenus[0] === item.menu) this.closeAll();
                else this.openTop(item);
            } else {
                this.openSub(item);
            }
            return;
        }
        const name = item.dataset.name;
        this.closeAll();
        if (document.activeElement && this.bar.contains(document.activeElement))
            document.activeElement.blur();
        this.onCommand(name);
    }

    openTop(item) {
        this.closeAll();
        this.show(item);
        this.onOpen(item.dataset.name);
        this.focusFirst(item.menu);
    }

    openSub(item) {
        const level = this.levelOf(item.parentElement);
        this.closeFrom(level + 1);
        this.show(item);
        this.focusFirst(item.menu);
    }

    hover(item) {
        const level = this.levelOf(item.parentElement);
        this.closeFrom(level + 1);
        if (item.menu) this.show(item);
        item.focus();
    }

    show(item) {
        if (item.classList.contains('menu-top')) item.menu.style.left = `${item.offsetLeft}px`;
        item.menu.hidden = false;
        item.setAttribute('aria-expanded', 'true');
        item.classList.add('open');
        this.openMenus.push(item.menu);
    }

    levelOf(menu) {
        return this.openMenus.indexOf(menu);
    }

    closeFrom(level) {
        while (this.openMenus.length > Math.max(0, level)) {
            const menu = this.openMenus.pop();
            menu.hidden = true;
            const owner = menu.owner;
            owner.setAttribute('aria-expanded', 'false');
            owner.classList.remove('open');
        }
    }

    closeAll() {
        this.closeFrom(0);
    }

    focusFirst(menu) {
        const first = menu.querySelector(':scope > .menu-item');
        if (first) first.focus();
    }

    onKey(e) {
        const item = e.target.closest('.menu-item, .menu-top');
        if (!item) return;
        const top = item.classList.contains('menu-top');
        const siblings = [...item.parentElement.children].filter((c) =>
            c.matches(top ? '.menu-top' : '.menu-item'));
        const at = siblings.indexOf(item);
        const move = (step) => siblings[(at + step + siblings.length) % siblings.length].focus();
        const topItems = [...this.bar.querySelectorAll(':scope > .menu-top')];
        const currentTop = top ? item : this.openMenus[0]?.owner;
        const moveTop = (step) => {
            const i = topItems.indexOf(currentTop);
            const next = topItems[(i + step + topItems.length) % topItems.length];
            if (next.menu && this.openMenus.length) this.openTop(next);
            else {
                this.closeAll();
                next.focus();
            }
        };
        let handled = true;
        switch (e.key) {
            case 'Enter':
            case ' ':
                this.activate(item);
                break;
            case 'ArrowDown':
                if (top) {
                    if (item.menu) this.openTop(item);
                } else move(1);
                break;
            case 'ArrowUp':
                if (!top) move(-1);
                break;
            case 'ArrowRight':
                if (!top && item.menu) this.openSub(item);
                else moveTop(1);
                break;
            case 'ArrowLeft':
                if (!top && this.levelOf(item.parentElement) > 0) {
                    const owner = item.parentElement.owner;
                    this.closeFrom(this.levelOf(item.parentElement));
                    owner.focus();
                } else moveTop(-1);
                break;
            case 'Escape':
                if (this.openMenus.length) {
                    const owner = this.openMenus[this.openMenus.length - 1].owner;
                    this.closeFrom(this.openMenus.length - 1);
                    owner.focus();
                } else handled = false;
                break;
            default:
                handled = false;
        }
        if (handled) {
            e.preventDefault();
            e.stopPropagation();
        }
    }
}
