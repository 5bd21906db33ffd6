"""The start-up benchmark's long session: the game played for a while in its window, as a player
would, to see what its memory does after start-up.

A game between persons of 300 plies (each side shuttles one piece: the 飛 between 8八 and 7八,
a knight between its home square and the third rank), the five backgrounds chosen in turn, the
window made larger and then given its first size again, the game written to a record and
loaded back. The resident memory is read one second after start-up and one second after the
session.
"""

import os
import time

from game_window import STEP_TIMEOUT, GameWindow, game_environment
from scenarios import differs, file_entries, write_record
from xdisplay import Display, wait_for

PLIES = int(os.environ.get("ZORVAN_BENCH_PLIES", "300"))
SHUTTLES = {  # side -> the two squares its piece goes between
    "lower": ((8, 8), (7, 8)),
    "upper": ((3, 1), (4, 3)),
}
BACKGROUNDS = ("畳", "竹", "宇宙", "煉瓦", "緑")


def _quiet(game):
    game.say = lambda text: None


def _ply(game, n):
    side = "lower" if n % 2 == 0 else "upper"
    a, b = SHUTTLES[side]
    frm, to = (a, b) if (n // 2) % 2 == 0 else (b, a)
    before = game.square_inside(*to)
    game.press_cell(*frm)
    game.press_cell(*to)
    wait_for(f"ply {n + 1}: the move {frm} -> {to} on the board",
             lambda: differs(before, game.square_inside(*to), 0.02), STEP_TIMEOUT, 0.01)


def rss_parts(pid):
    """Resident memory in KiB: the whole, and its anonymous (the program's own data), file (code,
    fonts) and shared-memory (the window's pictures shared with the X server) parts."""
    parts = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "RssAnon", "RssFile", "RssShmem"):
                parts[key] = int(value.split()[0])
    return parts


def describe(parts):
    return (f"{parts['VmRSS'] / 1024:.1f} MiB (anonymous {parts['RssAnon'] / 1024:.1f}, "
            f"files {parts['RssFile'] / 1024:.1f}, shared {parts['RssShmem'] / 1024:.1f})")


def _phase(game, what, began):
    print(f"long play: RSS {describe(rss_parts(game.proc.pid))} after {what} "
          f"({time.monotonic() - began:.0f} s)", flush=True)


def _settle_board(game):
    """Finds the board again after the window changed size."""
    game.window = wait_for("the game's window", lambda: next(
        (w for w in game.d.mapped() if w.id == game.window.id), None), STEP_TIMEOUT)
    wait_for("the board after the resize",
             lambda: game._find_board() and game._board_drawn(), STEP_TIMEOUT)


def _resize(game, width, height):
    game.d.xdotool("windowsize", "--sync", game.window.id, width, height)
    time.sleep(0.5)  # the sharp picture follows once the size has stood still for a moment
    _settle_board(game)


def run(program, folder_setup, scratch):
    """Plays the session; returns the resident memory one second after start-up and after the
    session (rss_parts of each)."""
    folder = os.path.join(scratch, "long-play")
    os.makedirs(folder)
    folder_setup(folder)
    display = Display()
    game = None
    try:
        game = GameWindow(display, program, folder, folder, "long-play",
                          game_environment(display))
        _quiet(game)
        game.start()
        time.sleep(1.0)
        after_start = rss_parts(game.proc.pid)
        print(f"long play: RSS {describe(after_start)} one second after start-up; "
              f"playing {PLIES} plies", flush=True)
        began = time.monotonic()
        game.menu("対局", "対局(人間)")
        game.expect_box(" ", "先手の番です")
        for n in range(PLIES):
            _ply(game, n)
        game.expect_no_box()
        _phase(game, f"{PLIES} plies", began)

        for name in BACKGROUNDS:
            corner = game.region(-2, -2, -1, -1)
            game.menu("ｵﾌﾟｼｮﾝ", "背景画", name)
            wait_for(f"the {name} background", lambda: differs(
                corner, game.region(-2, -2, -1, -1)), STEP_TIMEOUT)
        _phase(game, "five backgrounds", began)
        w = game.window
        _resize(game, w.width * 5 // 4, w.height * 5 // 4)
        _resize(game, w.width, w.height)
        _phase(game, "a resize and back", began)

        write_record(game, ("bench", "sente", "gote", "longplay"))
        _phase(game, "the record written", began)
        game.menu("棋譜", "読込")
        entries = wait_for("the record in the file list", lambda: file_entries(game),
                           STEP_TIMEOUT)
        game.d.click(*entries[0])
        game.expect_box("棋譜", " 読み込みました")
        game.expect_box("棋譜", "棋譜を '進 'で進めて下さい")
        time.sleep(1.0)
        after_play = rss_parts(game.proc.pid)
        print(f"long play: RSS {describe(after_play)} after the session "
              f"({time.monotonic() - began:.0f} s)", flush=True)
        game.press_escape_and_wait_for_exit()
        return after_start, after_play
    finally:
        if game:
            game.kill()
        display.close()
