#!/usr/bin/env python3
"""Writes the page's service worker into the site: the template (app/web/sw.js) with the list of
the site's files it keeps for offline play and a version made from their contents.

    make_service_worker.py --site DIR --template FILE [--on-demand PATH ...]

Every file of the site is listed but the worker itself and the files named with --on-demand
(paths relative to the site, such as the music, fetched only when the player turns it on: the
worker keeps them once they have been fetched). The version is a hash of every file's path and
contents, the on-demand files and the template included, so any change of the site makes a new
worker with a new cache. The worker is written only when it changes.
"""

import argparse
import hashlib
import json
import os
import sys
import urllib.parse

WORKER = "sw.js"


def site_files(site):
    """The site's files as paths relative to it, with '/', sorted; hidden files left out."""
    found = []
    for root, dirs, names in os.walk(site):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        for name in names:
            if not name.startswith(".") and not name.endswith(".part"):
                found.append(os.path.relpath(os.path.join(root, name), site).replace(os.sep, "/"))
    return sorted(f for f in found if f != WORKER)


def version(site, files, template):
    digest = hashlib.sha256(template.encode("utf-8"))
    for path in files:
        with open(os.path.join(site, path), "rb") as f:
            content = hashlib.sha256(f.read()).hexdigest()
        digest.update(f"\0{path}\0{content}".encode("utf-8"))
    return digest.hexdigest()[:16]


def worker_text(template, files, on_demand, tag):
    kept = [urllib.parse.quote(f) for f in files if f not in on_demand]
    text = template.replace("'@VERSION@'", json.dumps(tag))
    return text.replace("'@FILES@'", json.dumps(kept, indent=4))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--template", required=True)
    parser.add_argument("--on-demand", nargs="*", default=[])
    args = parser.parse_args()
    try:
        with open(args.template, encoding="utf-8") as f:
            template = f.read()
        if "'@VERSION@'" not in template or "'@FILES@'" not in template:
            raise ValueError(f"{args.template} lacks '@VERSION@' or '@FILES@'")
        files = site_files(args.site)
        text = worker_text(template, files, set(args.on_demand),
                           version(args.site, files, template))
        output = os.path.join(args.site, WORKER)
        old = None
        if os.path.exists(output):
            with open(output, encoding="utf-8") as f:
                old = f.read()
        if text != old:
            with open(output + ".part", "w", encoding="utf-8") as f:
                f.write(text)
            os.replace(output + ".part", output)
    except (OSError, ValueError) as e:
        print(f"make_service_worker: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
