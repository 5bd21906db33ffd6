"""Influence maps and mate tests of the Python reference.

`勢力調査` rebuilds the fourteen square maps (attributes of the state, named as in
ref_rules.MAP_NAMES) and the king squares from BOARD.  Own (自) is the lower side
(negative codes), enemy (敵) the upper side (positive codes).
"""
from ref_rules import (ON, OFF, EMPTY, HU, HU_N, PORN, KYOU, KYOU_N, KEI, KEI_N, ROOK, GIN,
                       GIN_N, KNIG, BISH, KIN, KAKU, KAKU_N, SYA, SYA_N, QEEN, KING, OU,
                       SLOT_KIND, 移動チェック, 調査_2歩フラグ設定)

CHECK_PIECE = 9
CHECK_PATH = 1

_UPPER_KINGS = (OU, KING)
_LOWER_KINGS = (-OU, -KING)


def _on(x, y):
    return 1 <= x <= 9 and 1 <= y <= 9


# ---------------------------------------------------------------------------------------
# Per-square updates
# ---------------------------------------------------------------------------------------

def _own_update(s, c, x, y, tx, ty, e, checks, kei=False):
    """An own piece of code c on (x, y) bears on (tx, ty); e is the enemy threshold."""
    s.OWN_INFLUENCE[tx][ty] += 1
    t = s.BOARD[tx][ty]
    if t <= -1:
        if s.OWN_GUARD_CODE[tx][ty] > c:
            s.OWN_GUARD_CODE[tx][ty] = c
    elif t >= e:
        if s.OWN_ATTACKER_CODE[tx][ty] < c:
            s.OWN_ATTACKER_CODE[tx][ty] = c
            s.OWN_ATTACKER_X[tx][ty] = x
            s.OWN_ATTACKER_Y[tx][ty] = y
        if checks and t in _UPPER_KINGS:
            s.OWN_CHECK_MAP[x][y] = CHECK_PIECE
            if kei:
                s.OWN_CHECK_MAP[tx][ty] = CHECK_PIECE


def _enemy_update(s, c, x, y, tx, ty, g, a, guard_sq, att_sq, checks, kei=False,
                  guard_step=True):
    """An enemy piece of code c on (x, y) bears on (tx, ty); g is the guard threshold, a the
    attack threshold (None: no attack step)."""
    s.ENEMY_INFLUENCE[tx][ty] += 1
    t = s.BOARD[tx][ty]
    if guard_step and t >= g:
        if s.ENEMY_GUARD_CODE[tx][ty] > c:
            s.ENEMY_GUARD_CODE[tx][ty] = c
            if guard_sq:
                s.ENEMY_GUARD_X[tx][ty] = x
                s.ENEMY_GUARD_Y[tx][ty] = y
    elif a is not None and t <= -a:
        if s.ENEMY_ATTACKER_CODE[tx][ty] > c:
            s.ENEMY_ATTACKER_CODE[tx][ty] = c
            if att_sq:
                s.ENEMY_ATTACKER_X[tx][ty] = x
                s.ENEMY_ATTACKER_Y[tx][ty] = y
    if checks and t in _LOWER_KINGS:
        s.ENEMY_CHECK_MAP[x][y] = CHECK_PIECE
        if kei:
            s.ENEMY_CHECK_MAP[tx][ty] = CHECK_PIECE


def _own_squares(s, c, x, y, squares, e, checks, kei=False):
    for tx, ty in squares:
        if _on(tx, ty):
            _own_update(s, c, x, y, tx, ty, e, checks, kei)


def _enemy_squares(s, c, x, y, squares, g, a, guard_sq, att_sq, checks, kei=False,
                   guard_step=True):
    for tx, ty in squares:
        if _on(tx, ty):
            _enemy_update(s, c, x, y, tx, ty, g, a, guard_sq, att_sq, checks, kei, guard_step)


# ---------------------------------------------------------------------------------------
# Line walks
# ---------------------------------------------------------------------------------------

def _walk(s, c, x, y, sx, sy, own_low, enemy_high):
    """Walks from (x, y) in direction (sx, sy).  For an own piece (c <= -1) own_low and
    enemy_high are the thresholds of guarded (<= -own_low) and attacked (>= enemy_high)
    pieces; for an enemy piece guarded (>= own_low) and attacked (<= -enemy_high)."""
    b = s.BOARD
    tx, ty = x + sx, y + sy
    if c <= -1:
        while _on(tx, ty):
            s.OWN_INFLUENCE[tx][ty] += 1
            t = b[tx][ty]
            if t <= -own_low:
                if s.OWN_GUARD_CODE[tx][ty] > c:
                    s.OWN_GUARD_CODE[tx][ty] = c
            elif t >= enemy_high:
                if s.OWN_ATTACKER_CODE[tx][ty] < c:
                    s.OWN_ATTACKER_CODE[tx][ty] = c
                    s.OWN_ATTACKER_X[tx][ty] = x
                    s.OWN_ATTACKER_Y[tx][ty] = y
            if t != EMPTY and t not in _UPPER_KINGS:
                return
            if t in _UPPER_KINGS:
                px, py = x + sx, y + sy
                while (px, py) != (tx, ty):
                    s.OWN_CHECK_MAP[px][py] = CHECK_PATH
                    px, py = px + sx, py + sy
                s.OWN_CHECK_MAP[x][y] = CHECK_PIECE
            tx, ty = tx + sx, ty + sy
    else:
        while _on(tx, ty):
            s.ENEMY_INFLUENCE[tx][ty] += 1
            t = b[tx][ty]
            if t >= own_low:
                if s.ENEMY_GUARD_CODE[tx][ty] > c:
                    s.ENEMY_GUARD_CODE[tx][ty] = c
                    s.ENEMY_GUARD_X[tx][ty] = x
                    s.ENEMY_GUARD_Y[tx][ty] = y
            elif t <= -enemy_high:
                if s.ENEMY_ATTACKER_CODE[tx][ty] > c:
                    s.ENEMY_ATTACKER_CODE[tx][ty] = c
                    s.ENEMY_ATTACKER_X[tx][ty] = x
                    s.ENEMY_ATTACKER_Y[tx][ty] = y
            if t != EMPTY and t not in _LOWER_KINGS:
                return
            if t in _LOWER_KINGS:
                px, py = x + sx, y + sy
                while (px, py) != (tx, ty):
                    s.ENEMY_CHECK_MAP[px][py] = CHECK_PATH
                    px, py = px + sx, py + sy
                s.ENEMY_CHECK_MAP[x][y] = CHECK_PIECE
            tx, ty = tx + sx, ty + sy


def 勢力確定上直進(s, c, x, y):
    """Influence of a long-range piece straight towards rank 1."""
    _walk(s, c, x, y, 0, -1, 1, 1)


def 勢力確定下直進(s, c, x, y):
    """Influence straight towards rank 9."""
    _walk(s, c, x, y, 0, 1, 1, 1)


def 勢力確定右直進(s, c, x, y):
    """Influence straight towards file 9."""
    _walk(s, c, x, y, 1, 0, 1, 1)


def 勢力確定左直進(s, c, x, y):
    """Influence straight towards file 1."""
    _walk(s, c, x, y, -1, 0, 1, 1)


def _rays(s, c, x, y):
    勢力確定下直進(s, c, x, y)
    勢力確定上直進(s, c, x, y)
    勢力確定右直進(s, c, x, y)
    勢力確定左直進(s, c, x, y)


_DIAGONALS = ((-1, -1), (1, -1), (-1, 1), (1, 1))


def _diagonals(s, c, x, y, guard, attack):
    for sx, sy in _DIAGONALS:
        _walk(s, c, x, y, sx, sy, guard, attack)


def 勢力確定自ビショ(s, x, y):
    """Diagonals of an own chess bishop."""
    _diagonals(s, -BISH, x, y, 1, 1)


def 勢力確定自クイーン(s, x, y):
    """Diagonals of an own chess queen."""
    _diagonals(s, -QEEN, x, y, 1, 1)


def 勢力確定敵ビショ(s, c, x, y):
    """Diagonals of an enemy chess bishop (pawns below the threshold are not recorded)."""
    _diagonals(s, c, x, y, 3, 3)


def 勢力確定敵クイーン(s, x, y):
    """Diagonals of an enemy chess queen."""
    _diagonals(s, QEEN, x, y, 3, 3)


def 勢力確定自角(s, x, y):
    """Diagonals of an own 角 (also of an own 馬)."""
    _diagonals(s, -KAKU, x, y, 1, 1)


def 勢力確定敵角(s, c, x, y):
    """Diagonals of an enemy 角 or 馬."""
    _diagonals(s, c, x, y, 1, 1)


def 勢力確定自金(s, c, x, y):
    """Influence of an own gold or a piece moving like gold."""
    _own_squares(s, c, x, y, ((x, y - 1), (x - 1, y - 1), (x + 1, y - 1), (x, y + 1),
                              (x - 1, y), (x + 1, y)), 1, True)


def 勢力確定敵金(s, x, y):
    """Influence of an enemy gold or gold-like piece, recorded as +KIN."""
    c = KIN
    for tx, ty in ((x, y - 1), (x, y + 1), (x - 1, y + 1), (x + 1, y + 1), (x - 1, y),
                   (x + 1, y)):
        if not _on(tx, ty):
            continue
        s.ENEMY_INFLUENCE[tx][ty] += 1
        t = s.BOARD[tx][ty]
        if t >= 1:
            if s.ENEMY_GUARD_CODE[tx][ty] > c:
                s.ENEMY_GUARD_CODE[tx][ty] = c
        elif t in _LOWER_KINGS:
            s.ENEMY_CHECK_MAP[x][y] = CHECK_PIECE


# ---------------------------------------------------------------------------------------
# The survey
# ---------------------------------------------------------------------------------------

_RESET = (("OWN_INFLUENCE", 0), ("ENEMY_INFLUENCE", 0), ("OWN_GUARD_CODE", 999),
          ("ENEMY_GUARD_CODE", 999), ("ENEMY_GUARD_X", 0), ("ENEMY_GUARD_Y", 0),
          ("OWN_ATTACKER_CODE", -999), ("OWN_ATTACKER_X", 0), ("OWN_ATTACKER_Y", 0),
          ("ENEMY_ATTACKER_CODE", 999), ("ENEMY_ATTACKER_X", 0), ("ENEMY_ATTACKER_Y", 0),
          ("OWN_CHECK_MAP", 0), ("ENEMY_CHECK_MAP", 0))


def _knight_squares(x, y):
    return [(i, j) for i in range(x - 2, x + 3) for j in range(y - 2, y + 3)
            if i != x and j != y and {abs(i - x), abs(j - y)} == {1, 2}]


def _king_squares(x, y):
    return [(i, j) for i in range(x - 1, x + 2) for j in range(y - 1, y + 2)
            if (i, j) != (x, y)]


def _ou_squares(x, y):
    return ((x, y - 1), (x - 1, y - 1), (x + 1, y - 1), (x, y + 1), (x - 1, y + 1),
            (x + 1, y + 1), (x - 1, y), (x + 1, y))


def _survey_own(s, c, x, y):
    if c == -HU:
        _own_squares(s, c, x, y, ((x, y - 1),), 1, True)
    elif c in (-HU_N, -KYOU_N, -KEI_N, -GIN_N, -KIN):
        勢力確定自金(s, c, x, y)
    elif c == -PORN:
        _own_squares(s, c, x, y, ((x - 1, y - 1), (x + 1, y - 1)), 3, True)
    elif c == -KYOU:
        勢力確定上直進(s, c, x, y)
    elif c == -KEI:
        _own_squares(s, c, x, y, ((x - 1, y - 2), (x + 1, y - 2)), 1, True, kei=True)
    elif c == -ROOK:
        _rays(s, c, x, y)
    elif c == -GIN:
        _own_squares(s, c, x, y, ((x, y - 1), (x - 1, y - 1), (x + 1, y - 1), (x - 1, y + 1),
                                  (x + 1, y + 1)), 1, True)
    elif c == -KNIG:
        _own_squares(s, c, x, y, _knight_squares(x, y), 1, True)
    elif c == -BISH:
        勢力確定自ビショ(s, x, y)
    elif c == -KAKU:
        勢力確定自角(s, x, y)
    elif c == -KAKU_N:
        _own_squares(s, c, x, y, ((x, y - 1), (x, y + 1), (x - 1, y), (x + 1, y)), 1, True)
        勢力確定自角(s, x, y)
    elif c == -SYA:
        _rays(s, c, x, y)
    elif c == -SYA_N:
        _rays(s, c, x, y)
        _own_squares(s, c, x, y, ((x - 1, y - 1), (x + 1, y - 1), (x - 1, y + 1),
                                  (x + 1, y + 1)), 1, True)
    elif c == -QEEN:
        _rays(s, c, x, y)
        勢力確定自クイーン(s, x, y)
    elif c == -KING:
        s.OWN_KING_X, s.OWN_KING_Y = x, y
        _own_squares(s, c, x, y, _king_squares(x, y), 3, False)
    elif c == -OU:
        s.OWN_KING_X, s.OWN_KING_Y = x, y
        _own_squares(s, c, x, y, _ou_squares(x, y), 1, False)


def _survey_enemy(s, c, x, y):
    if c == HU:
        _enemy_squares(s, c, x, y, ((x, y + 1),), 1, 1, False, False, True)
    elif c in (HU_N, KYOU_N, KEI_N, GIN_N, KIN):
        勢力確定敵金(s, x, y)
    elif c == PORN:
        _enemy_squares(s, c, x, y, ((x - 1, y + 1), (x + 1, y + 1)), 3, 3, False, False, True)
    elif c == KYOU:
        勢力確定下直進(s, c, x, y)
    elif c == KEI:
        _enemy_squares(s, c, x, y, ((x - 1, y + 2), (x + 1, y + 2)), 1, None, True, False,
                       True, kei=True)
    elif c == ROOK:
        _rays(s, c, x, y)
    elif c == GIN:
        _enemy_squares(s, c, x, y, ((x, y + 1), (x - 1, y + 1), (x + 1, y + 1), (x - 1, y - 1),
                                    (x + 1, y - 1)), 1, None, True, False, True)
    elif c == KNIG:
        _enemy_squares(s, c, x, y, _knight_squares(x, y), 3, None, True, False, True)
    elif c == BISH:
        勢力確定敵ビショ(s, c, x, y)
    elif c == KAKU:
        勢力確定敵角(s, c, x, y)
    elif c == KAKU_N:
        _enemy_squares(s, c, x, y, ((x, y - 1), (x, y + 1), (x - 1, y), (x + 1, y)), 1, None,
                       False, False, True, guard_step=False)
        勢力確定敵角(s, c, x, y)
    elif c == SYA:
        _rays(s, c, x, y)
    elif c == SYA_N:
        _rays(s, c, x, y)
        _enemy_squares(s, c, x, y, ((x - 1, y - 1), (x + 1, y - 1), (x - 1, y + 1),
                                    (x + 1, y + 1)), 1, 1, True, True, True)
    elif c == QEEN:
        _rays(s, c, x, y)
        勢力確定敵クイーン(s, x, y)
    elif c == KING:
        s.ENEMY_KING_X, s.ENEMY_KING_Y = x, y
        _enemy_squares(s, c, x, y, _king_squares(x, y), 3, None, False, False, False)
    elif c == OU:
        s.ENEMY_KING_X, s.ENEMY_KING_Y = x, y
        _enemy_squares(s, c, x, y, _ou_squares(x, y), 1, None, False, False, False)


def 勢力調査(s):
    """Rebuilds every influence map and the king squares from BOARD."""
    for name, value in _RESET:
        grid = getattr(s, name)
        for x in range(1, 10):
            col = grid[x]
            for y in range(1, 10):
                col[y] = value
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            c = b[x][y]
            if c == EMPTY:
                continue
            if c < 0:
                _survey_own(s, c, x, y)
            else:
                _survey_enemy(s, c, x, y)


# ---------------------------------------------------------------------------------------
# Mate tests
# ---------------------------------------------------------------------------------------

def 詰めかMAN_COM移動(s):
    """ON when some upper-side piece can move onto the lower king's square."""
    kx, ky = s.OWN_KING_X, s.OWN_KING_Y
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            c = b[x][y]
            if c >= 1 and 移動チェック(s, x, y, kx, ky, c) == ON:
                return ON
    return OFF


def _checker_reaches(s, check_map, kx, ky):
    """ON when a piece on a square marked as checking can still move onto (kx, ky)."""
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            if check_map[x][y] == CHECK_PIECE and b[x][y] != EMPTY:
                if 移動チェック(s, x, y, kx, ky, b[x][y]) == ON:
                    return True
    return False


def _drop_blocks(s, x, y, hand, column, sign, check_map, kx, ky):
    """Step 2 of the mate tests for one path square.  Returns True when the scan goes on
    (a drop there blocks every check), False when the test goes on with the escapes."""
    if not any(hand[slot] > 0 and
               移動チェック(s, column, slot, x, y, SLOT_KIND[slot] * sign) == ON
               for slot in range(1, 13)):
        return False
    b = s.BOARD
    saved = b[x][y]
    b[x][y] = HU * sign
    reaches = _checker_reaches(s, check_map, kx, ky)
    b[x][y] = saved
    return not reaches


def _interposition(s, kx, ky, hand_count, hand, column, sign, check_map):
    """Steps 1..2 shared by both mate tests.  Returns OFF when a drop blocks every check,
    None when the test goes on with the escapes."""
    if hand_count <= 0:
        return None
    調査_2歩フラグ設定(s)
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            v = check_map[x][y]
            if v == CHECK_PIECE:
                if abs(x - kx) < 2 and abs(y - ky) < 2:
                    return None
                if abs(b[x][y]) in (KEI, KNIG):
                    return None
            elif v == CHECK_PATH:
                if not _drop_blocks(s, x, y, hand, column, sign, check_map, kx, ky):
                    return None
    return OFF


def 詰めかMAN(s):
    """ON when the lower side's king is found mated on the current maps."""
    kx, ky = s.OWN_KING_X, s.OWN_KING_Y
    if s.ENEMY_INFLUENCE[kx][ky] == 0:
        return OFF
    check_map = s.ENEMY_CHECK_MAP
    if _interposition(s, kx, ky, s.OWN_HAND_COUNT, s.OWN_HAND, 11, -1, check_map) == OFF:
        return OFF
    for x in range(kx - 1, kx + 2):
        for y in range(ky - 1, ky + 2):
            if _on(x, y) and 移動チェック(s, kx, ky, x, y, -OU) == ON \
                    and s.ENEMY_INFLUENCE[x][y] == 0:
                return OFF
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            code = b[x][y]
            if not -18 <= code <= -1:
                continue
            for x2 in range(1, 10):
                for y2 in range(1, 10):
                    if (x2, y2) == (x, y):
                        continue
                    if 移動チェック(s, x, y, x2, y2, code) == ON and check_map[x2][y2] > 0:
                        captured = b[x2][y2]
                        b[x2][y2] = code
                        b[x][y] = EMPTY
                        answer = 詰めかMAN_COM移動(s)
                        b[x][y] = code
                        b[x2][y2] = captured
                        if answer == OFF:
                            return OFF
    return ON


def 詰めかCOM(s):
    """ON when the upper side's king is found mated.  Trial defences are judged by a new
    survey, so the maps are those of the last trial afterwards."""
    kx, ky = s.ENEMY_KING_X, s.ENEMY_KING_Y
    if s.OWN_INFLUENCE[kx][ky] == 0:
        return OFF
    check_map = [col[:] for col in s.OWN_CHECK_MAP]
    if _interposition(s, kx, ky, s.ENEMY_HAND_COUNT, s.ENEMY_HAND, -1, 1, check_map) == OFF:
        return OFF
    for x in range(kx - 1, kx + 2):
        for y in range(ky - 1, ky + 2):
            if _on(x, y) and 移動チェック(s, kx, ky, x, y, OU) == ON \
                    and s.OWN_INFLUENCE[x][y] == 0:
                return OFF
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            code = b[x][y]
            if not 1 <= code <= 18:
                continue
            for x2 in range(1, 10):
                for y2 in range(1, 10):
                    if (x2, y2) == (x, y):
                        continue
                    if 移動チェック(s, x, y, x2, y2, code) == ON and check_map[x2][y2] > 0:
                        captured = b[x2][y2]
                        b[x2][y2] = code
                        b[x][y] = EMPTY
                        勢力調査(s)
                        b[x][y] = code
                        b[x2][y2] = captured
                        if s.OWN_INFLUENCE[kx][ky] == 0:
                            return OFF
    return ON


def 調査_自王逃道(s):
    """Number of free flight squares of the lower king; each is marked 1 in ESCAPE_MAP."""
    kx, ky = s.OWN_KING_X, s.OWN_KING_Y
    count = 0
    for x in range(kx - 1, kx + 2):
        for y in range(ky - 1, ky + 2):
            if (x, y) == (kx, ky) or not _on(x, y):
                continue
            if s.BOARD[x][y] == EMPTY and s.ENEMY_INFLUENCE[x][y] == 0:
                s.ESCAPE_MAP[x][y] = 1
                count += 1
    return count
