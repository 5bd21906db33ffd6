#!/usr/bin/env python3
"""Checks zorvan-cli's computer player against the Python reference (compare.py --what engine).

  python3 compare.py --cli build/app/zorvan-cli --what engine
                     [--games N] [--plies N] [--rng N] [--all] [--selfplay N] [--max-moves N]

Random positions are reached by random legal games (--plies at most, a random length each,
ending with the upper side to move); in each one `bestmove --scores` is compared at levels 1, 2
and 3.  Then --selfplay full `selfplay` games are compared, from the start and from random
positions, with mixed levels and --max-moves up to the given value.  Both settings of
"ﾁｪｽ側持駒OK" alternate.  Every command line is run by both programs and the whole output, the
exit status and (for a failing command) stderr must agree.  The first difference stops the run
unless --all; it is printed with the command line that reproduces it.  Exit status 0 when
everything agrees, 1 otherwise, 77 when zorvan-cli has no `bestmove` yet.
"""
import argparse
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ref_rules as R  # noqa: E402
from compare_report import report_difference  # noqa: E402
import ref_engine  # noqa: E402

SKIPPED = 77


def reference(argv):
    """(exit status, stdout, stderr) of the reference for one command line (zref.py hands
    these two commands to the same function)."""
    return ref_engine.run(argv)


class Checker:
    def __init__(self, cli):
        self.cli = cli
        self.passed = 0
        self.failed = 0

    def check(self, argv):
        """Runs one command line on both programs; True when they agree."""
        try:
            r = subprocess.run([self.cli] + argv, capture_output=True, text=True, timeout=300)
            got = (r.returncode, r.stdout, r.stderr if r.returncode else "")
        except (OSError, subprocess.TimeoutExpired) as e:
            got = (None, "", str(e))
        status, out, err = reference(argv)
        want = (status, out, err if status else "")
        if got == want:
            self.passed += 1
            return True
        self.failed += 1
        report_difference(self.cli, argv, got, want)
        return False


def weight(s, m):
    """Random games lean towards captures, promotions and drops so that the evaluation's
    tactical terms are reached."""
    fx, fy, tx, ty, code, text = m
    target = s.BOARD[tx][ty]
    if abs(target) in (R.OU, R.KING):
        return 0.2
    w = 1.0
    if fx in (11, -1):
        w = 3.0
    elif text.endswith("+") or "=" in text:
        w = 4.0
    if target != R.EMPTY:
        w *= 4.0
    return w


def random_line(rng, chess_hand, plies, upper_to_move):
    """Move texts of a random legal game of at most `plies` moves; with upper_to_move the
    line ends (when it can) with the upper side to move."""
    s = R.new_game(chess_hand)
    moves = []
    length = rng.randint(0, plies)
    for _ in range(length):
        legal = R.legal_moves(s)
        if not legal or s.WINNER != R.NO_SIDE:
            break
        m = rng.choices(legal, [weight(s, m) for m in legal])[0]
        R.apply_move(s, m)
        moves.append(m[5])
    if upper_to_move and R.side_to_move(s) == -1 and s.WINNER == R.NO_SIDE:
        legal = R.legal_moves(s)
        if legal:
            m = rng.choices(legal, [weight(s, m) for m in legal])[0]
            R.apply_move(s, m)
            moves.append(m[5])
    return moves


def position_options(moves, chess_hand):
    return (["--moves", " ".join(moves)] if moves else []) + (
        ["--chess-hand"] if chess_hand else [])


def cli_offers(cli):
    """False when the tool refuses `bestmove` without printing anything."""
    try:
        r = subprocess.run([cli, "bestmove", "--moves", "5756"], capture_output=True,
                           text=True, timeout=300)
    except (OSError, subprocess.TimeoutExpired):
        return True
    return not (r.returncode > 0 and r.stdout == "")


def main(args, rest):
    ap = argparse.ArgumentParser(prog="compare.py --what engine")
    ap.add_argument("--selfplay", type=int, default=10, help="number of selfplay games")
    ap.add_argument("--max-moves", type=int, default=80, help="longest selfplay game")
    extra = ap.parse_args(rest)
    if not cli_offers(args.cli):
        print("zorvan-cli does not offer 'bestmove' yet: skipped")
        return SKIPPED
    positions = args.games if args.games is not None else 40
    plies = args.plies if args.plies is not None else 60
    rng = random.Random(args.rng)
    checker = Checker(args.cli)
    stop = False
    for g in range(positions):
        chess_hand = g % 2 == 1
        opts = position_options(random_line(rng, chess_hand, plies, True), chess_hand)
        for level in (1, 2, 3):
            if not checker.check(["bestmove", "--level", str(level), "--scores"] + opts):
                stop = not args.all
                if stop:
                    break
        if stop:
            break
    for g in range(extra.selfplay if not stop else 0):
        chess_hand = g % 2 == 0
        # Short random openings keep the shogi army's opening squares in play.
        cap = 8 if g % 4 in (2, 3) else plies // 2
        moves = [] if g < 2 else random_line(rng, chess_hand, cap, False)
        level = rng.randint(1, 3) if g >= 2 else 3
        lower = rng.randint(1, 3) if g >= 2 else 3
        limit = rng.randint(max(1, extra.max_moves // 2), max(1, extra.max_moves))
        argv = ["selfplay", "--level", str(level), "--lower-level", str(lower),
                "--max-moves", str(limit)] + position_options(moves, chess_hand)
        if not checker.check(argv) and not args.all:
            break
    print("%d passed, %d failed" % (checker.passed, checker.failed))
    return 0 if checker.failed == 0 else 1


if __name__ == "__main__":
    base = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    base.add_argument("--cli", required=True)
    base.add_argument("--games", type=int, default=None)
    base.add_argument("--plies", type=int, default=None)
    base.add_argument("--rng", type=int, default=1)
    base.add_argument("--all", action="store_true")
    a, r = base.parse_known_args()
    sys.exit(main(a, r))
