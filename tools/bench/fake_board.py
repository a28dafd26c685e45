"""Small scoreboards on 127.0.0.1 for the plug-in's posts (standard library only).

Kinds: "record" answers OK and keeps each post; "fail" answers 500; "hang"
takes the connection and never answers; "closed" is a port where nothing
listens. Each board appends a line to its event file for every connection it
takes, so that a driver can wait until a post is in flight.

Run alone, it serves one kind until killed and prints its URL:
    fake_board.py KIND EVENT_FILE
"""

import http.server
import socket
import sys
import threading
import urllib.parse

ANSWERS = {"record": (200, b"OK\n"), "fail": (500, b"board broken\nsecond line\n")}
MAX_BODY = 1 << 20


class Board:
    def __init__(self, kind, event_file):
        self.kind, self.event_file = kind, event_file
        self.posts = []  # (path, content type, xml field)
        self._lock = threading.Lock()
        self._server = self._listener = None
        self._held = []
        if kind == "closed":
            probe = socket.socket()
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
            probe.close()
        elif kind == "hang":
            self._listener = socket.create_server(("127.0.0.1", 0))
            self.port = self._listener.getsockname()[1]
            threading.Thread(target=self._hold_connections, daemon=True).start()
        else:
            self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), self._handler())
            self.port = self._server.server_address[1]
            threading.Thread(target=self._server.serve_forever, daemon=True).start()

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/api/scores"

    def event(self, text):
        with self._lock, open(self.event_file, "a") as f:
            f.write(text + "\n")

    def _hold_connections(self):
        while True:
            try:
                connection, _ = self._listener.accept()
            except OSError:
                return
            self._held.append(connection)  # read nothing, answer nothing
            self.event("accepted")

    def _handler(self):
        board = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_POST(self):
                board.event("accepted")
                length = min(int(self.headers.get("Content-Length", 0)), MAX_BODY)
                body = self.rfile.read(length).decode("utf-8", "replace")
                fields = urllib.parse.parse_qs(body, keep_blank_values=True)
                with board._lock:
                    board.posts.append((self.path, self.headers.get("Content-Type", ""),
                                        fields.get("xml", [""])[0]))
                status, answer = ANSWERS[board.kind]
                self.send_response(status)
                self.send_header("Content-Type", "text/plain; charset=utf-8")
                self.send_header("Content-Length", str(len(answer)))
                self.end_headers()
                self.wfile.write(answer)

            def log_message(self, *args):
                pass

        return Handler

    def close(self):
        if self._server:
            self._server.shutdown()
            self._server.server_close()
        if self._listener:
            self._listener.close()
        for connection in self._held:
            connection.close()


if __name__ == "__main__":
    served = Board(sys.argv[1], sys.argv[2])
    print(served.url, flush=True)
    threading.Event().wait()
