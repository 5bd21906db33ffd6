#!/usr/bin/env python3
"""Plays random games with the Python reference and checks that zorvan-cli prints the same
as the reference for every position visited.

  python3 compare.py --cli build/app/zorvan-cli --what rules|survey
                     [--games N] [--plies N] [--every N] [--rng N]

The games are reproducible from the --rng value.  Moves are drawn with extra weight on
captures, promotions, drops, castling and en passant so that those rules are reached; the
games alternate the option "ﾁｪｽ側持駒OK".  Every --every plies (and at the end of a game) the
position is run through both programs: `show` and `perft 2 --divide` (rules) or `survey`
(survey).  Each game also sends one refused move.  The first difference is printed with the
command line that reproduces it; exit status 0 when everything agrees, 1 otherwise, and 77
(skipped) when zorvan-cli does not offer the subcommand yet (it refuses the start position
with a non-zero status and prints nothing).  --what engine is handed to compare_engine.py
(its `main(args)`), skipped while that file does not exist.
"""
import argparse
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ref_rules as R  # noqa: E402
from compare_report import report_difference  # noqa: E402
import zref  # noqa: E402


def king_squares(s):
    """{sign: (x, y)} of the kings on the board."""
    found = {}
    for x in range(1, 10):
        for y in range(1, 10):
            c = s.BOARD[x][y]
            if abs(c) in (R.OU, R.KING):
                found[1 if c > 0 else -1] = (x, y)
    return found


def move_weight(s, m, kings=None):
    """How likely the random player picks this move; with the kings given, moves that check
    or close in on the opposing king are preferred."""
    fx, fy, tx, ty, code, text = m
    target = s.BOARD[tx][ty]
    if abs(target) in (R.OU, R.KING):
        return 0.3
    if kings is not None:
        k = kings.get(-1 if code > 0 else 1)
        if k is not None:
            if R.移動チェック(s, tx, ty, k[0], k[1], code) == R.ON:
                return 30.0
            if abs(tx - k[0]) <= 2 and abs(ty - k[1]) <= 2:
                return 5.0
    w = 1.0
    if fx in (11, -1):
        w = 3.0
    elif abs(code) == R.KING and abs(tx - fx) == 2:
        w = 40.0
    elif abs(s.BOARD[fx][fy]) == R.PORN and fx != tx and target == R.EMPTY:
        w = 40.0
    elif text.endswith("+") or "=" in text:
        w = 8.0
    elif abs(s.BOARD[fx][fy]) == R.PORN and abs(ty - fy) == 2:
        w = 3.0
        # landing beside an opposing chess pawn offers it an en passant capture
        if -s.BOARD[fx][fy] in (s.BOARD[tx - 1][ty], s.BOARD[tx + 1][ty] if tx < 9 else 0):
            w = 40.0
    if target != R.EMPTY:
        w *= 6.0
        if abs(target) in (R.HU_N, R.KYOU_N, R.KEI_N, R.GIN_N, R.KAKU_N, R.SYA_N):
            w *= 3.0
    return w


def feature(s, m):
    """Name of the rule a move exercises, for the coverage summary."""
    fx, fy, tx, ty, code, text = m
    target = s.BOARD[tx][ty]
    if fx in (11, -1):
        return "drops"
    if abs(code) == R.KING and abs(tx - fx) == 2:
        return "castlings"
    if abs(s.BOARD[fx][fy]) == R.PORN and fx != tx and target == R.EMPTY:
        return "en passant"
    if abs(target) in (R.HU_N, R.KYOU_N, R.KEI_N, R.GIN_N, R.KAKU_N, R.SYA_N):
        return "captures of promoted pieces"
    if abs(target) in (R.OU, R.KING):
        return "king captures"
    if text.endswith("+"):
        return "shogi promotions"
    if "=" in text:
        return "pawn promotions"
    return None


def refused_move(rng, s):
    """A move text the side to move may not play here."""
    moves = R.legal_moves(s)
    texts = {m[5] for m in moves}
    candidates = []
    for m in moves:
        base = m[5].split("+")[0].split("=")[0]
        for text in (base, base + "+", base + "=KING", base + "=PORN"):
            if text not in texts:
                candidates.append(text)
    candidates.append("%d%d%d%d" % tuple(rng.randint(1, 9) for _ in range(4)))
    candidates.append("QEEN*11")
    candidates = [t for t in candidates if t not in texts]
    return rng.choice(candidates)


class Checker:
    def __init__(self, cli):
        self.cli = cli
        self.passed = 0
        self.failed = 0
        self.tally = {}

    def check(self, argv):
        """Runs one command line on both programs; True when they agree."""
        try:
            got = subprocess.run([self.cli] + argv, capture_output=True, text=True,
                                 timeout=120)
            got = (got.returncode, got.stdout, got.stderr if got.returncode else "")
        except (OSError, subprocess.TimeoutExpired) as e:
            got = (None, "", str(e))
        status, out, err = zref.run(argv)
        for line in out.splitlines()[-3:]:
            if line.startswith("mate") or line.startswith("escapes: 0"):
                self.tally[line] = self.tally.get(line, 0) + 1
        want = (status, out, err if status else "")
        if got == want:
            self.passed += 1
            return True
        self.failed += 1
        report_difference(self.cli, argv, got, want)
        return False


SKIPPED = 77
LONG_GAME = 520

# Lines that reach the rarer rules on purpose: en passant by either side, castling.
FIXED_LINES = (
    "5756 5254 5655 4244 5554 4445 1716 4546 PORN*58 9293 5856 4657",
    "5756 5254 5655 9293 5554 9394 PORN*34 4244 3443",
    "7776 6264 7675 8173 7574 7162 2726 6181",
)


def cli_offers(cli, argv):
    """False when the tool refuses the command on the start position without any output."""
    try:
        r = subprocess.run([cli] + argv, capture_output=True, text=True, timeout=120)
    except (OSError, subprocess.TimeoutExpired):
        return True  # let the comparison report it
    return not (r.returncode > 0 and r.stdout == "")


def commands(what, moves, chess_hand):
    opts = (["--moves", " ".join(moves)] if moves else []) + (
        ["--chess-hand"] if chess_hand else [])
    if what == "rules":
        return [["show"] + opts, ["perft", "2", "--divide"] + opts]
    return [["survey"] + opts]


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--cli", required=True, help="path of zorvan-cli")
    ap.add_argument("--what", choices=("rules", "survey", "engine"), default="rules")
    ap.add_argument("--games", type=int, default=None)
    ap.add_argument("--plies", type=int, default=None)
    ap.add_argument("--every", type=int, default=None, help="compare every N plies")
    ap.add_argument("--rng", type=int, default=1, help="rng key of the random games")
    ap.add_argument("--all", action="store_true", help="go on after the first difference")
    args, rest = ap.parse_known_args()
    if args.what == "engine":
        try:
            import compare_engine
        except ImportError:
            print("no compare_engine.py yet: skipped")
            return SKIPPED
        return compare_engine.main(args, rest)
    if rest:
        ap.error("unrecognized arguments: " + " ".join(rest))
    if not cli_offers(args.cli, commands(args.what, [], False)[-1]):
        print("zorvan-cli does not offer '%s' yet: skipped" % args.what)
        return SKIPPED
    games = args.games if args.games is not None else (16 if args.what == "rules" else 24)
    plies = args.plies if args.plies is not None else 100
    every = args.every if args.every is not None else (6 if args.what == "rules" else 3)

    rng = random.Random(args.rng)
    checker = Checker(args.cli)
    seen = {}
    stop = False
    for line in FIXED_LINES:
        moves = line.split()
        for ply in range(1, len(moves) + 1):
            for argv in commands(args.what, moves[:ply], False):
                if not checker.check(argv) and not args.all:
                    stop = True
                    break
            if stop:
                break
        if stop:
            break
    for g in range(0 if stop else games):
        chess_hand = g % 2 == 1
        s = R.new_game(chess_hand)
        moves = []
        probe_ply = rng.randint(0, plies)
        for ply in range(plies + 1):
            last = ply == plies
            moves_now = R.legal_moves(s) if not last else []
            if ply % every == 0 or last or not moves_now:
                for argv in commands(args.what, moves, chess_hand):
                    if not checker.check(argv) and not args.all:
                        stop = True
                        break
            if not stop and ply == probe_ply and args.what == "rules":
                bad = moves + [refused_move(rng, s)] if moves_now else moves + ["5756"]
                argv = ["show", "--moves", " ".join(bad)] + (
                    ["--chess-hand"] if chess_hand else [])
                if not checker.check(argv) and not args.all:
                    stop = True
            if stop or not moves_now:
                break
            kings = king_squares(s) if args.what == "survey" else None
            weights = [move_weight(s, m, kings) for m in moves_now]
            m = rng.choices(moves_now, weights)[0]
            name = feature(s, m)
            if name:
                seen[name] = seen.get(name, 0) + 1
            R.apply_move(s, m)
            moves.append(m[5])
        if stop:
            break
    if not stop and args.what == "rules":
        # One game past move 500: the history keeps growing, no move is refused.
        s = R.new_game(True)
        moves = []
        for _ in range(LONG_GAME):
            choices = [m for m in R.legal_moves(s)
                       if abs(s.BOARD[m[2]][m[3]]) not in (R.OU, R.KING)]
            if not choices:
                break
            m = rng.choices(choices, [move_weight(s, m) for m in choices])[0]
            R.apply_move(s, m)
            moves.append(m[5])
        for argv in commands(args.what, moves, True):
            if not checker.check(argv):
                break
    print("moves played: " + ", ".join("%s %d" % kv for kv in sorted(seen.items())))
    if checker.tally:
        print("surveys: " + ", ".join("%s %d" % kv for kv in sorted(checker.tally.items())))
    print("%d passed, %d failed" % (checker.passed, checker.failed))
    return 0 if checker.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
