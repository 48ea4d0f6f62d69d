#!/usr/bin/env python3
"""Recording forward proxy for tests: plain requests by absolute URI, and CONNECT tunnels.

    forward_proxy.py --dir DIR --map NAME:PORT=TARGETPORT [--map ...]

Only the proxy knows the names it is given: NAME:PORT is reached at 127.0.0.1:TARGETPORT;
anything else gets "502 Bad Gateway". What it receives from the client (the request
head and body, or the CONNECT head) is recorded as serverlib describes.
"""

import argparse
import select
import socket
import urllib.parse

import serverlib

BAD_GATEWAY = b"HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"


def relay(a, b):
    """Copies both ways until either side closes or nothing moves for the time-out."""
    sockets = [a, b]
    while True:
        readable, _, _ = select.select(sockets, [], [], serverlib.SOCKET_TIMEOUT)
        if not readable:
            return
        for source in readable:
            data = source.recv(65536)
            if not data:
                return
            (b if source is a else a).sendall(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--map", action="append", default=[])
    args = parser.parse_args()
    names = {}
    for entry in args.map:
        name, _, port = entry.partition("=")
        names[name.lower()] = int(port)

    def upstream_for(authority):
        port = names.get(authority.lower())
        if port is None:
            return None
        return socket.create_connection(("127.0.0.1", port), timeout=serverlib.SOCKET_TIMEOUT)

    def handle(connection):
        raw = serverlib.read_request(connection)
        if raw is None:
            return
        serverlib.record(args.dir, raw)
        line, _, rest = raw.partition(b"\r\n")
        method, target, version = line.decode("latin-1").split(" ", 2)
        if method == "CONNECT":
            upstream = upstream_for(target)
            if upstream is None:
                connection.sendall(BAD_GATEWAY)
                return
            with upstream:
                connection.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
                relay(connection, upstream)
            return
        url = urllib.parse.urlsplit(target)
        authority = "%s:%d" % (url.hostname or "", url.port or 80)
        upstream = upstream_for(authority)
        if upstream is None:
            connection.sendall(BAD_GATEWAY)
            return
        origin_form = (url.path or "/") + ("?" + url.query if url.query else "")
        with upstream:
            upstream.sendall(("%s %s %s\r\n" % (method, origin_form, version)).encode("latin-1") + rest)
            relay(connection, upstream)

    serverlib.run(handle)


if __name__ == "__main__":
    main()
