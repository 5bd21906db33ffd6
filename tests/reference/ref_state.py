"""State of the Python reference: piece codes, the game state with the game's own names, the
history snapshots, hand totals and the new-game reset."""

ON, OFF = 1, 0
EMPTY = 0
SENTE, GOTE, NO_SIDE = 1, -1, 0
BOARD_SIZE = 9

HU, HU_N, PORN, KYOU, KYOU_N, KEI, KEI_N, ROOK, GIN, GIN_N = 1, 2, 3, 4, 5, 6, 7, 8, 9, 10
KNIG, BISH, KIN, KAKU, KAKU_N, SYA, SYA_N, QEEN, KING, OU = 11, 12, 13, 14, 15, 16, 17, 18, 19, 20

# Hand slot -> kind (slot 0 is unused).
SLOT_KIND = [0, PORN, ROOK, KNIG, BISH, QEEN, HU, KYOU, KEI, GIN, KIN, KAKU, SYA]
# Kind -> hand slot of a captured piece (promoted shogi pieces go to their base slot; kings: 0).
KIND_SLOT = [0] * 21
for _slot, _kind in enumerate(SLOT_KIND):
    if _slot:
        KIND_SLOT[_kind] = _slot
for _kind in (HU_N, KYOU_N, KEI_N, GIN_N, KAKU_N, SYA_N):
    KIND_SLOT[_kind] = KIND_SLOT[_kind - 1]

# Names used in the move notation for drops and chess-pawn promotions.
SLOT_NAME = ["", "PORN", "ROOK", "KNIG", "BISH", "QEEN", "HU", "KYOU", "KEI", "GIN", "KIN",
             "KAKU", "SYA"]
PAWN_CHOICES = (("QEEN", QEEN), ("ROOK", ROOK), ("BISH", BISH), ("KNIG", KNIG))
SHOGI_PROMOTABLE = (HU, KYOU, KEI, GIN, KAKU, SYA)
PLAYER_NAME = {SENTE: "SENTE", GOTE: "GOTE", NO_SIDE: "none"}

MAP_NAMES = ("OWN_INFLUENCE", "ENEMY_INFLUENCE", "OWN_GUARD_CODE", "ENEMY_GUARD_CODE",
             "ENEMY_GUARD_X", "ENEMY_GUARD_Y", "OWN_ATTACKER_CODE", "OWN_ATTACKER_X",
             "OWN_ATTACKER_Y", "ENEMY_ATTACKER_CODE", "ENEMY_ATTACKER_X", "ENEMY_ATTACKER_Y",
             "OWN_CHECK_MAP", "ENEMY_CHECK_MAP")


def _grid(value=0):
    return [[value] * 10 for _ in range(10)]


class State:
    """Everything the rules read and write.  The influence maps (MAP_NAMES and ESCAPE_MAP)
    are attributes of the state as well; `勢力調査` in ref_influence.py fills them."""

    def __init__(self):
        self.BOARD = _grid()
        self.OWN_HAND = [0] * 13
        self.ENEMY_HAND = [0] * 13
        self.OWN_HAND_COUNT = 0
        self.ENEMY_HAND_COUNT = 0
        self.OWN_KING_X = self.OWN_KING_Y = 0
        self.ENEMY_KING_X = self.ENEMY_KING_Y = 0
        self.LOWER_PLAYER = SENTE
        self.UPPER_PLAYER = GOTE
        self.TURN = NO_SIDE
        self.WINNER = NO_SIDE
        self.OWN_PAWN_FILE = [0] * 10
        self.ENEMY_PAWN_FILE = [0] * 10
        self.PROMOTE_CODE = OFF
        self.MOVE_NO = 0
        self.MOVE_COUNT = 0
        self.MOVE_TO_X = [0]
        self.MOVE_TO_Y = [0]
        self.MOVE_CODE = [HU]
        self.HISTORY = [None]
        self.OWN_HAND_HISTORY = [None]
        self.ENEMY_HAND_HISTORY = [None]
        self.chess_hand = False  # the option "ﾁｪｽ側持駒OK"
        for name in MAP_NAMES:
            setattr(self, name, _grid())
        self.ESCAPE_MAP = _grid()

    @property
    def CHESS_MOCHIKOMA(self):
        """The option "ﾁｪｽ側持駒OK" as ON/OFF (same value as chess_hand)."""
        return ON if self.chess_hand else OFF

    @CHESS_MOCHIKOMA.setter
    def CHESS_MOCHIKOMA(self, value):
        self.chess_hand = bool(value)

    def copy(self):
        c = State.__new__(State)
        for k, v in self.__dict__.items():
            if isinstance(v, list):
                if v and isinstance(v[0], list):
                    v = [row[:] for row in v]
                else:
                    v = v[:]
            setattr(c, k, v)
        return c


# ---------------------------------------------------------------------------------------
# Small helpers
# ---------------------------------------------------------------------------------------

def snapshot(s):
    """Stores the board and the hands as history entry MOVE_NO."""
    n = s.MOVE_NO
    board = tuple(tuple(col) for col in s.BOARD)
    for table, value in ((s.HISTORY, board), (s.OWN_HAND_HISTORY, tuple(s.OWN_HAND)),
                         (s.ENEMY_HAND_HISTORY, tuple(s.ENEMY_HAND))):
        while len(table) <= n:
            table.append(None)
        table[n] = value


def 初期設定(s):
    """New-game reset: standard position, empty hands, no game running."""
    s.WINNER = NO_SIDE
    s.TURN = NO_SIDE
    s.LOWER_PLAYER = SENTE
    s.MOVE_NO = 0
    s.MOVE_COUNT = 0
    s.MOVE_CODE[0] = HU
    for slot in range(1, 13):
        s.OWN_HAND[slot] = 0
        s.ENEMY_HAND[slot] = 0
    b = s.BOARD
    for x in range(1, 10):
        for y in range(1, 10):
            b[x][y] = EMPTY
            if y == 2 and x >= 2:
                b[x][y] = PORN
            if y == 7:
                b[x][y] = -HU
    for x, code in ((1, -KYOU), (9, -KYOU), (2, -KEI), (8, -KEI), (3, -GIN), (7, -GIN),
                    (4, -KIN), (6, -KIN), (5, -OU)):
        b[x][9] = code
    b[2][8] = -KAKU
    b[8][8] = -SYA
    for x, code in ((2, ROOK), (9, ROOK), (3, KNIG), (8, KNIG), (4, BISH), (7, BISH),
                    (5, QEEN), (6, KING)):
        b[x][1] = code
    s.OWN_HAND_COUNT = 調査_持駒数(s, s.LOWER_PLAYER)
    s.ENEMY_HAND_COUNT = 調査_持駒数(s, s.UPPER_PLAYER)
    snapshot(s)


def 調査_先手後手(s):
    """Decides which player each side is: the owner of the 王 is SENTE."""
    for x in range(1, 10):
        for y in range(1, 10):
            c = s.BOARD[x][y]
            if c == -OU:
                s.LOWER_PLAYER, s.UPPER_PLAYER = SENTE, GOTE
                return
            if c == -KING:
                s.LOWER_PLAYER, s.UPPER_PLAYER = GOTE, SENTE
                return


def 調査_先番(s, n):
    """Whose move it is after n moves."""
    if n == 0:
        for x in range(1, 10):
            for y in range(1, 10):
                if s.BOARD[x][y] == -OU:
                    return s.LOWER_PLAYER
                if s.BOARD[x][y] == -KING:
                    return s.UPPER_PLAYER
        return NO_SIDE
    prev, cur = s.HISTORY[n - 1], s.HISTORY[n]
    for x in range(1, 10):
        for y in range(1, 10):
            c = cur[x][y]
            if c != prev[x][y] and c != EMPTY:
                return s.LOWER_PLAYER if c >= HU else s.UPPER_PLAYER
    return NO_SIDE


def new_game(chess_hand=False):
    """The standard position after the reset, with a game between persons started."""
    s = State()
    s.chess_hand = chess_hand
    初期設定(s)
    調査_先手後手(s)
    s.TURN = 調査_先番(s, s.MOVE_NO)
    return s


def 調査_持駒数(s, player):
    """Number of pieces in the hand of the given player."""
    if player == s.LOWER_PLAYER:
        hand = s.OWN_HAND
    elif player == s.UPPER_PLAYER:
        hand = s.ENEMY_HAND
    else:
        return 0
    return sum(n for n in hand[1:13] if n > 0)
