#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 as a web host does: gzip for the browsers that take it (the
page, the game and its files), so the times measured over an emulated phone network are the
ones a player gets.  usage: serve.py FOLDER PORT"""
import functools
import gzip
import http.server
import os
import sys

PACKED = (".html", ".js", ".css", ".wasm", ".data", ".webmanifest", ".json", ".svg")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if (not path.endswith(PACKED) or "gzip" not in self.headers.get("Accept-Encoding", "")
                or not os.path.isfile(path)):
            return super().send_head()
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), compresslevel=6)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return _Body(body)

    def log_message(self, *args):
        pass


class _Body:
    def __init__(self, data):
        self.data = data

    def read(self, *_):
        data, self.data = self.data, b""
        return data

    def close(self):
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(Handler, directory=folder)
    http.server.ThreadingHTTPServer(("127.0.0.1", port), handler).serve_forever()


if __name__ == "__main__":
    main()
