"""The payment page and the control channel of the laboratory."""
import html
import socketserver
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class _Background:
    """A socketserver served on a thread of its own."""

    def _serve(self, server):
        self._server = server
        self.port = server.server_address[1]
        self._thread = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True)

    def start(self):
        self._thread.start()

    def stop(self):
        self._server.shutdown()
        self._server.server_close()


class PaymentPage(_Background):
    """Answers every GET with a small page and records the request line."""

    def __init__(self, log, port=81, host="127.0.0.1"):
        class Handler(BaseHTTPRequestHandler):
            def do_GET(self):
                log.write("GET %s" % self.path)
                body = ("<html><body><h1>Tarvina payment</h1><p>%s</p></body></html>"
                        % html.escape(self.path)).encode("utf-8")
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        server = ThreadingHTTPServer((host, port), Handler)
        server.daemon_threads = True
        self._serve(server)


class ControlChannel(_Background):
    """A TCP port that takes one fault command per line and answers "ok" or
    "error: ..." per line (see faults.Faults.apply)."""

    def __init__(self, faults, log, port=0, host="127.0.0.1"):
        class Handler(socketserver.StreamRequestHandler):
            def handle(self):
                for raw in self.rfile:
                    line = raw.decode("utf-8", "replace").strip()
                    if not line:
                        continue
                    reply = faults.apply(line)
                    log.write("CONTROL %s -> %s" % (line, reply))
                    self.wfile.write((reply + "\n").encode("utf-8"))
                    self.wfile.flush()

        class Server(socketserver.ThreadingTCPServer):
            allow_reuse_address = True
            daemon_threads = True

        self._serve(Server((host, port), Handler))
