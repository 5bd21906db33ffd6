#!/usr/bin/env python3
"""Command-line front end of the Python reference, with the same subcommands and output as
zorvan-cli:

  zref.py show [--moves "m1 m2 ..."] [--chess-hand]
  zref.py perft DEPTH [--divide] [--moves ...] [--chess-hand]
  zref.py survey [--moves ...] [--chess-hand]
  zref.py bestmove [--level 1|2|3] [--scores] [--moves ...] [--chess-hand]
  zref.py selfplay [--level L] [--lower-level L2] [--max-moves N] [--moves ...] [--chess-hand]

bestmove and selfplay (the computer player) live in ref_engine.py.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ref_rules as R  # noqa: E402


def show_text(s):
    lines = []
    for y in range(1, 10):
        lines.append("".join("%4d" % s.BOARD[x][y] for x in range(1, 10)))
    lines.append("lower hand: " + " ".join(str(n) for n in s.OWN_HAND[1:13]))
    lines.append("upper hand: " + " ".join(str(n) for n in s.ENEMY_HAND[1:13]))
    lines.append("turn: " + R.PLAYER_NAME.get(s.TURN, "none"))
    lines.append("lower: " + R.PLAYER_NAME.get(s.LOWER_PLAYER, "none"))
    lines.append("winner: " + R.PLAYER_NAME.get(s.WINNER, "none"))
    lines.append("move: %d" % s.MOVE_NO)
    return "\n".join(lines) + "\n"


def perft_text(s, depth, divide):
    out = []
    if divide and depth >= 1:
        total = 0
        for text, nodes in R.divide(s, depth):
            out.append("%s %d" % (text, nodes))
            total += nodes
    else:
        total = R.perft(s, depth)
    out.append("nodes %d" % total)
    return "\n".join(out) + "\n"


def survey_text(s):
    import ref_influence as I
    I.勢力調査(s)
    lines = []
    for name in R.MAP_NAMES:
        lines.append(name)
        grid = getattr(s, name)
        for y in range(1, 10):
            lines.append("".join("%5d" % grid[x][y] for x in range(1, 10)))
    lines.append("kings: %d %d %d %d" % (s.OWN_KING_X, s.OWN_KING_Y,
                                         s.ENEMY_KING_X, s.ENEMY_KING_Y))
    for x in range(10):
        for y in range(10):
            s.ESCAPE_MAP[x][y] = 0
    lines.append("escapes: %d" % I.調査_自王逃道(s))
    lines.append("mate lower: " + ("ON" if I.詰めかMAN(s) == R.ON else "OFF"))
    lines.append("mate upper: " + ("ON" if I.詰めかCOM(s) == R.ON else "OFF"))
    return "\n".join(lines) + "\n"


USAGE = ("usage: zref.py show|perft DEPTH [--divide]|survey "
         "[--moves \"m1 m2 ...\"] [--chess-hand]\n")


def run(argv):
    """Returns (exit status, stdout text, stderr text) for one command line."""
    if not argv:
        return 2, "", USAGE
    if argv[0] in ("bestmove", "selfplay"):
        return engine_run(argv)
    cmd, rest = argv[0], argv[1:]
    moves, chess_hand, divide, depth = "", False, False, None
    i = 0
    while i < len(rest):
        a = rest[i]
        if a == "--moves" and i + 1 < len(rest):
            moves = rest[i + 1]
            i += 2
            continue
        if a == "--chess-hand":
            chess_hand = True
        elif a == "--divide" and cmd == "perft":
            divide = True
        elif cmd == "perft" and depth is None and a.isdigit():
            depth = int(a)
        else:
            return 2, "", USAGE
        i += 1
    if cmd not in ("show", "perft", "survey") or (cmd == "perft" and depth is None):
        return 2, "", USAGE
    try:
        s = R.position(moves, chess_hand)
    except R.IllegalMove as e:
        return 2, "", str(e) + "\n"
    if cmd == "show":
        return 0, show_text(s), ""
    if cmd == "perft":
        return 0, perft_text(s, depth, divide), ""
    return 0, survey_text(s), ""


def engine_run(argv):
    """The computer player's commands."""
    import ref_engine
    return ref_engine.run(argv)


def main():
    status, out, err = run(sys.argv[1:])
    sys.stdout.write(out)
    sys.stderr.write(err)
    return status


if __name__ == "__main__":
    sys.exit(main())
