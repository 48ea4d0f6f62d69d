#!/usr/bin/env python3
"""Scripted HTTP or HTTPS server for tests: answers each request with exact raw bytes.

    http_server.py --dir DIR [--tls CERT KEY]

DIR/routes.json is read afresh for every request, so a test can change the answers while
the server runs. It maps a request target ("/a?b=1"; also tried without the query; "*"
for anything else) to a list of steps, run in order, after which the connection closes:
    {"send": "<text>"}     the text's characters as bytes 0-255 (latin-1), sent as is
    {"pattern": N}         N bytes of the test pattern: byte i is (i * 131 + 7) % 256
    {"sleep": S}           S seconds of silence with the connection held open
    {"reset": true}        close at once with a TCP reset
A target without a route gets "404 Not Found". Requests are recorded (see serverlib).
"""

import argparse
import json
import os
import socket
import ssl
import struct
import time

import serverlib

PATTERN_BLOCK = bytes((i * 131 + 7) % 256 for i in range(65536))
NOT_FOUND = [{"send": "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"}]


def load_routes(folder):
    try:
        with open(os.path.join(folder, "routes.json"), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


def steps_for(routes, target):
    for key in (target, target.split("?", 1)[0], "*"):
        if key in routes:
            return routes[key]
    return NOT_FOUND


def run_steps(connection, steps):
    for step in steps:
        if "send" in step:
            connection.sendall(step["send"].encode("latin-1"))
        elif "pattern" in step:
            left = int(step["pattern"])
            while left > 0:
                piece = PATTERN_BLOCK[: min(left, len(PATTERN_BLOCK))]
                connection.sendall(piece)
                left -= len(piece)
        elif "sleep" in step:
            time.sleep(float(step["sleep"]))
        elif step.get("reset"):
            connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            return
    try:
        connection.shutdown(socket.SHUT_WR)
    except OSError:
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    args = parser.parse_args()

    context = None
    if args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls[0], args.tls[1])

    def handle(connection):
        if context:
            connection = context.wrap_socket(connection, server_side=True)
        raw = serverlib.read_request(connection)
        if raw is None:
            return
        serverlib.record(args.dir, raw)
        run_steps(connection, steps_for(load_routes(args.dir), serverlib.request_target(raw)))
        if context:
            connection.close()

    serverlib.run(handle)


if __name__ == "__main__":
    main()
