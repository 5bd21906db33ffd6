"""The scenario of the computer of LEVEL5 thinking in the real window while the person chooses
commands that stop it: a refused command leaves it thinking, and a command that stops it stops
its clock."""

import os
import time

from game_window import STEP_TIMEOUT
from scenarios import differs, file_entries, white_pixels
from xdisplay import E2EError, wait_for

# How long a clock that must stand is watched: more than two of its seconds.
STANDING_SECONDS = 2.5


def broken_record(folder):
    """A record file whose first square holds no piece code: the reader refuses it."""
    line = " 77" + "  0" * 80 + "0" * 24 + "    0" * 4
    with open(os.path.join(folder, "壊れた.棋譜"), "wb") as f:
        f.write(b"\r\n\r\n\r\n" + line.encode("ascii") + b"\r\n")


def upper_clock(game):
    """The upper side's clock, left of the row below the board."""
    return game.region(-2, 10, 0, 10)


def move_and_wait_for_thinking(game, frm, to):
    """The person's move; waits until "思考中" replaces what stood above the board."""
    caption = game.region(1, -2, 3, -2)
    game.press_cell(*frm)
    game.press_cell(*to)
    wait_for("the computer's thinking caption",
             lambda: differs(caption, game.region(1, -2, 3, -2), 0.01)
             and white_pixels(game.region(1, -2, 3, -2)) > 20, STEP_TIMEOUT)


def expect_reply(game, counter, what):
    """Waits until the move counter changed from `counter`: the computer has moved."""
    wait_for(what, lambda: differs(counter, game.region(13, 3, 14, 3), 0.01), STEP_TIMEOUT)


def expect_box_before_reply(game, counter, title, text):
    """Waits for a refusal's box and checks that the computer had not answered before it (its
    answer cannot come while a box is open: the move counter still shows `counter`), then
    answers the box."""
    wait_for(f"the message box {text!r}", game.boxes, STEP_TIMEOUT)
    if differs(counter, game.region(13, 3, 14, 3), 0.01):
        raise E2EError(f"the computer moved before the box {text!r} came: nothing was tested")
    game.expect_box(title, text)


def expect_clock_standing(game, when):
    """The upper side's clock must not change for a few seconds."""
    before = upper_clock(game)
    time.sleep(STANDING_SECONDS)
    if differs(before, upper_clock(game), 0):
        raise E2EError(f"the computer's clock counted on {when}")


def thinking(run):
    """LEVEL5 against commands while it thinks: a refused 進 and a record that cannot be read
    leave it thinking and it moves; while the file list of 読込 is open and after 反転 its clock
    stands."""
    folder = run.folder("thinking")
    broken_record(folder)
    game = run.start(folder, "thinking")
    game.menu("対局", "COM対局ﾚﾍﾞﾙ", "LEVEL5")
    game.menu("対局", "対局(COM)")
    game.expect_box(" ", "MANの番です")

    # 進 with no move ahead is refused; the computer thinks on and moves.
    move_and_wait_for_thinking(game, (7, 7), (7, 6))
    counter = game.region(13, 3, 14, 3)
    game.menu("進")
    expect_box_before_reply(game, counter, "進む", "できません")
    expect_reply(game, counter, "the computer's move after the refused 進")
    game.expect_no_box()

    # 読込 stops it: its clock stands while the file list is open. The record the reader
    # refuses changes nothing, and the computer goes on and moves.
    move_and_wait_for_thinking(game, (2, 7), (2, 6))
    counter = game.region(13, 3, 14, 3)
    game.menu("棋譜", "読込")
    entries = wait_for("the record in the file list", lambda: file_entries(game), STEP_TIMEOUT)
    expect_clock_standing(game, "while the file list was open")
    game.say("presses the broken record in the file list")
    game.d.click(*entries[0])
    expect_box_before_reply(game, counter, "棋譜", "棋譜ﾌｧｲﾙが壊れています")
    expect_reply(game, counter, "the computer's move after the refused record")
    game.expect_no_box()

    # 反転 stops it: the clock at the upper left stands.
    move_and_wait_for_thinking(game, (1, 7), (1, 6))
    game.menu("局面", "反転")
    expect_clock_standing(game, "after 反転")
    game.press_escape_and_wait_for_exit()


ALL = {"thinking": thinking}
