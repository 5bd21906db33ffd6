#!/usr/bin/env python3
"""End-to-end tests of the game in a real window: the real `zorvan` program on a private X
server (Xvfb), driven only by real input events (mouse presses on menus and squares, keys on
message boxes), checked through the screen's pixels, the message boxes' texts and the files the
game writes.

    zorvan_e2e.py --program build/app/zorvan --scenario persons
    zorvan_e2e.py --program build/app/zorvan --build-dir build --scenario install
    zorvan_e2e.py --program build/app/zorvan --screenshot docs/screenshot.png
    zorvan_e2e.py --program build-release/app/zorvan --scenario package \
                  --package build-release/zorvan_0.1.0_amd64.deb       (as root)

Exit status 0 when every check held, 1 with a message saying what was expected and what was
seen. A missing display server or a program that cannot start is a failure, never a skip.
"""

import argparse
import os
import shutil
import signal
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from game_window import GameWindow, game_environment  # noqa: E402
from xdisplay import Display, E2EError  # noqa: E402
import scenarios  # noqa: E402
import scenarios_thinking  # noqa: E402
import package  # noqa: E402

# Every scenario by name; `package` and `screenshot` run only when asked for.
SCENARIOS = dict(scenarios.ALL, **scenarios_thinking.ALL, package=package.package)


class Terminated(Exception):
    """SIGTERM or SIGHUP: end as after a failure, tidying up on the way (the package scenario
    must not leave its package installed)."""


def _terminate(signum, frame):
    raise Terminated(f"ended by signal {signum}")


class Run:
    """What every scenario shares: the display, a scratch folder, the program and the place for
    logs and failure pictures; plus the measurements to report."""

    def __init__(self, args):
        self.args = args
        self.program = os.path.abspath(args.program)
        self.scratch = tempfile.mkdtemp(prefix="zorvan-e2e-")
        self.artifacts = os.path.abspath(args.artifacts or os.path.join(self.scratch, "out"))
        os.makedirs(self.artifacts, exist_ok=True)
        runtime = os.path.join(self.scratch, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.runtime = runtime
        self.display = Display(log_dir=self.artifacts)
        self.games = []
        self.measured = {}

    def folder(self, name):
        """A fresh, empty folder to start the game in."""
        path = os.path.join(self.scratch, name)
        os.makedirs(path)
        return path

    def start(self, folder, label, program=None, env=None, args=()):
        game = GameWindow(self.display, program or self.program, folder, self.artifacts, label,
                          env or game_environment(self.display, runtime_dir=self.runtime), args)
        self.games.append(game)
        return game.start()

    def measure(self, name, value, unit):
        self.measured[name] = (value, unit)

    def close(self, keep):
        for game in self.games:
            game.kill()
        self.display.close()
        if not keep:
            shutil.rmtree(self.scratch, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the game program to start")
    parser.add_argument("--build-dir", help="the build folder (for the installation scenario)")
    parser.add_argument("--cmake", default="cmake", help="the cmake program (for installing)")
    parser.add_argument("--scenario", action="append", choices=sorted(SCENARIOS),
                        help="scenario to run (repeatable; all but package by default)")
    parser.add_argument("--package", help="the .deb file (for the package scenario)")
    parser.add_argument("--package-marker",
                        help="the file that marks the package scenario's copy as installed "
                             "(default: next to the .deb)")
    parser.add_argument("--cleanup-package", action="store_true",
                        help="only purge the package if the marker says the package scenario "
                             "left it installed")
    parser.add_argument("--screenshot", help="only make a picture of the window in play")
    parser.add_argument("--artifacts", help="folder for logs and pictures of failures")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folders")
    args = parser.parse_args()
    if args.package and not args.package_marker:
        args.package_marker = os.path.join(os.path.dirname(os.path.abspath(args.package)),
                                           "zorvan-package-installed")
    if args.cleanup_package:
        try:
            return package.cleanup(args.package_marker)
        except E2EError as e:
            print(f"FAILED: {e}", file=sys.stderr)
            return 1

    tests = sorted(n for n in SCENARIOS if n not in ("screenshot", "package"))
    names = ["screenshot"] if args.screenshot else (args.scenario or tests)
    signal.signal(signal.SIGTERM, _terminate)
    signal.signal(signal.SIGHUP, _terminate)
    try:
        run = Run(args)
    except E2EError as e:
        print(f"FAILED: {e}", file=sys.stderr)
        return 1
    failed = skipped = False
    try:
        for name in names:
            began = time.monotonic()
            print(f"--- {name}", flush=True)
            SCENARIOS[name](run)
            print(f"--- {name}: passed in {time.monotonic() - began:.1f} s", flush=True)
    except package.Skip as e:
        skipped = True
        print(f"--- {name}: skipped: {e}", flush=True)
    except E2EError as e:
        failed = True
        print(f"FAILED in {name}: {e}", file=sys.stderr)
    except Exception:  # a fault of the driver itself
        failed = True
        traceback.print_exc()
    finally:
        if failed:
            try:
                if any(game.proc and game.proc.poll() is None for game in run.games):
                    print(f"picture of the screen: {run.games[-1].save_screen('failure')}",
                          file=sys.stderr)
            except Exception as e:  # the failure itself matters more than its picture
                print(f"no picture of the screen: {e}", file=sys.stderr)
            print(f"logs and pictures: {run.artifacts}", file=sys.stderr)
        for key, (value, unit) in run.measured.items():
            print(f"measured: {key} = {value:.3g} {unit}" if isinstance(value, float)
                  else f"measured: {key} = {value} {unit}")
        run.close(keep=args.keep or failed)
    return 1 if failed else 77 if skipped else 0


if __name__ == "__main__":
    sys.exit(main())
