"""Reference computer player: the one-ply search, the computer's side of a game and the
`bestmove` and `selfplay` commands of zref.py.

A second, plain-Python rendering of the computer's move choice, kept independent of the C++
engine so that zorvan-cli's `bestmove --scores` and `selfplay` can be checked against it
(compare_engine.py).  The search is written literally: every board move of the upper side in
board order, each scored unpromoted and then promoted where promotion is optional, then every
drop; a candidate replaces the best one only when it scores strictly more; the search stops at
once on a capture of the person's 王 and on a drop scoring 9998 or more.

The search reads the state of a game against the computer: the level in COM_LEVEL, the option
"ﾁｪｽ側持駒OK" (State.chess_hand) and the sides in LOWER_PLAYER and UPPER_PLAYER.
"""

from ref_rules import (
    EMPTY, ON, OFF, GOTE, NO_SIDE, PORN, HU, KAKU, SYA, OU, SLOT_KIND, SLOT_NAME, PLAYER_NAME,
    移動チェック, 調査_駒成, 移動後チェック, 調査_2歩フラグ設定, 調査_先手後手,
    apply_move, side_to_move,
)
from ref_influence import 勢力調査, 調査_自王逃道
from ref_evaluation import Evaluation

RANGE9 = range(1, 10)
KIND_NAME = {3: "PORN", 8: "ROOK", 11: "KNIG", 12: "BISH", 18: "QEEN"}


class ComMove:
    """A move as the computer remembers it: origin (x, y) (x = -1 or 11 and y = the hand slot
    for a drop), destination, the code before the move and the code after it."""

    __slots__ = ("x", "y", "x2", "y2", "before", "after", "score")

    def __init__(self, x, y, x2, y2, before, after, score):
        self.x, self.y, self.x2, self.y2 = x, y, x2, y2
        self.before, self.after, self.score = before, after, score

    def text(self):
        return notation(self.x, self.y, self.x2, self.y2, self.before, self.after)

    def turned(self):
        """The same move seen from the other side of the board."""
        if self.x == -1:
            x, y = 11, self.y
        elif self.x == 11:
            x, y = -1, self.y
        else:
            x, y = 10 - self.x, 10 - self.y
        return ComMove(x, y, 10 - self.x2, 10 - self.y2, -self.before, -self.after, self.score)


def notation(x, y, x2, y2, before, after):
    """Move text: x1y1x2y2 with '+' for a shogi promotion or '=KIND' for a chess pawn's,
    KIND*xy for a drop."""
    if x in (-1, 11):
        return "%s*%d%d" % (SLOT_NAME[y], x2, y2)
    text = "%d%d%d%d" % (x, y, x2, y2)
    if after != before:
        if abs(before) == PORN:
            text += "=" + KIND_NAME[abs(after)]
        else:
            text += "+"
    return text


class Com(Evaluation):
    """One turn of the computer on the state s (the computer plays the upper side)."""

    def opening(self):
        """Snapshots and surveys before any candidate is tried."""
        s = self.s
        B = s.BOARD
        self.BEST_SCORE = -99999
        self.KING_DISTANCE = 0
        for x in RANGE9:
            for y in RANGE9:
                self.BOARD_BEFORE[x][y] = B[x][y]
                s.ESCAPE_MAP[x][y] = EMPTY
        調査_2歩フラグ設定(s)
        勢力調査(s)
        self.ESCAPE_BASE = 調査_自王逃道(s)
        self.調査_持角狙座標()
        self.調査_移動不可駒()
        self.ENEMY_HAND_COUNT_BEFORE = s.ENEMY_HAND_COUNT
        for x in RANGE9:
            for y in RANGE9:
                self.OWN_INFLUENCE_BEFORE[x][y] = s.OWN_INFLUENCE[x][y]
                self.ENEMY_INFLUENCE_BEFORE[x][y] = s.ENEMY_INFLUENCE[x][y]
                self.ENEMY_ATTACKER_X_BEFORE[x][y] = s.ENEMY_ATTACKER_X[x][y]
                self.ENEMY_ATTACKER_Y_BEFORE[x][y] = s.ENEMY_ATTACKER_Y[x][y]

    def _scored(self, trace, x, y, x2, y2, before, code, score):
        if trace is not None:
            trace.append((notation(x, y, x2, y2, before, code), score))

    def search(self, trace=None):
        """Tries every board move, then every drop; returns the best ComMove, or None when
        nothing scored above the start value.  trace, when a list, receives (move text,
        score) for every scored candidate in the order they are scored."""
        s = self.s
        B = s.BOARD
        self.opening()
        best = None
        for x in RANGE9:
            for y in RANGE9:
                if B[x][y] < 1:
                    continue
                for x2 in RANGE9:
                    for y2 in RANGE9:
                        if 移動チェック(s, x, y, x2, y2, B[x][y]) != ON:
                            continue
                        TRY = B[x][y]
                        self.TRY_PIECE = TRY
                        self.KING_DISTANCE = max(abs(x - s.OWN_KING_X), abs(y - s.OWN_KING_Y))
                        captured = B[x2][y2]
                        B[x][y] = EMPTY
                        B[x2][y2] = TRY
                        if 調査_駒成(s, x, y, x2, y2, TRY) == OFF:
                            勢力調査(s)
                            score = self.盤評価(captured, TRY, x, y, x2, y2)
                            after = TRY
                            self._scored(trace, x, y, x2, y2, TRY, TRY, score)
                        elif 移動後チェック(s, y2, TRY) == OFF:
                            pc = s.PROMOTE_CODE
                            B[x2][y2] = pc
                            勢力調査(s)
                            score = self.盤評価(captured, pc, x, y, x2, y2)
                            after = pc
                            self._scored(trace, x, y, x2, y2, TRY, pc, score)
                        else:
                            勢力調査(s)
                            score = self.盤評価(captured, TRY, x, y, x2, y2)
                            after = TRY
                            self._scored(trace, x, y, x2, y2, TRY, TRY, score)
                            pc = s.PROMOTE_CODE
                            B[x2][y2] = pc
                            勢力調査(s)
                            promoted = self.盤評価(captured, pc, x, y, x2, y2)
                            self._scored(trace, x, y, x2, y2, TRY, pc, promoted)
                            if promoted > score:
                                score = promoted
                                after = pc
                            if TRY in (HU, KAKU, SYA):
                                after = pc
                        B[x2][y2] = captured
                        B[x][y] = TRY
                        if score > self.BEST_SCORE:
                            self.BEST_SCORE = score
                            best = ComMove(x, y, x2, y2, TRY, after, score)
                            if captured == -OU:
                                return best
        if ((s.chess_hand or s.LOWER_PLAYER == GOTE)
                and self.ENEMY_HAND_COUNT_BEFORE > 0):
            # A 歩 drop is tested against the pawn files of the board as it stands; the mate
            # test may have looked at the files of a trial position.
            調査_2歩フラグ設定(s)
            for slot in range(1, 13):
                if s.ENEMY_HAND[slot] <= 0:
                    continue
                TRY = SLOT_KIND[slot]
                self.TRY_PIECE = TRY
                for x2 in RANGE9:
                    for y2 in RANGE9:
                        if 移動チェック(s, -1, slot, x2, y2, TRY) != ON:
                            continue
                        B[x2][y2] = TRY
                        勢力調査(s)
                        score = self.盤評価(EMPTY, TRY, -1, slot, x2, y2)
                        B[x2][y2] = EMPTY
                        調査_2歩フラグ設定(s)
                        self._scored(trace, -1, slot, x2, y2, TRY, TRY, score)
                        if score > self.BEST_SCORE:
                            self.BEST_SCORE = score
                            best = ComMove(-1, slot, x2, y2, TRY, TRY, score)
                            if self.BEST_SCORE >= 9998:
                                return best
        return best


# -------------------------------------------------------------------------------------------
# The computer in a game
# -------------------------------------------------------------------------------------------

def turned(s):
    """The position seen from the other side: the board turned by a half turn with every code
    negated, the hands and their totals exchanged, the last move's target square and code
    turned, the sides, pawn files and king squares worked out again."""
    t = s.copy()
    for x in RANGE9:
        for y in RANGE9:
            t.BOARD[10 - x][10 - y] = -s.BOARD[x][y]
    t.OWN_HAND, t.ENEMY_HAND = s.ENEMY_HAND[:], s.OWN_HAND[:]
    t.OWN_HAND_COUNT, t.ENEMY_HAND_COUNT = s.ENEMY_HAND_COUNT, s.OWN_HAND_COUNT
    n = s.MOVE_NO
    t.MOVE_TO_X[n] = 10 - s.MOVE_TO_X[n]
    t.MOVE_TO_Y[n] = 10 - s.MOVE_TO_Y[n]
    t.MOVE_CODE[n] = -s.MOVE_CODE[n]
    調査_先手後手(t)
    調査_2歩フラグ設定(t)
    勢力調査(t)
    return t


def computer_move(s, level, trace=None):
    """The computer's move for the side to move, in the coordinates of s, or None (no legal
    move).  The upper side searches s itself; the lower side searches the turned position and
    its choice is turned back."""
    side = side_to_move(s)
    if side == 1:
        com = Com(s, level)
        return com.search(trace)
    if side == -1:
        t = turned(s)
        com = Com(t, level)
        mv = com.search(None)
        return mv.turned() if mv is not None else None
    return None


def play(s, mv):
    """Executes the computer's move as the game does and passes the turn."""
    apply_move(s, (mv.x, mv.y, mv.x2, mv.y2, mv.after))
    勢力調査(s)


# -------------------------------------------------------------------------------------------
# Commands
# -------------------------------------------------------------------------------------------

def bestmove_text(s, level, scores):
    """(exit status, stdout, stderr) of `bestmove` on the position s."""
    if side_to_move(s) != 1:
        return 2, "", "the computer plays the upper side\n"
    if s.WINNER != NO_SIDE:
        return 0, "bestmove none\n", ""
    trace = [] if scores else None
    mv = computer_move(s, level, trace)
    out = []
    if scores:
        out.extend("%s %.1f" % (text, score) for text, score in trace)
    if mv is None:
        out.append("bestmove none")
    else:
        out.append("bestmove %s score %.1f" % (mv.text(), mv.score))
    return 0, "\n".join(out) + "\n", ""


def selfplay_text(s, level, lower_level, max_moves):
    """(exit status, stdout, stderr) of `selfplay` from the position s."""
    out = []
    plies = 0
    winner = s.WINNER
    if winner == NO_SIDE:
        while plies < max_moves:
            side = side_to_move(s)
            mv = computer_move(s, level if side == 1 else lower_level)
            if mv is None:
                winner = s.LOWER_PLAYER if side == 1 else s.UPPER_PLAYER
                break
            text = mv.text()
            play(s, mv)
            plies += 1
            out.append("%d %s" % (plies, text))
            if s.WINNER != NO_SIDE:
                winner = s.WINNER
                break
    out.append("result %s plies %d" % (PLAYER_NAME.get(winner, "none"), plies))
    return 0, "\n".join(out) + "\n", ""


ENGINE_USAGE = ("usage: zref.py bestmove [--level 1|2|3] [--scores] [--moves \"m1 m2 ...\"] "
                "[--chess-hand]\n"
                "       zref.py selfplay [--level L] [--lower-level L2] [--max-moves N] "
                "[--moves ...] [--chess-hand]\n")


def run(argv):
    """(exit status, stdout, stderr) of one `bestmove` or `selfplay` command line."""
    from ref_rules import position, IllegalMove
    if not argv or argv[0] not in ("bestmove", "selfplay"):
        return 2, "", ENGINE_USAGE
    cmd, rest = argv[0], argv[1:]
    opts = {"--level": 3, "--lower-level": None, "--max-moves": 300}
    allowed = ("--level",) if cmd == "bestmove" else ("--level", "--lower-level",
                                                      "--max-moves")
    moves, chess_hand, scores = "", False, False
    i = 0
    while i < len(rest):
        a = rest[i]
        if a == "--moves" and i + 1 < len(rest):
            moves = rest[i + 1]
            i += 2
            continue
        if a in allowed and i + 1 < len(rest):
            v = rest[i + 1]
            if not v.isdigit():
                return 2, "", ENGINE_USAGE
            opts[a] = int(v)
            i += 2
            continue
        if a == "--chess-hand":
            chess_hand = True
        elif a == "--scores" and cmd == "bestmove":
            scores = True
        else:
            return 2, "", ENGINE_USAGE
        i += 1
    level = opts["--level"]
    lower_level = opts["--lower-level"] if opts["--lower-level"] is not None else level
    if level not in (1, 2, 3) or lower_level not in (1, 2, 3):
        return 2, "", ENGINE_USAGE
    try:
        s = position(moves, chess_hand)
    except IllegalMove as e:
        return 2, "", str(e) + "\n"
    if cmd == "bestmove":
        return bestmove_text(s, level, scores)
    return selfplay_text(s, level, lower_level, opts["--max-moves"])
