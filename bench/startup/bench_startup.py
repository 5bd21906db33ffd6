#!/usr/bin/env python3
"""Start-up benchmark: the game against a peer board program and a bare Qt window.

Each program is started RUNS times, the programs taking turns, each run on a private X server
(Xvfb) with SDL's dummy sound driver. For every run it measures

  first picture  seconds from starting the program until its window shows its settled first
                 picture: the window is polled from the moment the program starts, and the time
                 is that of the first frame already matching (>= 95 % of sampled pixels) the
                 picture the window settles on. An empty or half-drawn window does not count.
                 The same pixel test serves every program.
  RSS            the program's resident memory (VmRSS) one second after its first picture.

Then the game alone plays a long session in its window (a 300-ply game between persons, five
background changes, a resize, a record written and loaded back) and its RSS is read again.

    bench_startup.py --game build/app/zorvan --baseline build/app/zorvan-startup-baseline
    bench_startup.py ... --runs 9 --no-long-play

The game runs in a scratch folder holding the six sounds and a "ZORVAN.ini" with the music on,
as for a player's second start. The peer is xboard (-variant shogi, no engine) when installed.
Exit status 0 when every run finished; the figures are printed, never judged.
"""

import argparse
import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

from xdisplay import Display, E2EError, Picture  # noqa: E402

SOUNDS = ("その他.wav", "禁止.wav", "駒打音.wav", "チェス打音.wav", "消滅.wav", "BGM.wav")
SETTINGS = "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nチェス側持駒OK=OFF\r\nBGM=ON\r\n"

POLL = 0.004            # seconds between two looks at the window
SETTLED = 0.8           # a picture unchanged this long is the settled one
MATCH = 0.95            # share of sampled pixels a frame must share with the settled picture
RSS_AFTER = 1.0         # seconds after the first picture
START_LIMIT = 60.0      # seconds a program may take to show anything


def rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def main_window(display):
    """The program's main window: the largest mapped top-level window that is not a popup."""
    wins = [w for w in display.mapped() if not w.popup and w.width >= 200 and w.height >= 150]
    return max(wins, key=lambda w: w.width * w.height) if wins else None


def raw_frame(display, w):
    """The window's pixels as the server holds them (four bytes a pixel), or None."""
    try:
        pic = display.picture(w.x, w.y, w.width, w.height)
    except E2EError:
        return None
    return pic.rgb


def sample(rgb, step=7):
    """Every `step`-th pixel of a picture, as RGB triples."""
    return [rgb[i:i + 3] for i in range(0, len(rgb) - 2, 3 * step)]


def similarity(a, b):
    if len(a) != len(b) or not a:
        return 0.0
    return sum(1 for x, y in zip(a, b) if x == y) / len(a)


class Program:
    def __init__(self, name, argv, folder_setup=None, env=None):
        self.name, self.argv = name, argv
        self.folder_setup = folder_setup
        self.env = env or {}
        self.first, self.rss, self.mapped = [], [], []
        self.keep_frames = False


def measure_start(program, scratch, run_no):
    """One start of `program` on a fresh X server: (seconds to the first picture, seconds to the
    window being mapped, RSS in KiB one second after the first picture)."""
    folder = os.path.join(scratch, f"{program.name}-{run_no}")
    os.makedirs(folder)
    if program.folder_setup:
        program.folder_setup(folder)
    display = Display()
    proc = None
    try:
        env = dict(display.env, SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb", **program.env)
        env.pop("QT_SCALE_FACTOR", None)
        frames = []  # (time, digest, window size) of every look
        pictures = {}  # digest -> sampled pixels
        rss = []  # (time, KiB)
        log = open(os.path.join(folder, "program.log"), "wb")
        began = time.monotonic()
        proc = subprocess.Popen(program.argv, cwd=folder, env=env, stdout=log,
                                stderr=subprocess.STDOUT)
        mapped_at = None
        last_change = None
        while True:
            now = time.monotonic() - began
            if proc.poll() is not None:
                raise E2EError(f"{program.name} ended with status {proc.returncode} at start-up"
                               f" (see {folder}/program.log)")
            if now > START_LIMIT:
                raise E2EError(f"{program.name} showed no settled picture in {START_LIMIT:.0f} s")
            w = main_window(display)
            if w is not None:
                if mapped_at is None:
                    mapped_at = now
                rgb = raw_frame(display, w)
                if rgb is not None:
                    digest = hashlib.blake2b(rgb, digest_size=16).digest() + bytes(
                        str((w.width, w.height)), "ascii")
                    if digest not in pictures:
                        pictures[digest] = sample(rgb)
                        if program.keep_frames:
                            Picture(w.width, w.height, rgb).save_png(
                                os.path.join(folder, f"frame-{now:07.3f}.png"))
                    if not frames or frames[-1][1] != digest:
                        last_change = now
                    frames.append((now, digest))
            kib = rss_kib(proc.pid)
            if kib:
                rss.append((now, kib))
            if last_change is not None and now - last_change >= SETTLED:
                settled = pictures[frames[-1][1]]
                first = next(t for t, d in frames
                             if similarity(pictures[d], settled) >= MATCH)
                if now >= first + RSS_AFTER + 0.05:
                    break
            time.sleep(POLL)
        at = first + RSS_AFTER
        kib = min(rss, key=lambda s: abs(s[0] - at))[1]
        return first, mapped_at, kib
    finally:
        if proc and proc.poll() is None:
            proc.kill()
            proc.wait()
        display.close()


def game_folder_setup(sound_dir):
    def setup(folder):
        for name in SOUNDS:
            src = os.path.join(sound_dir, name)
            if os.path.exists(src):
                shutil.copy(src, folder)
        with open(os.path.join(folder, "ZORVAN.ini"), "wb") as f:
            f.write(SETTINGS.encode("cp932"))
    return setup


def spread(values):
    return f"{min(values):.3f}..{max(values):.3f}"


def summary(programs, game, long_play):
    print()
    print(f"{'program':<10} {'runs':>4} {'first picture s':>16} {'(min..max)':>14} "
          f"{'mapped s':>9} {'RSS 1 s MiB':>12} {'(min..max)':>14}")
    for p in programs:
        if not p.first:
            continue
        rss = [k / 1024 for k in p.rss]
        print(f"{p.name:<10} {len(p.first):>4} {statistics.median(p.first):>16.3f} "
              f"{spread(p.first):>14} {statistics.median(p.mapped):>9.3f} "
              f"{statistics.median(rss):>12.1f} {spread(rss):>14}")
    print()
    for p in programs:
        if p is game or not p.first or not game.first:
            continue
        t = statistics.median(game.first) / statistics.median(p.first)
        m = statistics.median(game.rss) / statistics.median(p.rss)
        print(f"zorvan / {p.name}: first picture x{t:.2f}, RSS after start-up x{m:.2f}")
    if long_play:
        before, after = long_play

        def grew(key):
            return f"{(after[key] - before[key]) / 1024:+.1f}"
        print(f"zorvan long play: RSS {before['VmRSS'] / 1024:.1f} MiB after start-up, "
              f"{after['VmRSS'] / 1024:.1f} MiB after the long play ({grew('VmRSS')} MiB: "
              f"anonymous {grew('RssAnon')}, files {grew('RssFile')}, "
              f"shared {grew('RssShmem')})")


def main():
    root = os.path.abspath(os.path.join(HERE, "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--game", default=os.path.join(root, "build", "app", "zorvan"))
    parser.add_argument("--baseline",
                        default=os.path.join(root, "build", "app", "zorvan-startup-baseline"))
    parser.add_argument("--sounds", default=None,
                        help="folder of the six sounds (default: run/ beside the game's build)")
    parser.add_argument("--peer", default=shutil.which("xboard") or "/usr/games/xboard")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--no-long-play", action="store_true")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder")
    args = parser.parse_args()

    game_path = os.path.abspath(args.game)
    sounds = args.sounds or os.path.join(os.path.dirname(os.path.dirname(game_path)), "run")
    game = Program("zorvan", [game_path], game_folder_setup(sounds))
    programs = [game]
    if os.access(args.peer, os.X_OK):
        programs.append(Program("xboard", [args.peer, "-variant", "shogi", "-ncp"]))
    else:
        print(f"no peer: {args.peer} is not installed (make deps-bench installs xboard)")
    if os.access(args.baseline, os.X_OK):
        programs.append(Program("qt-window", [os.path.abspath(args.baseline)]))
    else:
        print(f"no Qt baseline: {args.baseline} is not built")
    if not all(os.path.exists(os.path.join(sounds, n)) for n in SOUNDS):
        print(f"note: the six sounds are not all in {sounds}; the game starts without them")

    for p in programs:
        p.keep_frames = args.keep
    scratch = tempfile.mkdtemp(prefix="zorvan-bench-")
    if args.keep:
        print(f"scratch folder (with every distinct frame of the windows): {scratch}")
    long_play = None
    try:
        for run in range(args.runs):
            for p in programs:
                first, mapped, kib = measure_start(p, scratch, run)
                p.first.append(first)
                p.mapped.append(mapped)
                p.rss.append(kib)
                print(f"run {run + 1}/{args.runs} {p.name:<10} first picture {first:.3f} s "
                      f"(mapped {mapped:.3f} s), RSS {kib / 1024:.1f} MiB", flush=True)
        if not args.no_long_play:
            import long_play as lp
            long_play = lp.run(game_path, game_folder_setup(sounds), scratch)
    except E2EError as e:
        print(f"FAILED: {e}", file=sys.stderr)
        return 1
    finally:
        if not args.keep:
            shutil.rmtree(scratch, ignore_errors=True)
    summary(programs, game, long_play)
    return 0


if __name__ == "__main__":
    sys.exit(main())
