"""The game's window as a player meets it on a private X display: start the program in a folder,
find its menus and squares on the screen, press them, answer its message boxes, read its
pictures, end it with Esc.
"""

import math
import os
import subprocess
import time

from xdisplay import E2EError, wait_for

# The game's geometry in twips (the board's grid and the window's default size).
BOARD_LEFT, BOARD_TOP, SQUARE_W, SQUARE_H = 1050, 1400, 495, 615
TWIPS_PER_PIXEL = 15.0
DEFAULT_W, DEFAULT_H = 640, 700

# Palette colours the checks look for.
GRID = (0, 128, 0)
WHITE = (255, 255, 255)
PICK = (255, 0, 0)

# The menu bar's captions from left to right, and the items of the menus that open, in each
# language the game is started in.
MENU_BAR = ["対局", "局面", "戻", "進", "△", "▽", "棋譜", "ｵﾌﾟｼｮﾝ", "その他"]
MENUS = {
    "対局": ["対局(人間)", "対局(COM)", "COM対局ﾚﾍﾞﾙ", "ﾋﾝﾄ", "終わり"],
    "局面": ["最初", "反転"],
    "棋譜": ["読込", "書込"],
    "ｵﾌﾟｼｮﾝ": ["背景画", "移動指導", "経過時間", "ﾁｪｽ側持駒OK", "BGM"],
}
SUBMENUS = {
    "背景画": ["緑", "畳", "竹", "宇宙", "煉瓦"],
    "COM対局ﾚﾍﾞﾙ": ["LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4", "LEVEL5"],
}
LEVELS = ["LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4", "LEVEL5"]
CAPTIONS = {
    "ja": (MENU_BAR, MENUS, SUBMENUS),
    "en": (["Game", "Position", "Back", "Forward", "△", "▽", "Record", "Options", "About"],
           {"Game": ["Two players", "Against the computer", "Computer level", "Hint", "Quit"],
            "Position": ["Reset", "Turn board"],
            "Record": ["Load", "Save"],
            "Options": ["Background", "Show moves", "Clocks", "Chess army may drop", "Music"]},
           {"Background": ["Green", "Tatami", "Bamboo", "Space", "Brick"],
            "Computer level": LEVELS}),
}
# The locale each language is started under.
LOCALES = {"ja": "ja_JP.UTF-8", "en": "en_US.UTF-8"}

# Generous limits: the machine may be busy and sanitizer builds are slow.
START_TIMEOUT = 60
STEP_TIMEOUT = 30


def _round(v):
    return int(math.floor(v + 0.5))


def _spans(flags, gap):
    """Runs of true flags, joined across gaps of at most `gap` false ones: [(first, last)]."""
    spans = []
    for i, on in enumerate(flags):
        if not on:
            continue
        if spans and i - spans[-1][1] <= gap + 1:
            spans[-1][1] = i
        else:
            spans.append([i, i])
    return [tuple(s) for s in spans]


def _dark(p):
    return p[0] + p[1] + p[2] < 3 * 110


def game_environment(display, extra=None, runtime_dir=None, lang="ja"):
    """The environment of the program: the private display, the real X platform, no sound
    device (SDL's dummy driver) unless the caller says otherwise, and the locale of a player of
    the language `lang` (the game chooses its language by it)."""
    env = dict(display.env)
    for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        env.pop(name, None)
    env["LANG"] = LOCALES[lang]
    env["QT_QPA_PLATFORM"] = "xcb"
    env.pop("QT_QPA_PLATFORMTHEME", None)
    env.pop("QT_SCALE_FACTOR", None)
    env.setdefault("SDL_AUDIODRIVER", "dummy")
    if runtime_dir:
        env["XDG_RUNTIME_DIR"] = runtime_dir
    # A sanitizer build checks the game for leaks at its end; the system libraries' own are
    # listed in lsan.supp.
    suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan.supp")
    env["LSAN_OPTIONS"] = ":".join(filter(None, [env.get("LSAN_OPTIONS"),
                                                  f"suppressions={suppressions}"]))
    env.update(extra or {})
    return env


class GameWindow:
    """One run of the program `program` in `folder`."""

    def __init__(self, display, program, folder, artifacts, label, env=None, args=(), lang="ja"):
        self.d = display
        self.lang = lang
        self.program, self.folder, self.args = program, folder, list(args)
        self.artifacts, self.label = artifacts, label
        self.log_path = os.path.join(artifacts, f"{label}.log")
        self.env = env or game_environment(display)
        self.proc = None
        self.window = None
        self.zoom = 1.0
        self.ox = self.oy = 0  # screen position of the board view's top-left corner
        self.menu_height = 0
        self.startup_seconds = None
        self.began = time.monotonic()

    # ---- start and end ----

    def start(self):
        """Starts the program and waits for its first picture of the board."""
        if not os.access(self.program, os.X_OK):
            raise E2EError(f"the program {self.program} does not exist or cannot run")
        began = self.began = time.monotonic()
        with open(self.log_path, "wb") as log:
            self.proc = subprocess.Popen([self.program] + self.args, cwd=self.folder, env=self.env,
                                         stdout=log, stderr=subprocess.STDOUT)

        def main_window():
            self._check_running("while starting")
            self._no_box_yet()
            for w in self.d.mapped():
                if w.title == "ZORVAN" and not w.popup and w.width >= 200:
                    return w
            return None

        self.window = wait_for("the game's window to appear", main_window, START_TIMEOUT)
        wait_for("the first picture of the board",
                 lambda: self._no_box_yet() or (self._find_board() and self._board_drawn()),
                 START_TIMEOUT)
        self.startup_seconds = time.monotonic() - began
        return self

    def _no_box_yet(self):
        """Fails when a message box came up before the first picture (a start-up warning such
        as the sound library's)."""
        if self.window is None:
            boxes = [w for w in self.d.mapped() if not w.popup and w.title != "ZORVAN"
                     and not w.title.startswith("Qt ")]
        else:
            boxes = self.boxes()
        if boxes:
            text = self.read_box(boxes[0])
            raise E2EError(f"a message box came up at start-up: {text!r} titled "
                           f"{boxes[0].title!r}")
        return False

    def rss_kib(self):
        """Resident memory of the program in KiB (from /proc)."""
        with open(f"/proc/{self.proc.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return None

    def mapped_files(self):
        """Files the program has mapped (its libraries among them)."""
        with open(f"/proc/{self.proc.pid}/maps") as f:
            return {line.split(None, 5)[5].strip() for line in f if len(line.split(None, 5)) == 6}

    def _check_running(self, when):
        if self.proc.poll() is not None:
            code = self.proc.returncode
            how = f"was killed by signal {-code}" if code < 0 else f"ended with status {code}"
            raise E2EError(f"the program {how} {when}; its output:\n{self.output()}")

    def output(self):
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode("utf-8", "replace")[-4000:]
        except OSError:
            return ""

    def press_escape_and_wait_for_exit(self):
        """Esc ends the program at once; returns how long the program took to end."""
        self.focus(self.window.id)
        self.say("Esc")
        began = time.monotonic()
        self.d.key("Escape")
        try:
            self.proc.wait(STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise E2EError("the program did not end after Esc")
        if self.proc.returncode != 0:
            raise E2EError(f"the program ended with status {self.proc.returncode} after Esc; "
                           f"its output:\n{self.output()}")
        return time.monotonic() - began

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    def save_screen(self, name):
        path = os.path.join(self.artifacts, f"{self.label}-{name}.png")
        self.d.picture().save_png(path)
        return path

    # ---- where things are ----

    def _find_board(self):
        """Finds the board view under the menu bar and its scale, then settles the origin on the
        grid lines actually drawn."""
        w = self.window
        strip = self.d.picture(w.x, w.y, w.width, min(w.height, 120))
        bar = strip.pixel(w.width - 3, 2)
        below = next((y for y in range(2, strip.height)
                      if sum(abs(a - b) for a, b in zip(strip.pixel(w.width - 3, y), bar)) > 90),
                     None)
        if below is None:
            return False  # not painted yet
        self.menu_height = below
        self.zoom = min(w.width / DEFAULT_W, (w.height - below) / DEFAULT_H)
        self.ox, self.oy = w.x, w.y + below
        return True

    def to_screen(self, tx, ty):
        s = self.zoom / TWIPS_PER_PIXEL
        return self.ox + _round(tx * s), self.oy + _round(ty * s)

    def cell_rect(self, c, r):
        """Screen rectangle (x0, y0, x1, y1) of grid cell (c, r); its outline lies on x0, x1,
        y0 and y1."""
        x0, y0 = self.to_screen(BOARD_LEFT + c * SQUARE_W, BOARD_TOP + r * SQUARE_H)
        x1, y1 = self.to_screen(BOARD_LEFT + (c + 1) * SQUARE_W, BOARD_TOP + (r + 1) * SQUARE_H)
        return x0, y0, x1, y1

    def cell_centre(self, c, r):
        x0, y0, x1, y1 = self.cell_rect(c, r)
        return (x0 + x1) // 2, (y0 + y1) // 2

    def _board_drawn(self):
        """True when the board's grid is on the screen (every square's top-left corner shows the
        grid colour). Also settles the origin by up to three pixels onto the drawn lines."""
        self._check_running("before showing the board")
        x0, y0, x1, y1 = self.cell_rect(1, 1)
        pic = self.d.picture(x0 - 4, y0 - 4, 13, 13)
        found = None
        for dy in range(-3, 4):
            for dx in range(-3, 4):
                row = all(pic.pixel(4 + dx + i, 4 + dy) == GRID for i in range(6))
                col = all(pic.pixel(4 + dx, 4 + dy + i) == GRID for i in range(6))
                if row and col:
                    found = (dx, dy)
                    break
            if found:
                break
        if not found:
            return False
        self.ox += found[0]
        self.oy += found[1]
        xa, ya, _, _ = self.cell_rect(1, 1)
        xb, yb, xe, ye = self.cell_rect(9, 9)
        board = self.d.picture(xa, ya, xe - xa + 1, ye - ya + 1)
        for c in range(1, 10):
            for r in range(1, 10):
                x, y, _, _ = self.cell_rect(c, r)
                if board.pixel(x - xa, y - ya) != GRID:
                    return False
        return True

    # ---- reading the picture ----

    def region(self, c0, r0, c1, r1):
        """The picture of the grid cells from (c0, r0) to (c1, r1), both included (fractional
        cells allowed)."""
        x0, y0 = self.to_screen(BOARD_LEFT + c0 * SQUARE_W, BOARD_TOP + r0 * SQUARE_H)
        x1, y1 = self.to_screen(BOARD_LEFT + (c1 + 1) * SQUARE_W,
                                BOARD_TOP + (r1 + 1) * SQUARE_H)
        return self.d.picture(x0, y0, x1 - x0, y1 - y0)

    def square_inside(self, c, r):
        """The picture inside a square's outline."""
        x0, y0, x1, y1 = self.cell_rect(c, r)
        return self.d.picture(x0 + 2, y0 + 2, x1 - x0 - 3, y1 - y0 - 3)

    def outline_colour(self, c, r):
        """The colour of most of a square's top and left edges, or None when they are mixed."""
        x0, y0, x1, y1 = self.cell_rect(c, r)
        pic = self.d.picture(x0, y0, x1 - x0 + 1, y1 - y0 + 1)
        samples = [pic.pixel(i, 0) for i in range(4, x1 - x0 - 3)]
        samples += [pic.pixel(0, j) for j in range(4, y1 - y0 - 3)]
        best = max(set(samples), key=samples.count)
        return best if samples.count(best) >= 0.9 * len(samples) else None

    # ---- input ----

    def focus(self, wid):
        self.d.xdotool("windowfocus", "--sync", wid)

    def say(self, text):
        print(f"  {time.monotonic() - self.began:6.2f} s [{self.label}] {text}", flush=True)

    def press_cell(self, c, r, button=1):
        self._check_running("before a press on the board")
        self.say(f"{'left' if button == 1 else 'right'} press on square ({c},{r})")
        x, y = self.cell_centre(c, r)
        self.d.click(x, y, button)

    def click_twips(self, tx, ty):
        """A left press at a point of the board view given in twips (the record panel's
        controls sit there)."""
        self._check_running("before a press on the window")
        self.say(f"left press at ({tx}, {ty}) twips")
        self.d.click(*self.to_screen(tx, ty))

    def type_text(self, text):
        """Types text into the window's focused control."""
        self.focus(self.window.id)
        self.say(f"types {text!r}")
        self.d.type_text(text)

    def _caption_spans(self):
        w = self.window
        bar = self.d.picture(w.x, w.y, w.width, self.menu_height)
        dark = [any(_dark(bar.pixel(x, y)) for y in range(2, bar.height - 2))
                for x in range(bar.width)]
        return _spans(dark, 6)

    def _popups(self):
        """The open menus, the first opened first (the root lists its children bottom up)."""
        return [w for w in self.d.mapped() if w.popup]

    def _item_rows(self, popup, count):
        """The rows of text of an open menu, when it shows `count` of them."""
        pic = self.d.picture(popup.x, popup.y, popup.width, popup.height)
        dark = [any(_dark(pic.pixel(x, y)) for x in range(3, popup.width - 3))
                for y in range(3, pic.height - 3)]
        rows = _spans(dark, 3)
        return [(a + 3, b + 3) for a, b in rows] if len(rows) == count else None

    def menu(self, *path):
        """Chooses a menu item with the mouse, the way a person does: `menu("進")`,
        `menu("対局", "対局(COM)")`, `menu("ｵﾌﾟｼｮﾝ", "背景画", "畳")`."""
        self._check_running(f"before the menu {'/'.join(path)}")
        self.say(f"menu {' > '.join(path)}")
        bar, menus, submenus = CAPTIONS[self.lang]
        spans = wait_for("the menu bar's captions", lambda: (
            lambda s: s if len(s) == len(bar) else None)(self._caption_spans()),
            STEP_TIMEOUT)
        if path[0] not in bar:
            raise E2EError(f"the menu bar has no caption {path[0]}")
        first, last = spans[bar.index(path[0])]
        self.d.click(self.window.x + (first + last) // 2, self.window.y + self.menu_height // 2)
        items = menus.get(path[0])
        for depth, name in enumerate(path[1:], start=1):
            parent = path[depth - 1]
            if items is None or name not in items:
                raise E2EError(f"the menu {parent} has no item {name}")
            popup = wait_for(f"the menu {parent} to open", lambda: (
                lambda p: p[depth - 1] if len(p) >= depth else None)(self._popups()),
                STEP_TIMEOUT)
            rows = wait_for(f"the {len(items)} items of the menu {parent}",
                            lambda: self._item_rows(popup, len(items)), STEP_TIMEOUT)
            top, bottom = rows[items.index(name)]
            self.d.click(popup.x + popup.width // 2, popup.y + (top + bottom) // 2)
            items = submenus.get(name)
        wait_for("the menu to close", lambda: not self._popups(), STEP_TIMEOUT)

    # ---- message boxes ----

    def boxes(self):
        """The message boxes (and dialogs) on the screen: every mapped window but the main one
        and the menus."""
        return [w for w in self.d.mapped() if not w.popup and w.id != self.window.id
                and w.title != "Qt Selection Owner for zorvan"]

    def read_box(self, box):
        """The text of a message box, copied with Ctrl+C as a person would."""
        self.d.clear_clipboard()
        self.focus(box.id)
        self.d.key("ctrl+c")
        return wait_for("the copied text of the message box",
                        lambda: self.d.clipboard(timeout=2), STEP_TIMEOUT, interval=0.2)

    def expect_box(self, title, text, answer="Return", timeout=STEP_TIMEOUT):
        """Waits for a message box, checks its title and text, answers it with a key (Return
        presses the default button: OK or Yes) and waits until it has closed."""
        box = wait_for(f"the message box {text!r}", lambda: (lambda b: b[0] if b else None)(
            self.boxes()), timeout)
        seen = self.read_box(box)
        if box.title != title or seen != text:
            raise E2EError(f"expected the message box {text!r} titled {title!r}, "
                           f"saw {seen!r} titled {box.title!r}")
        self.say(f"message box {title!r}: {seen!r}, answered with {answer}")
        self.focus(box.id)
        self.d.key(answer)
        wait_for(f"the message box {text!r} to close",
                 lambda: all(b.id != box.id for b in self.boxes()), STEP_TIMEOUT)
        return box

    def expect_no_box(self):
        boxes = self.boxes()
        if boxes:
            texts = [(b.title, self.read_box(b)) for b in boxes]
            raise E2EError(f"unexpected message boxes: {texts}")
