#!/usr/bin/env python3
"""The browser build beside the native one: the search's speed under node and the module's weight.

Runs `zorvan-cli bench --search` natively and as the browser build under node (the same positions
and depth, so the same signature) and reports the nodes per second of processor time each took
(measured from outside: the module's own clock under node is the wall clock), RUNS times each,
the median; then the sizes of the .wasm files, raw and gzipped.

    web_bench.py --native build-bench/app/zorvan-cli --web build-web [--runs 3]
"""
import argparse
import gzip
import os
import re
import resource
import statistics
import subprocess
import sys


def timed(command):
    """Standard output of `command` and the processor time it and its children took."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return out, cpu


def field(text, name):
    m = re.search(rf"^search {name} (\d+)", text, re.M)
    if not m:
        sys.exit(f"web_bench.py: no 'search {name}' in\n{text}")
    return int(m.group(1))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("--native", required=True)
    ap.add_argument("--web", required=True, help="the browser build's folder")
    ap.add_argument("--runs", type=int, default=3)
    args = ap.parse_args()
    cli_js = os.path.join(args.web, "app", "zorvan-cli.js")
    builds = {"native": [args.native], "node": ["node", cli_js]}
    speed = {}
    signature = {}
    for name, program in builds.items():
        rates = []
        for _ in range(args.runs):
            out, cpu = timed(program + ["bench", "--search"])
            signature[name] = field(out, "signature")
            rates.append(field(out, "nodes") / cpu)
        speed[name] = statistics.median(rates)
        print(f"{name:7s} signature {signature[name]}  {speed[name]:,.0f} nodes per cpu second "
              f"(median of {args.runs})")
    if signature["native"] != signature["node"]:
        sys.exit("web_bench.py: the signatures differ")
    print(f"node / native: {speed['node'] / speed['native']:.2f}")

    for path in ["site/zorvan-search.wasm", "app/zorvan-cli.wasm"]:
        full = os.path.join(args.web, path)
        if os.path.exists(full):
            data = open(full, "rb").read()
            print(f"{path}: {len(data):,} bytes, {len(gzip.compress(data, 9)):,} gzipped")


if __name__ == "__main__":
    main()
