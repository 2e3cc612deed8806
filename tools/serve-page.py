#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 only, as a static web server would publish it.

    serve-page.py FOLDER [PORT]

Without PORT, or with 0, the system picks a free port. The first line printed is the
address the server listens on, for scripts that start it.
"""

import functools
import http.server
import sys


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    # The browser build's module is fetched as it streams in when it has this type.
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, format, *args):
        pass


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip())
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 0
    handler = functools.partial(QuietHandler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
