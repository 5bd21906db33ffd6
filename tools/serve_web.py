#!/usr/bin/env python3
"""Serves the page's site (build-web/site) on the loopback address, as plain static hosting does:
no special headers. Prints the address once it listens.

    serve_web.py [--site DIR] [--port N]     (port 0: any free port)
"""

import argparse
import functools
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".js": "text/javascript",
        ".wasm": "application/wasm",
        ".woff2": "font/woff2",
        ".wav": "audio/wav",
        ".json": "application/json",
    }

    def log_message(self, *args):
        if os.environ.get("ZORVAN_SERVE_LOG"):
            super().log_message(*args)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--site", default=os.path.join(here, "build-web", "site"))
    parser.add_argument("--port", type=int, default=8000)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.site, "index.html")):
        print(f"serve_web: {args.site} has no index.html: run `make web` first", file=sys.stderr)
        return 1
    handler = functools.partial(Handler, directory=args.site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler) as server:
        host, port = server.server_address[:2]
        print(f"ZORVAN in the browser: http://{host}:{port}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
