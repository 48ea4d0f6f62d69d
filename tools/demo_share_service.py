#!/usr/bin/env python3
"""A stand-in for the song-sharing service on this machine only, to try Mirovel.

It serves share pages in the service's format (UTF-8; the title between "<title>"
and " Kelvora,最时尚的手机KTV"; the audio address in the player data after mp3:")
and a generated audio file for each song: a few seconds of silent MP3 frames.
Only 127.0.0.1 is listened on.
"""

import argparse
import html
import http.server
import sys

TITLE_TAIL = " Kelvora,最时尚的手机KTV"

# Share identifiers and titles. The second title shows how a title that a file
# name cannot hold as it is ("/", "?", a character reference) is saved.
SONGS = {
    "qYv3Xw8Lr2NcT5bHk1pZ0A": "月亮代表我的心（演示）",
    "Zm7-Kd2_Ps9Wq4Lx6Rt1Ua": "AC/DC? 摇滚 &amp; 民谣（演示）",
}

# MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, mono, no padding: 417 bytes a frame.
# All-zero side information and main data decode as silence.
FRAME = bytes([0xFF, 0xFB, 0x90, 0xC0]) + bytes(417 - 4)
FRAMES_PER_SECOND = 44100 / 1152


def silent_mp3(seconds):
    return FRAME * int(seconds * FRAMES_PER_SECOND)


def share_page(title, audio_url):
    # The title is written as the service writes it: already HTML text.
    return (
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
        f"<title>{title}{TITLE_TAIL}</title></head>\n"
        f"<body><h1>{html.escape(html.unescape(title))}</h1>\n"
        "<script>var song = {singer:\"演示歌手\", "
        f"mp3:\"{audio_url}\", duration:12}};</script>\n"
        "</body></html>\n"
    ).encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    server_version = "KelvoraDemo/1.0"
    audio = silent_mp3(12)

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        host, port = self.server.server_address[:2]
        if path.startswith("/s/") and path[3:] in SONGS:
            song_id = path[3:]
            body = share_page(SONGS[song_id], f"http://{host}:{port}/audio/{song_id}.mp3")
            self.reply(200, "text/html; charset=utf-8", body)
        elif path.startswith("/audio/") and path[7:-4] in SONGS and path.endswith(".mp3"):
            self.reply(200, "audio/mpeg", self.audio)
        else:
            self.reply(404, "text/plain; charset=utf-8", b"not found\n")

    def reply(self, status, content_type, body):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8765, help="port on 127.0.0.1 (default 8765)")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    port = server.server_address[1]
    print("Demo share service running. Paste one of these links into Mirovel:")
    for song_id, title in SONGS.items():
        print(f"  http://127.0.0.1:{port}/s/{song_id}?&code=Dem0Link123   ({html.unescape(title)})")
    print("Press Ctrl+C to stop.")
    sys.stdout.flush()
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
