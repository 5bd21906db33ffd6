#!/usr/bin/env python3
"""Hostile record files against the reader: how long `zorvan-cli show --record FILE --at 0`
takes on each and how much memory it holds, and (with --window) how long the window is held
from the click in the file list until it has painted again. A benchmark, not a test: it prints
figures and judges nothing.

    make bench-hostile
    python3 bench/hostile_records.py --cli build/app/zorvan-cli [--window build/app/zorvan-hostile-window]
"""
import argparse
import os
import subprocess
import tempfile
import time

MIB = 1 << 20
MOVES = 100_000
LINE = 287
HEADER_LIMIT = 65536


def move_line():
    # The starting position's snapshot, empty hands, no time: a plain valid move line.
    rows = {1: [0, 8, 11, 12, 18, 19, 12, 11, 8], 2: [0] + [3] * 8, 7: [-1] * 9,
            8: [0, -14, 0, 0, 0, 0, 0, -16, 0], 9: [-4, -6, -9, -13, -20, -13, -9, -6, -4]}
    cells = ["%3d" % rows.get(y, [0] * 9)[x - 1] for x in range(1, 10) for y in range(1, 10)]
    return "".join(cells) + "0" * 24 + "    0" * 4


def make_files(folder):
    files = []

    def add(name, writer):
        path = os.path.join(folder, name + ".棋譜")
        with open(path, "wb") as f:
            writer(f)
        files.append((name, path))

    line = move_line().encode() + b"\r\n"
    name = ("駒" * (HEADER_LIMIT // 2)).encode("cp932")
    add("64MiB-of-line-feeds", lambda f: f.write(b"\n" * (64 * MIB)))
    add("64MiB-single-line", lambda f: f.write(b"1" * (64 * MIB)))
    add("60MB-header-line", lambda f: f.write(b"x" * 60_000_000 + b"\r\nb\r\nc\r\n" + line))
    limit = 3 * (HEADER_LIMIT + 2) + MOVES * (LINE + 2)
    add("line-feeds-at-the-size-limit", lambda f: f.write(b"\n" * limit))
    add("header-line-at-the-size-limit", lambda f: f.write(b"x" * (limit - 8) + b"\r\nb\r\nc\r\n"))
    add("largest-record-100000-moves",
        lambda f: f.write(name + b"\r\n" + name + b"\r\n" + name + b"\r\n" + line * MOVES))
    return files


def run_cli(cli, path, repeat):
    best = None
    for _ in range(repeat):
        start = time.monotonic()
        proc = subprocess.run(["/usr/bin/time", "-f", "%U %S %M", cli, "show", "--record", path, "--at", "0"],
                              capture_output=True, text=True, errors="replace")
        seconds = time.monotonic() - start
        user, system, rss_kib = proc.stderr.strip().splitlines()[-1].split()
        cpu = float(user) + float(system)
        outcome = "shown" if proc.returncode == 0 else proc.stderr.strip().splitlines()[0].split(": ")[-1]
        if best is None or seconds < best[0]:
            best = (seconds, cpu, int(rss_kib), outcome)
    return best


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("--cli", required=True)
    ap.add_argument("--window", help="the zorvan-hostile-window program, to time the window too")
    ap.add_argument("--repeat", type=int, default=3, help="runs per file; the fastest is shown")
    args = ap.parse_args()
    with tempfile.TemporaryDirectory(prefix="zorvan-hostile-") as folder:
        files = make_files(folder)
        # Wall time depends on what else the machine runs; CPU time (user + system) much less.
        print(f"{'file':32} {'MB':>6} {'wall s':>7} {'cpu s':>7} {'peak MB':>8}  outcome")
        for name, path in files:
            seconds, cpu, rss_kib, outcome = run_cli(args.cli, path, args.repeat)
            size = os.path.getsize(path) / 1e6
            print(f"{name:32} {size:6.1f} {seconds:7.3f} {cpu:7.3f} {rss_kib / 1024:8.1f}  {outcome}",
                  flush=True)
        if args.window:
            print(f"\n{'file':32} {'held s':>7} {'cpu s':>7}  message")
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            proc = subprocess.run([args.window] + [p for _, p in files], capture_output=True,
                                  text=True, env=env, errors="replace")
            for (name, _), row in zip(files, proc.stdout.splitlines()):
                _, seconds, cpu, message = row.split("\t")
                print(f"{name:32} {float(seconds):7.3f} {float(cpu):7.3f}  {message}")


if __name__ == "__main__":
    main()
