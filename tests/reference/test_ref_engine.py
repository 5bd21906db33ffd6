#!/usr/bin/env python3
"""Checks of the reference computer player on small positions built by hand: the terminal
values, the capture and drop terms, the danger squares, the promotion choice and the two early
exits of the search.  Run: python3 tests/reference/test_ref_engine.py"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ref_rules as R  # noqa: E402
import ref_engine as E  # noqa: E402
from ref_influence import 勢力調査  # noqa: E402


def make(pieces, own_hand=(), enemy_hand=(), chess_hand=False, shogi_above=False):
    """A position with the upper side to move: pieces {(x, y): code}, hands [(slot, n)];
    shogi_above makes the upper side the shogi army (which may always drop)."""
    s = R.State()
    s.chess_hand = chess_hand
    for (x, y), c in pieces.items():
        s.BOARD[x][y] = c
    for slot, n in own_hand:
        s.OWN_HAND[slot] = n
    for slot, n in enemy_hand:
        s.ENEMY_HAND[slot] = n
    s.OWN_HAND_COUNT = sum(s.OWN_HAND[1:])
    s.ENEMY_HAND_COUNT = sum(s.ENEMY_HAND[1:])
    R.調査_先手後手(s)
    if shogi_above:
        s.LOWER_PLAYER, s.UPPER_PLAYER = R.GOTE, R.SENTE
    s.TURN = s.UPPER_PLAYER
    R.snapshot(s)
    return s


def scores(s, level):
    """{move text: score} of every candidate, and the chosen move."""
    trace = []
    mv = E.computer_move(s, level, trace)
    return dict(trace), mv


class Terminal(unittest.TestCase):
    def test_king_capture_scores_9999_and_ends_the_search(self):
        s = make({(5, 5): R.GIN, (5, 6): -R.OU, (1, 1): R.OU, (9, 9): -R.HU})
        trace = []
        mv = E.computer_move(s, 3, trace)
        self.assertEqual(mv.text(), "5556")
        self.assertEqual(mv.score, 9999)
        self.assertEqual(trace[-1], ("5556", 9999))  # nothing is scored after it

    def test_chess_king_capture_scores_9999_without_ending_the_search(self):
        s = make({(5, 5): R.GIN, (5, 6): -R.KING, (1, 1): R.OU, (9, 9): -R.HU})
        trace = []
        E.computer_move(s, 3, trace)
        self.assertIn(("5556", 9999), trace)
        self.assertNotEqual(trace[-1][0], "5556")

    def test_leaving_the_own_king_attacked_scores_minus_9998(self):
        s = make({(5, 1): R.OU, (5, 2): R.GIN, (5, 9): -R.SYA, (1, 9): -R.OU})
        sc, _ = scores(s, 3)
        self.assertEqual(sc["5261"], -9998)

    def test_mate_by_a_dropped_pawn_is_refused_and_other_mates_end_the_search(self):
        # Lower king on (1, 9) boxed in by its own pieces; the square in front is guarded.
        pieces = {(1, 9): -R.OU, (2, 9): -R.KYOU, (2, 8): -R.KEI, (1, 7): R.KIN,
                  (5, 1): R.OU}
        s = make(pieces, enemy_hand=[(6, 1), (10, 1)], shogi_above=True)
        trace = []
        mv = E.computer_move(s, 1, trace)
        d = dict(trace)
        self.assertEqual(d["HU*18"], -9998)
        self.assertEqual(mv.text(), "KIN*18")
        self.assertEqual(mv.score, 9998)
        self.assertEqual(trace[-1][0], "KIN*18")


class Terms(unittest.TestCase):
    def test_capturing_a_promoted_pawn_on_an_unattacked_square_gains_52(self):
        s = make({(5, 5): R.KIN, (5, 6): -R.HU_N, (1, 1): R.OU, (9, 9): -R.OU})
        one, _ = scores(s, 1)
        two, _ = scores(make({(5, 5): R.KIN, (5, 6): -R.HU_N, (1, 1): R.OU,
                              (9, 9): -R.OU}), 2)
        self.assertAlmostEqual(two["5556"] - one["5556"], 52)

    def test_a_drop_on_an_attacked_unguarded_square_costs_2p_plus_50(self):
        pieces = {(5, 1): R.OU, (9, 9): -R.OU, (5, 8): -R.SYA}
        s = make(pieces, enemy_hand=[(9, 1)], shogi_above=True)
        com = E.Com(s, 2)
        com.opening()
        s.BOARD[5][5] = R.GIN
        勢力調査(s)
        com.TRY_PIECE = R.GIN
        danger = com.盤評価_COM危険座標(R.GIN, 5, 5)
        lvl2 = com.盤評価(R.EMPTY, R.GIN, -1, 9, 5, 5)
        # -5 for the drop, the danger term, the approach term, then 2 x 9 + 50.
        approach = 0.1 if 4 < com.KING_DISTANCE else 0
        self.assertAlmostEqual(lvl2, -5 + danger + approach - 9 - (9 + 50))

    def test_a_fork_of_two_undefended_pieces_gains_their_count_and_the_smaller(self):
        s = make({(5, 5): R.KNIG, (1, 1): R.OU, (9, 9): -R.OU, (3, 7): -R.PORN,
                  (6, 8): -R.KIN})
        com = E.Com(s, 1)
        com.opening()
        s.BOARD[5][5] = R.EMPTY
        s.BOARD[5][6] = R.KNIG
        勢力調査(s)
        with_fork = com.盤評価_COM危険座標(R.KNIG, 5, 6)
        s.BOARD[3][7] = R.EMPTY
        s.BOARD[6][8] = R.EMPTY
        勢力調査(s)
        without = com.盤評価_COM危険座標(R.KNIG, 5, 6)
        self.assertAlmostEqual(with_fork - without, 0.1 + 0.1 + 3, places=9)

    def test_a_king_on_the_back_row_with_the_front_square_covered(self):
        s = make({(5, 1): R.OU, (5, 4): -R.SYA, (9, 9): -R.OU}, own_hand=[(4, 1)])
        com = E.Com(s, 1)
        com.opening()
        d = com.盤評価_COM危険座標(R.OU, 5, 1)
        self.assertLessEqual(d, -(50 + 250 + 700))


class Promotion(unittest.TestCase):
    def test_a_silver_promotes_only_when_it_scores_strictly_more(self):
        s = make({(5, 6): R.GIN, (1, 1): R.OU, (9, 1): -R.OU})
        sc, mv = scores(s, 1)
        self.assertIn("5657", sc)
        self.assertIn("5657+", sc)
        plain, promoted = sc["5657"], sc["5657+"]
        self.assertEqual(promoted - plain, 10)  # the promotion term at level 1

    def test_pawn_bishop_and_rook_play_promoted_even_when_plain_scores_more(self):
        class PlainIsBetter(E.Com):
            def 盤評価(self, captured, P, x, y, x2, y2):
                return 1.0 if P in (R.HU_N, R.GIN_N) else 2.0 if x2 == 5 and y2 == 7 else 0.0

        for piece, promoted, keeps in ((R.HU, R.HU_N, False), (R.GIN, R.GIN_N, True)):
            s = make({(5, 6): piece, (1, 1): R.OU, (9, 1): -R.OU})
            mv = PlainIsBetter(s, 3).search()
            self.assertEqual((mv.x, mv.y, mv.x2, mv.y2, mv.score), (5, 6, 5, 7, 2.0))
            self.assertEqual(mv.after, piece if keeps else promoted)

    def test_a_chess_pawn_on_the_last_row_becomes_a_queen(self):
        s = make({(5, 8): R.PORN, (1, 1): R.OU, (9, 1): -R.OU})
        sc, _ = scores(s, 1)
        self.assertIn("5859=QEEN", sc)
        self.assertNotIn("5859", sc)


class Drops(unittest.TestCase):
    def test_the_chess_army_drops_only_with_the_option(self):
        pieces = {(5, 1): R.KING, (5, 9): -R.OU}
        off, _ = scores(make(pieces, enemy_hand=[(10, 1)]), 1)
        on, _ = scores(make(pieces, enemy_hand=[(10, 1)], chess_hand=True), 1)
        self.assertFalse(any(t.startswith("KIN*") for t in off))
        self.assertTrue(any(t.startswith("KIN*") for t in on))


class Selfplay(unittest.TestCase):
    def test_the_lower_side_plays_through_the_turned_position(self):
        st, out, _ = E.run(["selfplay", "--max-moves", "2", "--level", "1"])
        self.assertEqual(st, 0)
        lines = out.splitlines()
        self.assertEqual(lines[-1], "result none plies 2")
        first = lines[0].split()[1]
        s = R.new_game()
        self.assertIsNotNone(R.find_move(s, first))

    def test_a_finished_game_prints_only_the_result(self):
        s = make({(5, 5): R.GIN, (5, 6): -R.OU, (1, 1): R.OU})
        R.apply_move(s, (5, 5, 5, 6, R.GIN))
        self.assertEqual(E.selfplay_text(s, 3, 3, 10)[1], "result GOTE plies 0\n")


if __name__ == "__main__":
    unittest.main()
