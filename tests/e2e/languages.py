"""The scenarios of the game's languages: the game started under an English locale speaks
English from its menus to its records, and the pictures of the window for the README in either
language."""

import os
import time

from game_window import PICK, STEP_TIMEOUT
from scenarios import differs, expect_outline, file_entries, white_pixels
from xdisplay import E2EError, wait_for

# What a player reads in each language, where the scenarios below meet it.
WORDS = {
    "ja": {"options": ("ｵﾌﾟｼｮﾝ", "移動指導"), "start": ("対局", "対局(COM)"),
           "your move": "MANの番です"},
    "en": {"options": ("Options", "Show moves"), "start": ("Game", "Against the computer"),
           "your move": "Your move."},
}


def upper_text(game):
    """The picture of the computer's move text above the board."""
    return game.region(1, -2, 3, -2)


def play_against_computer(game, moves, last_box=None):
    """Plays the person's moves (square to square); after each the computer answers on the
    board. After the last move the computer's answer comes with the box `last_box` (title,
    text), when one is given."""
    for i, (frm, to) in enumerate(moves):
        before = upper_text(game)
        game.press_cell(*frm)
        expect_outline(game, *frm, PICK, "the piece picked")
        game.press_cell(*to)
        if last_box and i == len(moves) - 1:
            game.expect_box(*last_box)
        wait_for("the computer's reply above the board",
                 lambda: differs(before, upper_text(game), 0.01)
                 and white_pixels(upper_text(game)) > 20, STEP_TIMEOUT)
        game.expect_no_box()


def screenshot(run):
    """A picture of the window in play for the README (in the language of --lang): a game
    against the computer after a few moves, with a piece picked and its moves outlined."""
    lang = run.args.lang
    words = WORDS[lang]
    folder = run.folder("screenshot")
    game = run.start(folder, "screenshot", lang=lang)
    game.menu(*words["options"])
    game.menu(*words["start"])
    game.expect_box(" ", words["your move"])
    play_against_computer(game, (((7, 7), (7, 6)), ((8, 7), (8, 6))))
    game.press_cell(8, 8)
    expect_outline(game, 8, 8, PICK, "the rook picked")
    time.sleep(1.2)  # let the clock show a second
    w = game.window
    game.d.picture(w.x, w.y, w.width, w.height).save_png(run.args.screenshot)
    print(f"wrote {run.args.screenshot}")
    game.press_escape_and_wait_for_exit()


def load_record(game, boxes):
    """Loads the one record of the folder from the file list, answering the boxes that follow
    (title, text)."""
    entries = wait_for("the record in the file list", lambda: file_entries(game), STEP_TIMEOUT)
    if len(entries) != 1:
        raise E2EError(f"expected one record in the file list, found {len(entries)} rows")
    game.say("presses the record in the file list")
    game.d.click(*entries[0])
    for title, text in boxes:
        game.expect_box(title, text)


def write_record(game, menu, texts, box):
    """Opens the record panel from `menu`, types the names and the file name (Enter after each;
    in the file name's box it presses the panel's button) and answers the confirmation."""
    board = game.region(1, 1, 9, 9)
    game.menu(*menu)
    wait_for("the record panel over the board",
             lambda: differs(board, game.region(1, 1, 9, 9), 0.3), STEP_TIMEOUT)
    for text in texts:
        game.type_text(text)
        game.d.key("Return")
    game.expect_box(*box)


def english(run):
    """Started under an English locale, without any option: the menus and the boxes speak
    English; a game against the computer reaches its check announcement; the
    game is written to a record and read back. The record is the game's usual file: the
    Japanese game loads it, and writing it again there gives the same bytes."""
    folder = run.folder("english")
    game = run.start(folder, "english", lang="en")
    game.expect_no_box()
    game.press_cell(5, 5)
    game.expect_box("Start", "Start a game from the Game menu.")
    game.menu("Game", "Against the computer")
    game.expect_box(" ", "Your move.")
    # At level 3 the computer answers these moves with its queen's check on the fourth move.
    play_against_computer(game, (((8, 8), (7, 8)), ((2, 7), (2, 6)), ((7, 7), (7, 6))),
                          last_box=("ZORVAN", "   ** Check **"))

    names = ("English game", "Alice", "Bob", "english")
    write_record(game, ("Record", "Save"), names, ("  ", "The record was written."))
    path = os.path.join(folder, "english.棋譜")
    if not os.path.exists(path):
        raise E2EError(f"no record file {path}; the folder holds {os.listdir(folder)}")
    written = open(path, "rb").read()
    if not written.startswith("English game\r\nBob\r\nAlice\r\n".encode("cp932")):
        raise E2EError(f"the record's header lines are {written[:60]!r}")

    game.menu("Record", "Load")
    load_record(game, (("Record", "The record was loaded."),
                       ("Record", "Step through the record with Forward.")))
    for _ in range(6):
        game.menu("Forward")
    game.menu("Forward")
    game.expect_box("Forward", "The end of the record.")
    game.press_escape_and_wait_for_exit()

    # The same record in the Japanese game: loaded, and written again under another name.
    game = run.start(folder, "english-record-in-japanese", lang="ja")
    game.menu("棋譜", "読込")
    load_record(game, (("棋譜", " 読み込みました"), ("棋譜", "棋譜を '進 'で進めて下さい")))
    write_record(game, ("棋譜", "書込"), names[:3] + ("again",), ("  ", "棋譜を書き込みました"))
    again = open(os.path.join(folder, "again.棋譜"), "rb").read()
    if again != written:
        raise E2EError(f"the record written again in Japanese differs from the English one:\n"
                       f"{written!r}\n{again!r}")
    game.press_escape_and_wait_for_exit()


ALL = {"screenshot": screenshot, "english": english}
