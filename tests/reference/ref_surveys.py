"""Questions the reference computer player asks about a position: the tactical surveys, the
danger squares around the computer's position and the bishop watch.

Written literally from the game's rules: every condition and every strict comparison as the
rules give them, terms added in the order they are listed, scores as Python floats (doubles)
and "/" a true division.  A map is read at whatever value it holds, also its reset value
(999, -999) or square (0, 0) when no piece was recorded.
"""

from ref_rules import (
    EMPTY, ON, OFF, HU, KYOU, KEI, GIN, KAKU, KAKU_N, SYA, SYA_N, OU, 移動チェック,
)

RANGE9 = range(1, 10)


def _grid(v=0):
    return [[v] * 10 for _ in range(10)]


class Surveys:
    """The per-turn values the evaluation reads (snapshots and maps taken before the search,
    filled by the search in ref_engine.py) and the survey procedures."""

    def __init__(self, s, level):
        self.s = s
        self.COM_LEVEL = level
        self.BEST_SCORE = -99999
        self.BOARD_BEFORE = _grid()
        self.ESCAPE_BASE = 0
        self.ENEMY_HAND_COUNT_BEFORE = 0
        self.OWN_INFLUENCE_BEFORE = _grid()
        self.ENEMY_INFLUENCE_BEFORE = _grid()
        self.ENEMY_ATTACKER_X_BEFORE = _grid()
        self.ENEMY_ATTACKER_Y_BEFORE = _grid()
        self.TRY_PIECE = 0
        self.KING_DISTANCE = 0
        self.BISHOP_CHECK_MAP = _grid()
        self.OWN_PINNED_MAP = _grid()
        self.ENEMY_PINNED_MAP = _grid()
        self.ENEMY_PINNED = OFF

    # ----------------------------------------------------------------------------------------
    # Tactical surveys
    # ----------------------------------------------------------------------------------------

    def 調査_移動可場所数(self, x, y, c):
        """How many squares the piece c could move to from (x, y) that the other side does not
        cover."""
        s = self.s
        n = 0
        if c >= 1:
            other = s.OWN_INFLUENCE
        elif c <= -1:
            other = s.ENEMY_INFLUENCE
        else:
            other = None
        for u in RANGE9:
            for v in RANGE9:
                if 移動チェック(s, x, y, u, v, c) == ON:
                    if other is not None and other[u][v] == 0:
                        n += 1
        return n

    def 調査_桂狙い(self, x2, y2):
        """Value a 桂 dropped next to our 歩 on (x2, y2) would win from a big piece that attacks
        the 歩."""
        s = self.s
        B = s.BOARD
        oac = s.OWN_ATTACKER_CODE[x2][y2]
        r = 0
        if -17 <= oac <= -14 and y2 > 5:
            if (x2 > 2 and B[x2 - 1][y2 - 2] == EMPTY and s.OWN_INFLUENCE[x2 - 1][y2 - 2] == 0
                    and B[x2 - 2][y2] <= -14 and s.OWN_ATTACKER_X[x2][y2] != x2 - 2):
                r += abs(B[x2 - 2][y2])
            if (x2 < 8 and B[x2 + 1][y2 - 2] == EMPTY and s.OWN_INFLUENCE[x2 + 1][y2 - 2] == 0
                    and B[x2 + 2][y2] <= -14 and s.OWN_ATTACKER_X[x2][y2] != x2 + 2):
                r += abs(B[x2 + 2][y2])
        return r

    def 調査_香狙い(self, x2, y2):
        """Value a 香 on our 歩's square would win down the column."""
        s = self.s
        B = s.BOARD
        if (y2 > 6 and s.ENEMY_INFLUENCE[x2][y2 - 1] > 0 and s.OWN_INFLUENCE[x2][y2 - 1] == 0
                and -17 <= s.OWN_ATTACKER_CODE[x2][y2] <= -14):
            for r in range(y2 + 1, 10):
                if B[x2][r] != EMPTY:
                    if 移動チェック(s, x2, y2, x2, r, KYOU) == ON:
                        return abs(B[x2][r])
                    return 0
        return 0

    def 調査_自守駒MAN_直進駒(self, x, y):
        """ON when a person's 香/飛/竜 further down the column reaches (x, y) with the square
        lifted."""
        s = self.s
        B = s.BOARD
        result = OFF
        keep = B[x][y]
        B[x][y] = EMPTY
        for r in range(y + 1, 10):
            b = B[x][r]
            if b >= 1:
                result = OFF
                break
            if b == -KYOU or b == -SYA or b == -SYA_N:
                result = 移動チェック(s, x, r, x, y, b)
                break
        B[x][y] = keep
        return result

    def 調査_周辺状況(self, x, y):
        """Minus one for every big computer piece (code 14 and up) next to (x, y)."""
        B = self.s.BOARD
        n = 0
        for u in (x - 1, x, x + 1):
            if u < 1 or u > 9:
                continue
            for v in (y - 1, y, y + 1):
                if v < 1 or v > 9 or (u == x and v == y):
                    continue
                if B[u][v] >= 14:
                    n -= 1
        return n

    def 調査_持角狙座標(self):
        """Mark the empty squares from which a person's 角 would check the computer's king."""
        s = self.s
        B = s.BOARD
        EI = s.ENEMY_INFLUENCE
        cx, cy = s.ENEMY_KING_X, s.ENEMY_KING_Y
        M = self.BISHOP_CHECK_MAP
        for x in RANGE9:
            for y in RANGE9:
                M[x][y] = 0
                if (B[x][y] == EMPTY
                        and (EI[x][y] == 0
                             or (EI[x][y] == 1 and abs(x - cx) < 2 and abs(y - cy) < 2))
                        and 移動チェック(s, x, y, cx, cy, -KAKU) == ON):
                    M[x][y] = 1

    def 調査_移動不可駒(self):
        """Pieces that shield their king from a shogi line piece of the other side."""
        s = self.s
        B = s.BOARD
        OPM, EPM = self.OWN_PINNED_MAP, self.ENEMY_PINNED_MAP
        self.ENEMY_PINNED = OFF
        up_liners = (KYOU, KAKU, KAKU_N, SYA, SYA_N)
        low_liners = (-KYOU, -KAKU, -KAKU_N, -SYA, -SYA_N)
        for x in RANGE9:
            for y in RANGE9:
                OPM[x][y] = 0
                EPM[x][y] = 0
                c = B[x][y]
                if c == EMPTY:
                    continue
                B[x][y] = EMPTY
                if c <= -1:
                    kx, ky = s.OWN_KING_X, s.OWN_KING_Y
                    for u in RANGE9:
                        for v in RANGE9:
                            b = B[u][v]
                            if b in up_liners and 移動チェック(s, u, v, kx, ky, b) == ON:
                                OPM[x][y] = 1
                elif c >= 1:
                    kx, ky = s.ENEMY_KING_X, s.ENEMY_KING_Y
                    for u in RANGE9:
                        for v in RANGE9:
                            b = B[u][v]
                            if b in low_liners and 移動チェック(s, u, v, kx, ky, b) == ON:
                                EPM[x][y] = 1
                                self.ENEMY_PINNED = ON
                B[x][y] = c

    # ----------------------------------------------------------------------------------------
    # Danger squares and bishop watch
    # ----------------------------------------------------------------------------------------

    def 盤評価_COM危険座標(self, P, x2, y2, log=None):
        """Weaknesses around the computer's position after the move, and forks by the moved
        piece.  log, when a list, receives (x, y, D before the square) for every square, so
        that a difference can be traced to the squares that made it."""
        s = self.s
        B = s.BOARD
        OI, EI = s.OWN_INFLUENCE, s.ENEMY_INFLUENCE
        EIB = self.ENEMY_INFLUENCE_BEFORE
        EGC = s.ENEMY_GUARD_CODE
        OAC, OAX, OAY = s.OWN_ATTACKER_CODE, s.OWN_ATTACKER_X, s.OWN_ATTACKER_Y
        EAC = s.ENEMY_ATTACKER_CODE
        OPM = self.OWN_PINNED_MAP
        BB = self.BOARD_BEFORE
        OH = s.OWN_HAND
        kx, ky = s.OWN_KING_X, s.OWN_KING_Y
        cx, cy = s.ENEMY_KING_X, s.ENEMY_KING_Y
        D = 0.0
        F = 0
        M = 9999
        for x in RANGE9:
            for y in RANGE9:
                q = B[x][y]
                if log is not None:
                    log.append((x, y, D))
                if q == EMPTY:
                    # A.1 squares the person covers
                    if OI[x][y] > 0:
                        if abs(x - cx) < 2 and abs(y - cy) < 2:
                            if EI[x][y] == 1 and OI[x][y] > 1:
                                D -= 10
                            if OH[4] > 0 or OH[5] > 0:
                                D -= 10
                        if EI[x][y] == 0 and y < 4:
                            D -= 0.1
                            if self.調査_自守駒MAN_直進駒(x, y) == ON:
                                D -= 10
                        if y < 4 and B[x][y + 1] == -HU and OI[x][y] >= EI[x][y]:
                            D -= 30
                            if self.調査_自守駒MAN_直進駒(x, y + 1) == ON:
                                D -= 70
                    # A.2 drops the person could make here
                    if s.OWN_HAND_COUNT > 0:
                        if (OH[2] > 0 and y > 2 and B[x][y - 1] > KYOU
                                and (OI[x][y] > 0 or EI[x][y] == 0)):
                            for r in range(y - 2, 0, -1):
                                if B[x][r] != EMPTY:
                                    if B[x][r] > KYOU:
                                        D -= 100 + B[x][r] / 2
                                    break
                        if (OH[3] > 0
                                and (EI[x][y] == 0 or (OI[x][y] > 0 and EAC[x][y] > 6))
                                and y > 2 and 1 < x < 9
                                and B[x - 1][y - 2] > 1 and B[x + 1][y - 2] > 1):
                            D -= 20
                        if (OH[4] > 0 or OH[5] > 0) and EI[x][y] <= 1:
                            if self.調査_周辺状況(x, y) < -1:
                                D -= 5
                            if EI[x][y] == 0 and self.調査_周辺状況(x, y) < 0:
                                D -= 1
                                if y < 4:
                                    D -= 10
                        if EI[x][y] == 0:
                            if y == 2 and B[x][1] == KEI:
                                D -= 5
                            if y < 4:
                                D -= 0.1
                            if OH[4] > 0 and 1 < x < 9 and 1 < y < 9:
                                if (B[x - 1][y - 1] >= 1 and B[x + 1][y + 1] >= 1
                                        and EI[x - 1][y - 1] == 0 and EI[x + 1][y + 1] == 0):
                                    D -= 20
                                if (B[x - 1][y + 1] >= 1 and B[x + 1][y - 1] >= 1
                                        and EI[x - 1][y + 1] == 0 and EI[x + 1][y - 1] == 0):
                                    D -= 20
                elif q >= 1:
                    # B. a computer piece
                    if q == OU and y == 1 and OI[x][2] > 0:
                        D -= 50
                        if OI[x][2] >= EI[x][2]:
                            D -= 250
                        if OH[4] > 0 or OH[5] > 0:
                            D -= 700
                    elif (q == HU and OAC[x][y] == -SYA and OH[1] > 0 and OI[x][y] >= EI[x][y]
                          and y < 9 and EI[x][y + 1] == 1):
                        D -= 5
                    if OI[x][y] > 0:
                        ax, ay = OAX[x][y], OAY[x][y]
                        A = abs(OAC[x][y])
                        if EGC[x][y] == OU and (OI[x][y] > 1 or q > A):
                            D -= 100
                        if OPM[ax][ay] == 0 and q > A:
                            D += A - q
                        if EI[x][y] > 0 and OPM[ax][ay] == 0:
                            if OI[x][y] > EI[x][y] and EGC[x][y] >= A:
                                D -= q
                            if (y <= 3 and OI[x][y] == EI[x][y] and B[x][y + 1] != EMPTY
                                    and self.調査_自守駒MAN_直進駒(x, y + 1) == ON):
                                D -= q + abs(OAC[x][y + 1])
                        if EI[x][y] == 0:
                            D -= q
                            if y <= 3:
                                D -= 10
                            if BB[x][y] <= -1:
                                D += abs(BB[x][y])
                            if y < 4 and (OAC[x][y] == -HU or OAC[x][y] == -KYOU):
                                D -= 20
                else:
                    # C. a person's piece R
                    R = q
                    if EIB[x][y] == 0 and EI[x][y] > 0:
                        if (R == -KEI and y > 2 and OI[x][y - 1] == 0
                                and B[x][y - 1] in (GIN, SYA_N, KAKU_N)):
                            D += 1
                        if abs(x - cx) < 3 and abs(y - cy) < 3:
                            D += 15
                    if R == -KEI and y >= 5 and B[x][y - 4] >= GIN:
                        if x > 1:
                            b = B[x - 1][y - 2]
                            if (b == EMPTY or b >= 1) and EI[x - 1][y - 2] == 0:
                                D -= 1
                        if x < 9:
                            b = B[x + 1][y - 2]
                            if (b == EMPTY or b >= 1) and EI[x + 1][y - 2] == 0:
                                D -= 1
                    elif (R == -SYA or R == -SYA_N or R == -KYOU) and x == cx:
                        D -= 1
                    if (OI[x2][y2] == 0 and (OI[x][y] == 0 or (x == kx and y == ky))
                            and 移動チェック(s, x2, y2, x, y, P) == ON):
                        D += 0.1
                        F += 1
                        M = min(M, abs(R))
        if F > 1:
            D += M
        return D

    def 盤評価_自角注意_COM(self, x2, y2, P):
        """P when the person could put a 角 on a checking square that also attacks the moved
        piece, else 0."""
        s = self.s
        B = s.BOARD
        BCM = self.BISHOP_CHECK_MAP
        for x in RANGE9:
            for y in RANGE9:
                if BCM[x][y] != 1:
                    continue
                if not (移動チェック(s, x2, y2, x, y, -KAKU) == ON
                        or 移動チェック(s, x2, y2, x, y, -KAKU_N) == ON):
                    continue
                for u in RANGE9:
                    for v in RANGE9:
                        b = B[u][v]
                        if (b == -KAKU or b == -KAKU_N) and 移動チェック(s, u, v, x, y, b) == ON:
                            return P
                if s.OWN_HAND[11] > 0 and 移動チェック(s, 11, 11, x, y, -KAKU) == ON:
                    return P
                return 0
        return 0
