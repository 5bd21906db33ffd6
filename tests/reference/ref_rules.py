"""Second, independent model of ZORVAN's rules: state, move legality, promotion tests,
pawn-file flags, hand totals, move execution, legal-move lists and the move notation.

Written from the game's rules only (plain Python 3.11, standard library), so that the C++
command-line tool can be checked against it position by position.  Procedures keep the
game's own names and take the state as their first argument; squares are BOARD[x][y] with
x = file 1..9 from the left and y = rank 1..9 from the top.
"""

from ref_state import *  # noqa: F401,F403  (codes, State, new-game reset)


# ---------------------------------------------------------------------------------------
# Move legality
# ---------------------------------------------------------------------------------------

def 移動チェックビショ(s, fx, fy, tx, ty):
    """Diagonal path test: on one diagonal with nothing strictly between."""
    dx, dy = tx - fx, ty - fy
    if dx != dy and dx != -dy:
        return OFF
    sx = 1 if dx > 0 else -1
    sy = 1 if dy > 0 else -1
    b = s.BOARD
    for i in range(1, abs(dx)):
        if b[fx + i * sx][fy + i * sy] != EMPTY:
            return OFF
    return ON


移動チェック角 = 移動チェックビショ


def 移動チェックルーク(s, fx, fy, tx, ty):
    """Orthogonal path test: on one file or rank with nothing strictly between."""
    if fx != tx and fy != ty:
        return OFF
    b = s.BOARD
    if fy != ty:
        step = 1 if ty > fy else -1
        for y in range(fy + step, ty, step):
            if b[fx][y] != EMPTY:
                return OFF
    else:
        step = 1 if tx > fx else -1
        for x in range(fx + step, tx, step):
            if b[x][fy] != EMPTY:
                return OFF
    return ON


移動チェック飛車 = 移動チェックルーク

_GOLD_LIKE = (KIN, HU_N, KYOU_N, KEI_N, GIN_N)
_CASTLING = {
    # (code, from, to): (squares that must be empty, corner that must hold the rook)
    (KING, 6, 1, 8, 1): (((7, 1), (8, 1)), (9, 1)),
    (KING, 6, 1, 4, 1): (((3, 1), (4, 1), (5, 1)), (2, 1)),
    (-KING, 4, 9, 6, 9): (((5, 9), (6, 9), (7, 9)), (8, 9)),
    (-KING, 4, 9, 2, 9): (((2, 9), (3, 9)), (1, 9)),
}


def 移動チェック(s, fx, fy, tx, ty, code):
    """ON when the piece `code` may go from (fx, fy) to (tx, ty); a source column of 11 or -1
    is a drop from the lower or upper hand."""
    if tx < 1 or tx > 9 or ty < 1 or ty > 9:
        return OFF
    if fx == tx and fy == ty:
        return OFF
    b = s.BOARD
    t = b[tx][ty]
    if code > 0 and t > 0:
        return OFF
    if code < 0 and t < 0:
        return OFF
    kind = code if code > 0 else -code
    if fx == 11 or fx == -1:
        if t != EMPTY:
            return OFF
        if code == -HU and s.OWN_PAWN_FILE[tx] == 1:
            return OFF
        if code == HU and s.ENEMY_PAWN_FILE[tx] == 1:
            return OFF
        if kind not in (HU, KYOU, KEI, PORN):
            return ON
        if code < 0:
            if kind in (HU, KYOU):
                return OFF if ty == 1 else ON
            return OFF if ty <= 2 else ON
        if kind in (HU, KYOU):
            return OFF if ty == 9 else ON
        return OFF if ty >= 8 else ON

    dx = tx - fx
    dy = ty - fy
    f = -dy if code < 0 else dy
    adx = dx if dx >= 0 else -dx
    ady = dy if dy >= 0 else -dy
    adjacent = adx <= 1 and ady <= 1

    if kind == HU:
        return ON if dx == 0 and f == 1 else OFF
    if kind == KYOU:
        if dx != 0 or f < 1:
            return OFF
        return 移動チェック飛車(s, fx, fy, tx, ty)
    if kind == KEI:
        return ON if adx == 1 and f == 2 else OFF
    if kind == GIN:
        return ON if adx <= 1 and (f == 1 or (f == -1 and dx != 0)) else OFF
    if kind in _GOLD_LIKE:
        return ON if (adx <= 1 and f in (0, 1)) or (dx == 0 and f == -1) else OFF
    if kind == KAKU or kind == BISH:
        return 移動チェック角(s, fx, fy, tx, ty)
    if kind == KAKU_N:
        return ON if adjacent else 移動チェック角(s, fx, fy, tx, ty)
    if kind == SYA or kind == ROOK:
        return 移動チェック飛車(s, fx, fy, tx, ty)
    if kind == SYA_N:
        return ON if adjacent else 移動チェック飛車(s, fx, fy, tx, ty)
    if kind == OU:
        return ON if adjacent else OFF
    if kind == KNIG:
        return ON if (adx, ady) in ((1, 2), (2, 1)) else OFF
    if kind == QEEN:
        if 移動チェックルーク(s, fx, fy, tx, ty) == ON:
            return ON
        return 移動チェックビショ(s, fx, fy, tx, ty)
    if kind == KING:
        if adjacent:
            return ON
        rule = _CASTLING.get((code, fx, fy, tx, ty))
        if rule is None:
            return OFF
        empties, corner = rule
        for ex, ey in empties:
            if b[ex][ey] != EMPTY:
                return OFF
        rook = ROOK if code > 0 else -ROOK
        return ON if b[corner[0]][corner[1]] == rook else OFF
    if kind == PORN:
        return _pawn_check(s, fx, fy, tx, ty, code, dx, f, t)
    return OFF


def _pawn_check(s, fx, fy, tx, ty, code, dx, f, t):
    b = s.BOARD
    if dx == 0 and t != EMPTY:
        return OFF
    if f == 1:
        if dx == 0:
            return ON
        if (dx == 1 or dx == -1) and t != EMPTY:
            return ON  # the target holds an opposing piece (own pieces were refused before)
    if f == 1 and (dx == 1 or dx == -1) and t == EMPTY:
        ep_row = 4 if code < 0 else 6
        passed = -code  # the opposing chess pawn
        n = s.MOVE_NO
        if (fy == ep_row and b[tx][fy] == passed and s.MOVE_TO_X[n] == tx
                and s.MOVE_TO_Y[n] == fy and s.MOVE_CODE[n] == passed):
            return ON
        return OFF
    if dx == 0:
        start, step = (8, -1) if code < 0 else (2, 1)
        if fy == start and ty == fy + 2 * step:
            if b[fx][fy + step] == EMPTY and b[tx][ty] == EMPTY:
                return ON
    return OFF


# ---------------------------------------------------------------------------------------
# Promotion tests
# ---------------------------------------------------------------------------------------

def 調査_駒成(s, fx, fy, tx, ty, code):
    """ON when the move may promote the piece; then PROMOTE_CODE is the promoted code."""
    if fx == 11 or fx == -1:
        return OFF
    if code in (-HU, -KYOU, -KEI):
        ok, new = ty <= 3, code - 1
    elif code in (-GIN, -KAKU, -SYA):
        ok, new = ty <= 3 or fy <= 3, code - 1
    elif code in (HU, KYOU, KEI):
        ok, new = ty >= 7, code + 1
    elif code in (GIN, KAKU, SYA):
        ok, new = ty >= 7 or fy >= 7, code + 1
    elif code == PORN:
        ok, new = ty >= 8, QEEN
    elif code == -PORN:
        ok, new = ty <= 2, -QEEN
    else:
        return OFF
    if ok:
        s.PROMOTE_CODE = new
        return ON
    return OFF


def 移動後チェック(s, ty, code):
    """OFF when a piece of this code on row ty could never move again."""
    if code in (HU, KYOU, PORN) and ty == 9:
        return OFF
    if code == KEI and ty >= 8:
        return OFF
    if code in (-HU, -KYOU, -PORN) and ty == 1:
        return OFF
    if code == -KEI and ty <= 2:
        return OFF
    return ON


def 調査_駒成人選(s, fx, fy, tx, ty, code):
    """ON when a chess pawn reaches the rows where its new piece must be chosen."""
    if code == -PORN and ty <= 2:
        return ON
    if code == PORN and ty >= 8:
        return ON
    return OFF


# ---------------------------------------------------------------------------------------
# Pawn-file flags
# ---------------------------------------------------------------------------------------

def 調査_2歩フラグ設定(s):
    """Rebuilds the per-file flags of unpromoted 歩 of both sides from the board."""
    for x in range(1, 10):
        s.OWN_PAWN_FILE[x] = 0
        s.ENEMY_PAWN_FILE[x] = 0
        col = s.BOARD[x]
        for y in range(1, 10):
            if col[y] == -HU:
                s.OWN_PAWN_FILE[x] = 1
            elif col[y] == HU:
                s.ENEMY_PAWN_FILE[x] = 1


# ---------------------------------------------------------------------------------------
# Move execution
# ---------------------------------------------------------------------------------------

def 駒取得(s, c):
    """Files a captured code into the captor's hand, or records the winner for a king."""
    if c >= 1:
        if c in (OU, KING):
            s.WINNER = s.LOWER_PLAYER
        elif c <= QEEN and KIND_SLOT[c]:
            s.OWN_HAND[KIND_SLOT[c]] += 1
    elif c <= -1:
        if c in (-OU, -KING):
            s.WINNER = s.UPPER_PLAYER
        elif -c <= QEEN and KIND_SLOT[-c]:
            s.ENEMY_HAND[KIND_SLOT[-c]] += 1


def 駒移動(s, fx, fy, tx, ty, code):
    """Executes a legal move; code is the piece's code after the move."""
    b = s.BOARD
    t = b[tx][ty]
    if t <= -1:
        s.ENEMY_HAND_COUNT += 1
        駒取得(s, t)
    elif t >= 1:
        s.OWN_HAND_COUNT += 1
        駒取得(s, t)
    # A chess pawn stepping diagonally onto an empty square takes the pawn it passed.
    if t == EMPTY and (code == PORN or code == -PORN) and 1 <= fx <= 9 and abs(tx - fx) == 1:
        b[tx][fy] = EMPTY
        if code < 0:
            s.OWN_HAND[1] += 1
            s.OWN_HAND_COUNT += 1
        else:
            s.ENEMY_HAND[1] += 1
            s.ENEMY_HAND_COUNT += 1
    b[tx][ty] = code
    if code == -OU:
        s.OWN_KING_X, s.OWN_KING_Y = tx, ty
    elif code == -KING:
        s.OWN_KING_X, s.OWN_KING_Y = tx, ty
        if abs(tx - fx) == 2:
            if tx == 6:
                b[5][9] = -ROOK
                b[8][9] = EMPTY
            else:
                b[3][9] = -ROOK
                b[1][9] = EMPTY
    elif code == KING and abs(tx - fx) == 2:
        if tx == 8:
            b[7][1] = ROOK
            b[9][1] = EMPTY
        else:
            b[5][1] = ROOK
            b[2][1] = EMPTY
    if fx == -1:
        s.ENEMY_HAND_COUNT -= 1
        s.ENEMY_HAND[fy] -= 1
    elif fx == 11:
        s.OWN_HAND_COUNT -= 1
        s.OWN_HAND[fy] -= 1
    else:
        b[fx][fy] = EMPTY


def 手順保存(s, fx, fy, tx, ty, code_before, code_after, captured):
    """Stores the snapshot of the move just executed (MOVE_NO already advanced)."""
    n = s.MOVE_NO
    snapshot(s)
    for table, value in ((s.MOVE_TO_X, tx), (s.MOVE_TO_Y, ty), (s.MOVE_CODE, code_after)):
        while len(table) <= n:
            table.append(0)
        table[n] = value


# ---------------------------------------------------------------------------------------
# Legal moves, notation, applying moves
# ---------------------------------------------------------------------------------------
# A move is a tuple (fx, fy, tx, ty, code_after, text); for a drop fx is 11 or -1 and fy
# the hand slot.

def side_to_move(s):
    """-1 when the lower side is to move, +1 for the upper side, 0 when nobody is."""
    if s.TURN == NO_SIDE:
        return 0
    if s.TURN == s.LOWER_PLAYER:
        return -1
    if s.TURN == s.UPPER_PLAYER:
        return 1
    return 0


def usable_slots(s, sign):
    """Hand slots the side may drop from, by the option "ﾁｪｽ側持駒OK" and its army."""
    if s.chess_hand:
        return range(1, 13)
    if sign < 0:  # lower side: the shogi army below may use the chess slots only
        return range(1, 6) if s.LOWER_PLAYER == SENTE else range(0)
    return range(0) if s.LOWER_PLAYER == SENTE else range(1, 13)


def move_text(fx, fy, tx, ty, suffix=""):
    return "%d%d%d%d%s" % (fx, fy, tx, ty, suffix)


def legal_moves(s):
    """Legal moves of the side to move, in the order the command-line tool lists them."""
    moves = []
    if s.WINNER != NO_SIDE:
        return moves
    sign = side_to_move(s)
    if sign == 0:
        return moves
    b = s.BOARD
    for x in range(1, 10):
        col = b[x]
        for y in range(1, 10):
            code = col[y]
            if code == EMPTY or (code > 0) != (sign > 0):
                continue
            kind = code * sign
            for x2 in range(1, 10):
                for y2 in range(1, 10):
                    if 移動チェック(s, x, y, x2, y2, code) == OFF:
                        continue
                    base = move_text(x, y, x2, y2)
                    if kind in SHOGI_PROMOTABLE:
                        if 調査_駒成(s, x, y, x2, y2, code) == OFF:
                            moves.append((x, y, x2, y2, code, base))
                        else:
                            promoted = s.PROMOTE_CODE
                            if 移動後チェック(s, y2, code) == ON:
                                moves.append((x, y, x2, y2, code, base))
                            moves.append((x, y, x2, y2, promoted, base + "+"))
                    elif kind == PORN:
                        if 調査_駒成人選(s, x, y, x2, y2, code) == OFF:
                            moves.append((x, y, x2, y2, code, base))
                        else:
                            if 移動後チェック(s, y2, code) == ON:
                                moves.append((x, y, x2, y2, code, base))
                            for name, k in PAWN_CHOICES:
                                moves.append((x, y, x2, y2, k * sign, base + "=" + name))
                    else:
                        moves.append((x, y, x2, y2, code, base))
    hand = s.OWN_HAND if sign < 0 else s.ENEMY_HAND
    column = 11 if sign < 0 else -1
    slots = [slot for slot in usable_slots(s, sign) if hand[slot] > 0]
    if slots:
        調査_2歩フラグ設定(s)
        for slot in slots:
            code = SLOT_KIND[slot] * sign
            for x2 in range(1, 10):
                for y2 in range(1, 10):
                    if 移動チェック(s, column, slot, x2, y2, code) == ON:
                        moves.append((column, slot, x2, y2, code,
                                      "%s*%d%d" % (SLOT_NAME[slot], x2, y2)))
    return moves


def apply_move(s, move):
    """Executes the move, stores it and passes the turn (in place)."""
    fx, fy, tx, ty, code = move[:5]
    captured = s.BOARD[tx][ty]
    code_before = s.BOARD[fx][fy] if 1 <= fx <= 9 else code
    駒移動(s, fx, fy, tx, ty, code)
    s.MOVE_NO += 1
    手順保存(s, fx, fy, tx, ty, code_before, code, captured)
    s.MOVE_COUNT += 1
    if s.TURN == SENTE:
        s.TURN = GOTE
    elif s.TURN == GOTE:
        s.TURN = SENTE


def after(s, move):
    """A copy of the state with the move applied."""
    c = s.copy()
    apply_move(c, move)
    return c


def find_move(s, text):
    for m in legal_moves(s):
        if m[5] == text:
            return m
    return None


class IllegalMove(Exception):
    def __init__(self, text, ply):
        super().__init__("illegal move %s at ply %d" % (text, ply))
        self.text = text
        self.ply = ply


def position(moves_text="", chess_hand=False):
    """The start position with the given moves (notation, blank separated) played."""
    s = new_game(chess_hand)
    for ply, text in enumerate(moves_text.split(), 1):
        m = find_move(s, text)
        if m is None:
            raise IllegalMove(text, ply)
        apply_move(s, m)
    return s


def perft(s, depth):
    if depth == 0:
        return 1
    moves = legal_moves(s)
    if depth == 1:
        return len(moves)
    return sum(perft(after(s, m), depth - 1) for m in moves)


def divide(s, depth):
    """[(move text, nodes)] for each root move, in generation order."""
    return [(m[5], perft(after(s, m), depth - 1)) for m in legal_moves(s)]
