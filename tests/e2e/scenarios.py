"""The end-to-end scenarios. Each takes the shared run (display, scratch folders, program) and
raises E2EError with what it expected and what it saw."""

import os
import signal
import subprocess
import time

from game_window import GRID, PICK, WHITE, STEP_TIMEOUT, _spans, game_environment
from xdisplay import E2EError, wait_for


def white_pixels(picture):
    """How many pixels of a picture are the palette's white (the status texts' colour)."""
    rgb = picture.rgb
    return sum(1 for i in range(0, len(rgb), 3) if rgb[i:i + 3] == b"\xff\xff\xff")


def differs(a, b, share=0.05):
    """True when more than `share` of the pixels of two same-sized pictures differ."""
    changed = sum(1 for i in range(0, len(a.rgb), 3) if a.rgb[i:i + 3] != b.rgb[i:i + 3])
    return changed > share * (len(a.rgb) // 3)


def expect_outline(game, c, r, colour, what):
    wait_for(f"{what}: the outline of square ({c},{r}) in {colour}",
             lambda: game.outline_colour(c, r) == colour, STEP_TIMEOUT)


def read_settings(folder):
    """The lines of the folder's "ZORVAN.ini" (in the Japanese code page, CR LF line ends)."""
    path = os.path.join(folder, "ZORVAN.ini")
    if not os.path.exists(path):
        raise E2EError(f"no ZORVAN.ini in {folder}")
    raw = open(path, "rb").read()
    if not raw.endswith(b"\r\n"):
        raise E2EError(f"ZORVAN.ini does not end its lines with CR LF: {raw!r}")
    try:
        return raw.decode("cp932").split("\r\n")[:-1]
    except UnicodeDecodeError:
        raise E2EError(f"ZORVAN.ini is not in the Japanese code page: {raw!r}")


def counter_and_texts(game):
    """Pictures of the move counter (right of the board), the lower side's move text (above
    it) and the upper side's move text (above the board)."""
    return {
        "counter": game.region(13, 3, 14, 3),
        "lower text": game.region(13, 2, 16, 2),
        "upper text": game.region(1, -2, 3, -2),
    }


def expect_move(game, before, frm, to, mover_text, what):
    """Waits until a move from square `frm` to `to` shows: both squares changed, the counter
    changed and shows white text, and the mover's move text appeared."""
    inside = {sq: before["squares"][sq] for sq in (frm, to)}

    def shown():
        now = counter_and_texts(game)
        return (all(differs(inside[sq], game.square_inside(*sq)) for sq in inside)
                and differs(before["counter"], now["counter"], 0.01)
                and white_pixels(now["counter"]) > 20
                and white_pixels(now[mover_text]) > white_pixels(before[mover_text]) + 20)

    wait_for(what, shown, STEP_TIMEOUT)


def snapshot(game, *squares):
    shot = counter_and_texts(game)
    shot["squares"] = {sq: game.square_inside(*sq) for sq in squares}
    return shot


# ---- scenarios ----

def write_record(game, texts):
    """Writes the game with 書込: opens the record panel over the board, types the game's name,
    the two players' names and the file name (Enter after each; in the file name's box it presses
    "RETURN") and waits for the confirmation."""
    board = game.region(1, 1, 9, 9)
    game.menu("棋譜", "書込")
    wait_for("the record panel over the board",
             lambda: differs(board, game.region(1, 1, 9, 9), 0.3), STEP_TIMEOUT)
    for text in texts:
        game.type_text(text)
        game.d.key("Return")
    game.expect_box("  ", "棋譜を書き込みました")


def persons(run):
    """Two persons at one mouse; an option switched from the menu survives Esc and a restart."""
    folder = run.folder("persons")
    game = run.start(folder, "persons-first")
    run.measure("start-up to the first picture", game.startup_seconds, "s")
    run.measure("memory after start-up (RSS)", game.rss_kib() // 1024, "MiB")
    game.expect_no_box()  # no warning about the sound library or anything else

    game.press_cell(5, 5)
    game.expect_box("開始", "「対局」で始めて下さい")

    game.menu("ｵﾌﾟｼｮﾝ", "移動指導")
    corner = game.region(-2, -2, -1, -1)
    began = time.monotonic()
    game.menu("ｵﾌﾟｼｮﾝ", "背景画", "畳")
    wait_for("the 畳 background after the redraw",
             lambda: differs(corner, game.region(-2, -2, -1, -1)), STEP_TIMEOUT)
    run.measure("background chosen from the menu until redrawn on the screen",
                time.monotonic() - began, "s")
    game.press_escape_and_wait_for_exit()
    lines = read_settings(folder)
    expected = ["背景画=畳", "移動指導=ON", "経過時間=ON", "チェス側持駒OK=OFF", "BGM=ON"]
    if lines != expected:
        raise E2EError(f"expected ZORVAN.ini to hold {expected}, found {lines}")

    game = run.start(folder, "persons-second")
    game.menu("対局", "対局(人間)")
    game.expect_box(" ", "先手の番です")

    before = snapshot(game, (7, 7), (7, 6), (5, 2), (5, 4))
    game.press_cell(7, 7)
    expect_outline(game, 7, 7, PICK, "the 歩 picked")
    expect_outline(game, 7, 6, WHITE, "guidance still on after the restart")
    if game.outline_colour(7, 5) != GRID:
        raise E2EError("a square the 歩 cannot reach is outlined")
    game.press_cell(7, 6)
    expect_move(game, before, (7, 7), (7, 6), "lower text", "the 歩's move on the board")
    game.expect_no_box()

    after_first = snapshot(game, (5, 2), (5, 4))
    game.press_cell(5, 2)
    expect_outline(game, 5, 2, PICK, "the chess pawn picked")
    expect_outline(game, 5, 4, WHITE, "the pawn's double step offered")
    game.press_cell(5, 4)
    expect_move(game, after_first, (5, 2), (5, 4), "upper text", "the pawn's answer")
    game.expect_no_box()
    game.press_escape_and_wait_for_exit()


def computer(run):
    """A person against the computer: the computer answers on the board."""
    folder = run.folder("computer")
    game = run.start(folder, "computer")
    game.menu("対局", "対局(COM)")
    game.expect_box(" ", "MANの番です")

    before = snapshot(game, (7, 7), (7, 6))
    upper_half = game.region(1, 1, 9, 4)
    game.press_cell(7, 7)
    expect_outline(game, 7, 7, PICK, "the 歩 picked")
    if game.outline_colour(7, 6) != GRID:
        raise E2EError("guidance is shown although 移動指導 is off by default")
    began = time.monotonic()
    game.press_cell(7, 6)
    wait_for("the computer's reply on the upper half of the board",
             lambda: differs(upper_half, game.region(1, 1, 9, 4), 0.01)
             and white_pixels(game.region(1, -2, 3, -2)) > 20, STEP_TIMEOUT)
    run.measure("person's move to the computer's reply on the screen",
                time.monotonic() - began, "s")
    if not differs(before["squares"][(7, 6)], game.square_inside(7, 6)):
        raise E2EError("the 歩 did not arrive on its square")
    game.expect_no_box()
    game.press_escape_and_wait_for_exit()


def hint_pixels(picture):
    """How many pixels of a picture are the hint's outline colour (light cyan)."""
    rgb = picture.rgb
    return sum(1 for i in range(0, len(rgb), 3) if rgb[i:i + 3] == b"\x00\xff\xff")


def stronger(run):
    """LEVEL4 chosen from the menu: the computer answers from its worker thread; then ﾋﾝﾄ
    outlines a move for the person without playing it, and a press takes the outlines away."""
    folder = run.folder("stronger")
    game = run.start(folder, "stronger")
    game.menu("対局", "COM対局ﾚﾍﾞﾙ", "LEVEL4")
    game.menu("対局", "対局(COM)")
    game.expect_box(" ", "MANの番です")

    upper_half = game.region(1, 1, 9, 4)
    game.press_cell(7, 7)
    game.press_cell(7, 6)
    wait_for("the level-4 computer's reply on the upper half of the board",
             lambda: differs(upper_half, game.region(1, 1, 9, 4), 0.01)
             and white_pixels(game.region(1, -2, 3, -2)) > 20, STEP_TIMEOUT)
    game.expect_no_box()

    def board_and_hands():
        return game.region(-1, -2, 11, 9)

    if hint_pixels(board_and_hands()) > 0:
        raise E2EError("the hint's colour shows before any hint was asked for")
    counter = game.region(13, 3, 14, 3)
    game.menu("対局", "ﾋﾝﾄ")
    wait_for("the hint's outlines", lambda: hint_pixels(board_and_hands()) > 20, STEP_TIMEOUT)
    game.expect_no_box()
    game.press_cell(1, 5)  # an empty square: the press only takes the outlines away
    wait_for("the hint's outlines to go", lambda: hint_pixels(board_and_hands()) == 0,
             STEP_TIMEOUT)
    if differs(counter, game.region(13, 3, 14, 3), 0):
        raise E2EError("the hint played a move: the move counter changed")
    game.press_escape_and_wait_for_exit()


# The record panel lies over the board; its file list fills the right half of it when the
# folder list shows too (left and right edges in twips, and the rows the panel may cover).
FILE_LIST_X = (4100, 7200)
PANEL_Y = (1500, 10500)


def file_entries(game):
    """The rows of text on white paper in the file list: [(x, y)] screen points to press."""
    x0, y0 = game.to_screen(FILE_LIST_X[0], PANEL_Y[0])
    x1, y1 = game.to_screen(FILE_LIST_X[1], PANEL_Y[1])
    y1 = min(y1, game.window.y + game.window.height)
    pic = game.d.picture(x0, y0, x1 - x0, y1 - y0)
    rows, first_dark = [], []
    for y in range(pic.height):
        line = [pic.pixel(x, y) for x in range(pic.width)]
        dark = [x for x, p in enumerate(line) if sum(p) < 3 * 110]
        white = sum(1 for p in line if p == (255, 255, 255))
        rows.append(len(dark) >= 2 and white > pic.width // 2)
        first_dark.append(dark[0] if dark else 0)
    found = []
    for a, b in _spans(rows, 2):
        if b - a >= 4:  # a line of text, not a frame
            found.append((x0 + min(first_dark[a:b + 1]) + 8, y0 + (a + b) // 2))
    return found


def read_record(path):
    """The lines of a record file (in the Japanese code page, CR LF line ends)."""
    raw = open(path, "rb").read()
    if not raw.endswith(b"\r\n"):
        raise E2EError(f"the record does not end its lines with CR LF: {raw[-20:]!r}")
    try:
        return raw.decode("cp932").split("\r\n")[:-1]
    except UnicodeDecodeError:
        raise E2EError(f"the record is not in the Japanese code page: {raw[:80]!r}")


def square_field(line, x, y):
    """The 3-character code of square (x, y) in a record's move line."""
    at = 3 * (9 * (x - 1) + (y - 1))
    return line[at:at + 3]


def record(run):
    """A game written with 棋譜 > 書込, read back with 棋譜 > 読込 and stepped with 進."""
    folder = run.folder("record")
    game = run.start(folder, "record")
    game.menu("対局", "対局(人間)")
    game.expect_box(" ", "先手の番です")
    start = snapshot(game, (7, 7), (7, 6), (5, 2), (5, 4))
    game.press_cell(7, 7)
    game.press_cell(7, 6)
    expect_move(game, start, (7, 7), (7, 6), "lower text", "the 歩's move")
    first = snapshot(game, (7, 6), (5, 2), (5, 4))
    game.press_cell(5, 2)
    game.press_cell(5, 4)
    expect_move(game, first, (5, 2), (5, 4), "upper text", "the pawn's answer")
    second = snapshot(game, (5, 4))

    # The panel opens with the game name's box ready; Enter goes on to the next box and, in the
    # file name's, presses "RETURN".
    write_record(game, ("e2e 対局", "羽生", "Kasparov", "第一局"))

    path = os.path.join(folder, "第一局.棋譜")
    if not os.path.exists(path):
        raise E2EError(f"no record file {path}; the folder holds {os.listdir(folder)}")
    lines = read_record(path)
    if lines[:3] != ["e2e 対局", "Kasparov", "羽生"] or len(lines) != 5:
        raise E2EError(f"expected the headers and two move lines, found {lines[:3]} and "
                       f"{len(lines) - 3} more lines")
    if any(len(line) != 287 for line in lines[3:]):
        raise E2EError(f"move lines of {[len(line) for line in lines[3:]]} characters, not 287")
    fields = [square_field(lines[3], 7, 7), square_field(lines[3], 7, 6),
              square_field(lines[4], 5, 2), square_field(lines[4], 5, 4)]
    if fields != ["  0", " -1", "  0", "  3"]:
        raise E2EError(f"the record's squares (7,7) (7,6) after move 1 and (5,2) (5,4) after "
                       f"move 2 hold {fields}")

    game.menu("棋譜", "読込")
    entries = wait_for("the record in the file list", lambda: file_entries(game), STEP_TIMEOUT)
    if len(entries) != 1:
        raise E2EError(f"expected one record in the file list, found {len(entries)} rows")
    game.say("presses the record in the file list")
    game.d.click(*entries[0])
    game.expect_box("棋譜", " 読み込みました")
    game.expect_box("棋譜", "棋譜を '進 'で進めて下さい")
    wait_for("the start position after loading", lambda: not differs(
        start["squares"][(7, 6)], game.square_inside(7, 6), 0.01), STEP_TIMEOUT)

    game.menu("進")
    wait_for("move 1 of the record on the board", lambda: not differs(
        first["squares"][(7, 6)], game.square_inside(7, 6), 0.01), STEP_TIMEOUT)
    game.menu("進")
    wait_for("move 2 of the record on the board", lambda: not differs(
        second["squares"][(5, 4)], game.square_inside(5, 4), 0.01), STEP_TIMEOUT)
    game.menu("進")
    game.expect_box("進む", "終わり")
    game.press_escape_and_wait_for_exit()


def _installed_files(prefix):
    found = {}
    for folder, _, files in os.walk(prefix):
        for name in files:
            found[os.path.relpath(os.path.join(folder, name), prefix)] = os.path.join(folder, name)
    return found


def installed(run):
    """`cmake --install` into a fresh prefix; the installed game, started from another folder,
    loads the installed sound library, plays the installed sounds and keeps its settings in the
    folder it was started in."""
    if not run.args.build_dir:
        raise E2EError("the installation scenario needs --build-dir")
    prefix = os.path.join(run.scratch, "prefix")
    result = subprocess.run([run.args.cmake, "--install", run.args.build_dir, "--prefix", prefix],
                            capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise E2EError(f"cmake --install failed:\n{result.stdout}{result.stderr}")
    files = _installed_files(prefix)
    library = [p for p in files if os.path.basename(p) == "libZORVAN.so"]
    # The programs go to bin/, or to games/ in a build made for a Debian package.
    programs = {os.path.basename(p): p for p in files if os.path.dirname(p) in ("bin", "games")}
    wanted = ["share/applications/zorvan.desktop",
              "share/icons/hicolor/scalable/apps/zorvan.svg"] + [
        f"share/zorvan/sounds/{n}" for n in
        ("その他.wav", "禁止.wav", "駒打音.wav", "チェス打音.wav", "消滅.wav", "BGM.wav")]
    missing = [w for w in wanted if w not in files] + ([] if library else ["lib*/libZORVAN.so"])
    missing += [f"bin/{n}" for n in ("zorvan", "zorvan-cli") if n not in programs]
    if missing:
        raise E2EError(f"not installed: {missing}; installed: {sorted(files)}")
    entry = open(files["share/applications/zorvan.desktop"], encoding="utf-8").read().split("\n")
    for line in ("[Desktop Entry]", "Type=Application", "Exec=zorvan --user-folder",
                 "Icon=zorvan"):
        if line not in entry:
            raise E2EError(f"the desktop entry lacks the line {line!r}")

    # Started from an unrelated folder without options (as from a terminal), with the music on
    # in that folder's settings file and SDL's disk driver standing in for a sound card: what the
    # game plays lands in a file.
    folder = run.folder("installed-run")
    with open(os.path.join(folder, "ZORVAN.ini"), "wb") as f:
        f.write(b"x\r\nx\r\nx\r\nx\r\nBGM=ON\r\n")
    audio = os.path.join(run.scratch, "installed-audio.raw")
    env = game_environment(run.display, runtime_dir=run.runtime, extra={
        "SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": audio})
    game = run.start(folder, "installed", program=os.path.join(prefix, programs["zorvan"]),
                     env=env)
    game.expect_no_box()
    wanted_library = os.path.realpath(files[library[0]])

    def library_loaded():
        mapped = game.mapped_files()
        return wanted_library in {os.path.realpath(m) for m in mapped if m.startswith("/")}
    # The sounds open a moment after the first picture.
    try:
        wait_for("the sound library to be loaded", library_loaded, STEP_TIMEOUT)
    except E2EError:
        loaded = sorted(m for m in game.mapped_files() if "ZORVAN" in m)
        raise E2EError(f"the installed game did not load {wanted_library} (loaded: {loaded})")

    def music_heard():
        try:
            with open(audio, "rb") as f:
                return any(f.read())
        except OSError:
            return False

    wait_for("the installed music in the sound output", music_heard, STEP_TIMEOUT)
    game.menu("ｵﾌﾟｼｮﾝ", "経過時間")
    game.press_escape_and_wait_for_exit()
    lines = read_settings(folder)
    if len(lines) != 5 or lines[2] != "経過時間=ON" or lines[4] != "BGM=ON":
        raise E2EError(f"the settings file in the current folder holds {lines}")
    strays = [p for p in _installed_files(prefix) if p not in files]
    if strays:
        raise E2EError(f"the game wrote into its installation: {strays}")


def user_folder(run):
    """`zorvan --user-folder` started from another folder keeps its settings in the game's own
    folder under the home folder, created on the first start, and writes nothing where it was
    started."""
    home, elsewhere = run.folder("user-home"), run.folder("user-elsewhere")
    env = game_environment(run.display, runtime_dir=run.runtime, extra={"HOME": home})
    env.pop("XDG_DATA_HOME", None)
    game = run.start(elsewhere, "user-folder", env=env, args=["--user-folder"])
    game.menu("ｵﾌﾟｼｮﾝ", "移動指導")
    game.press_escape_and_wait_for_exit()
    own = os.path.join(home, ".local", "share", "zorvan")
    if read_settings(own)[1] != "移動指導=ON":
        raise E2EError(f"the settings in {own} hold {read_settings(own)}")
    if os.listdir(elsewhere):
        raise E2EError(f"the game wrote into the folder it was started in: "
                       f"{os.listdir(elsewhere)}")


def no_sound_device(run):
    """Without a sound device the window still opens with its first picture, then the warning
    comes, and the game goes on silently."""
    folder = run.folder("no-sound-device")
    env = game_environment(run.display, runtime_dir=run.runtime,
                           extra={"SDL_AUDIODRIVER": "no-such-driver"})
    game = run.start(folder, "no-sound-device", env=env)  # fails on a box before the picture
    game.expect_box("ZORVAN.dll", "Direct Soundインターフェースが作成できません。")
    game.press_cell(5, 5)
    game.expect_box("開始", "「対局」で始めて下さい")
    game.press_escape_and_wait_for_exit()


def signals(run):
    """The program ends when told to from outside, as its own 終わり does: SIGTERM (kill, a
    desktop logout) while it waits for a move, SIGINT (Ctrl+C in its terminal) while a message
    box is open. It ends by itself with status 0 and leaves its settings file whole."""
    for sig, box_open in ((signal.SIGTERM, False), (signal.SIGINT, True)):
        name = signal.Signals(sig).name
        folder = run.folder(f"signal-{name}")
        game = run.start(folder, f"signal-{name}")
        game.menu("対局", "対局(人間)")
        if box_open:
            wait_for("the turn's message box", game.boxes, STEP_TIMEOUT)
        else:
            game.expect_box(" ", "先手の番です")
            game.press_cell(7, 7)
        settings = read_settings(folder)
        began = time.monotonic()
        game.proc.send_signal(sig)
        try:
            game.proc.wait(STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise E2EError(f"the program did not end after {name}")
        run.measure(f"{name} to the program's end", time.monotonic() - began, "s")
        if game.proc.returncode != 0:
            how = (f"was killed by {name}" if game.proc.returncode == -sig
                   else f"ended with status {game.proc.returncode}")
            raise E2EError(f"the program {how} instead of ending by itself; its output:\n"
                           f"{game.output()}")
        if read_settings(folder) != settings:
            raise E2EError(f"the settings file changed when the program ended on {name}")


ALL = {
    "persons": persons,
    "computer": computer,
    "stronger": stronger,
    "record": record,
    "installed": installed,
    "user_folder": user_folder,
    "no_sound_device": no_sound_device,
    "signals": signals,
}
