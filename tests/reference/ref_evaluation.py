"""Board evaluation of the reference computer player: the score of one candidate move of the
upper side, made on BOARD with the influence maps rebuilt for it.

Written literally: every condition, every early return and every strict comparison as the rules
give them, terms added in the order they are listed, scores as Python floats (doubles).
"""

from ref_rules import (
    EMPTY, ON, HU, HU_N, PORN, KYOU, KYOU_N, KEI, KEI_N, GIN, KIN, KAKU, KAKU_N, SYA, SYA_N,
    KING, OU, 移動チェック,
)
from ref_influence import 詰めかMAN, 調査_自王逃道
from ref_surveys import Surveys


class Evaluation(Surveys):
    """`盤評価` on top of the surveys."""

    def 盤評価(self, captured, P, x, y, x2, y2):
        """Score of one candidate move, made on BOARD with the influence maps rebuilt."""
        s = self.s
        B = s.BOARD
        OI, EI = s.OWN_INFLUENCE, s.ENEMY_INFLUENCE
        OAC, OAX, OAY = s.OWN_ATTACKER_CODE, s.OWN_ATTACKER_X, s.OWN_ATTACKER_Y
        EGC, EGX, EGY = s.ENEMY_GUARD_CODE, s.ENEMY_GUARD_X, s.ENEMY_GUARD_Y
        OGC = s.OWN_GUARD_CODE
        OIB, EIB = self.OWN_INFLUENCE_BEFORE, self.ENEMY_INFLUENCE_BEFORE
        OH, EH = s.OWN_HAND, s.ENEMY_HAND
        kx, ky = s.OWN_KING_X, s.OWN_KING_Y
        cx, cy = s.ENEMY_KING_X, s.ENEMY_KING_Y
        TRY = self.TRY_PIECE
        drop = x == -1

        # terminal values
        if captured == -OU or captured == -KING:
            return 9999
        if OI[cx][cy] >= 1:
            return -9998

        S = 0.0
        # every level
        if EI[kx][ky] > 0:
            if 詰めかMAN(s) == ON:
                if P == HU:
                    return -9998
                return 9998
            if OAC[x2][y2] == -OU and EI[x2][y2] > 0:
                S += 100
            if (OI[x2][y2] <= 2 and EGC[x2][y2] == SYA_N and x2 != kx and y2 != ky
                    and abs(x2 - kx) < 2 and abs(y2 - ky) < 2
                    and (EGX[x2][y2] == kx or EGY[x2][y2] == ky)):
                S += 900
            if OI[x2][y2] == 0:
                S += 10
        if drop:
            S -= 5
        elif P > TRY:
            S += 10
        S += self.盤評価_COM危険座標(P, x2, y2)
        if self.COM_LEVEL < 2:
            return S

        # level 2: approach to the person's king
        dx = abs(x2 - kx)
        dy = abs(y2 - ky)
        if dx > dy and dx < self.KING_DISTANCE:
            S += 1
        if dx <= dy and dy < self.KING_DISTANCE:
            S += 0.1
        # threat on a pinned attacker
        ax, ay = OAX[x2][y2], OAY[x2][y2]
        if (OI[ax][ay] > 0 and self.OWN_PINNED_MAP[ax][ay] == 1
                and (OI[x2][y2] == 1
                     or (EI[x2][y2] > 0 and OI[x2][y2] == 2 and EI[kx][ky] > 0))
                and ((ax == kx and x2 != kx) or (ay == ky and y2 != ky)
                     or ((x2 == kx or y2 == ky) and ax != kx and ay != ky))
                and 移動チェック(s, x2, y2, ax, ay, TRY) == ON):
            if drop:
                S += abs(B[ax][ay])
            else:
                bx = self.ENEMY_ATTACKER_X_BEFORE[ax][ay]
                by = self.ENEMY_ATTACKER_Y_BEFORE[ax][ay]
                if B[bx][by] != EMPTY:
                    S += abs(B[ax][ay])
        # safety of the destination
        if OI[x2][y2] == 0:
            if P not in (KAKU, KAKU_N, OU, HU):
                S -= self.盤評価_自角注意_COM(x2, y2, P)
            if P == KYOU or 14 <= P <= 17 or (abs(x2 - kx) < 3 and abs(y2 - ky) < 3):
                n = 調査_自王逃道(s)
                if n < self.ESCAPE_BASE:
                    S += self.ESCAPE_BASE - n
        elif EI[x2][y2] > 0:
            if ((OH[4] > 0 or OH[5] > 0) and 1 < x2 < 9
                    and (((B[x2 - 1][y2] == -SYA or B[x2 - 1][y2] == -SYA_N)
                          and B[x2 + 1][y2] == OU)
                         or ((B[x2 + 1][y2] == -SYA or B[x2 + 1][y2] == -SYA_N)
                             and B[x2 - 1][y2] == OU))):
                S -= P
            if P > abs(OAC[x2][y2]):
                S += abs(OAC[x2][y2]) - P
            if ((OAC[x2][y2] == -OU or OAC[x2][y2] == -KING) and y2 < ky
                    and EI[kx][ky] > 0):
                S += P
        else:
            S -= P
            if drop:
                S -= P + 50
        # edge-file lance
        if B[x2][9] == -KYOU and (x2 == 1 or x2 == 9) and P not in (KYOU, SYA, SYA_N) \
                and x != x2:
            S -= 0.1
        # captures
        if captured != EMPTY:
            if OI[x2][y2] > 0:
                if EI[x2][y2] > 0:
                    if B[x2][y2] < abs(OAC[x2][y2]):
                        S += abs(captured)
                if EI[x2][y2] == 0:
                    if OIB[x][y] > 0 and self.調査_移動可場所数(x, y, P) == 0:
                        S += abs(captured)
            if OI[x2][y2] == 0:
                S += abs(captured)
                if captured in (-HU_N, -KYOU_N, -KEI_N):
                    S += 50
        if self.COM_LEVEL < 3:
            return S

        # level 3: piece-by-piece knowledge
        if P == PORN:
            if x2 == 4 and y2 == 3:
                S += 5
            if x2 == 6 and y2 == 3:
                S += 5
            if y == 2 and y2 == 4 and (x2 == 2 or x2 == 9):
                return S + 2
        elif P == HU:
            if EH[7] > 0:
                S += self.調査_香狙い(x2, y2)
            if EH[8] > 0:
                S += self.調査_桂狙い(x2, y2)
            if y2 < 9:
                if B[x2][y2 + 1] == SYA:
                    S -= 1
                f = B[x2][y2 + 1]
                if f < -1 and self.調査_移動可場所数(x2, y2 + 1, f) == 0:
                    S += abs(f)
            if EI[x2][y2] > 0 and 1 < x2 < 9 and (B[x2 + 1][y2] == SYA or B[x2 - 1][y2] == SYA):
                S -= 1
            if drop:
                if (EI[x2][y2] > 0 and y2 > 1 and B[x2][y2 - 1] >= GIN
                        and (OH[1] > 0 or OH[2] > 0)):
                    S += 6
                if (B[2][8] == -KAKU and x2 == 2 and y2 == 7
                        and (OI[2][7] != 0 or EI[2][7] > 0)):
                    S += 30
                ax, ay = OAX[x2][y2], OAY[x2][y2]
                if not (EIB[ax][ay] > 0 and OI[ax][ay] == 0):
                    if (EI[x2][y2] > 0 and ax == x2
                            and (OAC[x2][y2] == -SYA or OAC[x2][y2] == -KYOU) and ay > y2):
                        return S + 120
            else:
                S -= 0.1
                if EGC[x2][y2] == KIN or EGC[x2][y2] == GIN:
                    S += 0.6
                if y2 < 8:
                    if EGC[x2][y2] == KYOU:
                        S += 1
                    elif (EGC[x2][y2] == SYA and EGX[x2][y2] == x2
                          and EI[x2][y2] >= OI[x2][y2] and EGY[x2][y2] < y2):
                        S += 2
                    if OI[x2][y2 + 1] == 0 and B[x2][y2 + 2] <= -KEI:
                        S += 1
                    if y2 < 7:
                        if B[x2][y2 + 1] == -HU and OI[x2][y2 + 1] > 0:
                            S -= 5
                        if x2 < 9 and B[x2 + 1][y2] == KAKU and B[x2 + 1][y2 + 2] == -HU:
                            S += 5
                        if x2 > 1:
                            if x2 == 7 and y2 == 4 and B[8][2] == KAKU and OI[x2][y2] == 0:
                                S += 10
                            if B[x2 - 1][y2] == KAKU and B[x2 - 1][y2 + 2] == -HU:
                                S += 5
                if captured <= -1 and EI[x][y] == 1:
                    if y2 > 2 and OAC[x2][y2] == -KYOU and B[x2][y2 - 2] == KAKU:
                        S -= 5
                    else:
                        S += 5
                    if (captured == -HU and (OAC[x2][y2] == -KYOU or OAC[x2][y2] == -SYA)
                            and EI[x][y] < 2):
                        S += 50
                if B[x2][y2 + 1] <= -1:
                    if EI[x2][y2] > OI[x2][y2]:
                        return S + 1
                    elif B[x2][y2 + 1] == -HU:
                        return S - 5
                    elif EI[x2][y2] > 0:
                        if EIB[x2][y2 + 1] > 0 and self.OWN_INFLUENCE_BEFORE[x2][y2 + 1] == 0:
                            return S - 1
                        elif EI[x2][y2] >= OI[x2][y2]:
                            return S + 5
                    else:
                        if OI[x2][y2] == 0:
                            return S + 1
        elif P == HU_N:
            if EI[x2][y2] >= OI[x2][y2]:
                return S + 1
        elif P == KYOU:
            if EH[8] > 0:
                S += self.調査_桂狙い(x2, y2)
            if drop and y2 < 8:
                if OH[6] > 0 and OI[x2][y2 + 1] > 0 and OI[x2][y2] == 0:
                    S -= 10
                if (B[x2][y2 + 1] <= -KYOU
                        and (OI[x2][y2] == 0 or EI[x2][y2] >= OI[x2][y2])):
                    for r in range(y2 + 2, 10):
                        if B[x2][r] != EMPTY:
                            if (移動チェック(s, x2, y2 + 1, x2, r, KYOU) == ON
                                    and B[x2][r] < -KYOU):
                                return S + abs(B[x2][r])
                            break
            if not drop and captured == EMPTY:
                return S - 0.9
        elif P == KEI:
            S -= 0.1
            if OI[x2][y2 + 1] > 0:
                S -= 1
            if y2 < 8 and 1 < x2 < 9:
                if OI[x2 - 1][y2 + 2] > 0 and OI[x2 + 1][y2 + 2] > 0:
                    S -= 1
                if x2 == 7 and y2 == 3 and B[8][4] == KAKU:
                    return S - 5
        elif P == GIN:
            if y2 > 1:
                if y2 > y and x2 == x:
                    S -= 0.1
                if x2 == 7 and y2 == 3 and B[8][3] == HU and B[8][5] == -HU:
                    return S + 115
        elif P == KIN:
            if y2 == 4:
                if B[6][4] == KAKU and OI[6][4] > 0:
                    return S - 5
            elif y2 == 2:
                if B[8][3] == HU and B[8][6] == -HU and x2 == 7 and OGC[8][6] == -SYA:
                    S += 10
                if OH[6] > 0 and EIB[x2][y2 + 1] == 0 and B[x2][y2 + 1] >= 1:
                    S += 2
                    if EIB[x2][y2 + 2] == 1 and B[x2][y2 + 2] == KAKU:
                        return S + 125
        elif P == KAKU:
            S += self.調査_周辺状況(x2, y2)
            if y2 < 9:
                if (y2 == 3 and x2 == 9 and B[9][4] == HU and B[9][6] == -HU
                        and B[9][9] == -KYOU):
                    S -= 10
                if y2 == 3 and x2 == 7 and B[8][5] == -HU and OGC[8][5] == -SYA:
                    S += 9
                if OI[x2][y2 + 1] > 0:
                    if self.調査_移動可場所数(x2, y2, KAKU) == 0:
                        S -= 100
                    if y2 < 8 and B[x2][y2 + 2] == -HU:
                        S -= 1
            if y == 3:
                if x == 9 and B[9][4] == HU and B[9][6] == -HU and OGC[9][6] == -KYOU:
                    return S + 10
                if (x == 7 and B[8][5] == -HU and OGC[8][5] == -SYA
                        and EI[8][4] < EIB[8][4]):
                    return S - 10
        elif P == KAKU_N:
            S += self.調査_周辺状況(x2, y2)
        elif P == SYA:
            S += self.調査_周辺状況(x2, y2)
            if drop:
                if (y2 == 9 and B[x2][8] == -GIN and 1 < x2 < 9
                        and ((B[x2 - 1][9] != EMPTY and B[x2 + 1][8] == -KIN)
                             or (B[x2 + 1][9] != EMPTY and B[x2 - 1][8] == -KIN))):
                    return S - 1
            else:
                if (OI[x2][y2] == 0 and x2 == 3 and y2 == 4 and B[3][7] == -KAKU
                        and B[3][6] == -HU and B[3][5] == EMPTY):
                    S += 7
                if y2 < 8:
                    if OI[x2][y2 + 1] > 0:
                        S -= 1
                        if B[x2][y2 + 2] == -HU and y2 == y:
                            S -= 5
                    if y < 9 and B[8][y + 1] == -HU and OGC[8][y + 1] == -SYA:
                        if EI[8][y] < EIB[8][y]:
                            S -= 11
                        if B[7][y] == HU and y2 != y:
                            S -= 11
                    if OI[x][y] == 0 and x == 2 and y == 2 and x2 == 2 and y2 == 3:
                        S -= 1
                if OI[x2][y2] == 0 or (EI[x2][y2] > 0 and OAC[x2][y2] == -OU):
                    if self.調査_移動可場所数(x2, y2, SYA) <= 1:
                        return S - 35
                    elif ((x2 == kx or y2 == ky) and abs(x2 - kx) < 3 and abs(y2 - ky) < 3):
                        return S + 100
        elif P == SYA_N:
            S += self.調査_周辺状況(x2, y2)
            if (B[x2][y2 - 1] == -GIN and 1 < x2 < 9
                    and ((B[x2 - 1][y2] != EMPTY and B[x2 + 1][y2 - 1] == -KIN)
                         or (B[x2 + 1][y2] != EMPTY and B[x2 - 1][y2 - 1] == -KIN))):
                S -= 10
            if y == 9 and B[x][8] == -GIN:
                if x > 1 and B[x - 1][8] == -KIN:
                    S += 2
                if x < 9 and B[x + 1][8] == -KIN:
                    S += 2
            if y2 == 9 and B[x2][8] <= -1:
                if ((x2 == 3 and B[2][9] <= -1 and B[4][8] == -KIN)
                        or (x2 == 7 and B[8][9] <= -1 and B[6][8] == -KIN)):
                    S -= 150
            if ((OI[x2][y2] == 0 or (EI[x2][y2] > 0 and OAC[x2][y2] == -OU))
                    and (x2 == kx or y2 == ky) and abs(x2 - kx) < 3 and abs(y2 - ky) < 3):
                return S + 100
        elif P == OU:
            if self.ENEMY_PINNED == ON:
                S += 10
            if EI[x2][y2] > EIB[x2][y2]:
                S += 1
            if self.調査_移動可場所数(x2, y2, OU) < 2:
                return S - 20
        return S
