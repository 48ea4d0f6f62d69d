"""Pieces shared by the loopback test servers: start-up, request reading, recording.

Every server listens on 127.0.0.1 at a port the system picks, prints "PORT <n>" on its
first stdout line, records each request it receives byte for byte as
<dir>/requests/<sequence>.bin, and exits when its stdin reaches end of file, so a test
that dies cannot leave it behind. Every socket has a time-out, so no client can hang it.
"""

import os
import socket
import sys
import threading

SOCKET_TIMEOUT = 15.0
MAX_HEAD = 1 << 20

_record_lock = threading.Lock()
_record_count = 0


def exit_when_stdin_closes():
    def watch():
        try:
            while sys.stdin.buffer.read(4096):
                pass
        finally:
            os._exit(0)
    threading.Thread(target=watch, daemon=True).start()


def listen():
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(64)
    return server


def announce(server):
    print("PORT %d" % server.getsockname()[1], flush=True)


def serve_forever(server, handle):
    """Runs handle(connection) on a thread of its own for every connection."""
    while True:
        connection, _ = server.accept()
        connection.settimeout(SOCKET_TIMEOUT)
        threading.Thread(target=_guarded, args=(handle, connection), daemon=True).start()


def run(handle):
    """A test server's whole life: it ends with its parent's pipe, listens on a free
    loopback port, tells the parent that port and serves until it ends."""
    exit_when_stdin_closes()
    server = listen()
    announce(server)
    serve_forever(server, handle)


def _guarded(handle, connection):
    try:
        handle(connection)
    except (OSError, ValueError):
        pass
    finally:
        try:
            connection.close()
        except OSError:
            pass


def read_request(connection):
    """Reads one request (head and body, by Content-Length or chunked); None at EOF."""
    data = b""
    while b"\r\n\r\n" not in data:
        if len(data) > MAX_HEAD:
            raise ValueError("request head too long")
        chunk = connection.recv(65536)
        if not chunk:
            return None
        data += chunk
    head_end = data.index(b"\r\n\r\n") + 4
    head, body = data[:head_end], data[head_end:]
    fields = {}
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        fields[name.strip().lower()] = value.strip()
    if b"chunked" in fields.get(b"transfer-encoding", b"").lower():
        while not body.endswith(b"0\r\n\r\n"):
            chunk = connection.recv(65536)
            if not chunk:
                break
            body += chunk
    else:
        length = int(fields.get(b"content-length", b"0") or b"0")
        while len(body) < length:
            chunk = connection.recv(min(65536, length - len(body)))
            if not chunk:
                break
            body += chunk
    return head + body


def record(folder, raw):
    """Stores one received request; the file appears whole or not at all."""
    global _record_count
    with _record_lock:
        _record_count += 1
        name = os.path.join(folder, "requests", "%06d.bin" % _record_count)
        os.makedirs(os.path.dirname(name), exist_ok=True)
        with open(name + ".part", "wb") as f:
            f.write(raw)
        os.replace(name + ".part", name)


def request_target(raw):
    """The request line's target: "/path?query", or an absolute URI when sent to a proxy."""
    line = raw.split(b"\r\n", 1)[0].decode("latin-1")
    parts = line.split(" ")
    return parts[1] if len(parts) >= 2 else ""
