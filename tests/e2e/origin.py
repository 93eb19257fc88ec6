"""Web servers of the end-to-end tests' own domains, on one loopback address of the
test's network namespace: plain HTTP on port 80 and HTTPS on port 443.

Every page names the host it was asked for, so a client can tell a page that came
from here from anything the proxy or the filter answered instead. The path
/say/WORD puts the (URL-decoded, UTF-8) WORD into the page, for the banned words.
"""
import http.server
import socketserver
import ssl
import sys
import threading
import urllib.parse

MARK = "tuvora-e2e-origin"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        host = self.headers.get("Host", "").split(":")[0]
        text = ""
        if self.path.startswith("/say/"):
            text = urllib.parse.unquote(self.path[len("/say/"):])
        body = ("<html><head><title>%s</title></head><body><p>%s page of %s</p><p>%s</p></body></html>\n"
                % (host, MARK, host, text)).encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.headers.get("Host", "-") if hasattr(self, "headers") else "-", fmt % args))


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    address, cert, key = sys.argv[1], sys.argv[2], sys.argv[3]
    plain = Server((address, 80), Handler)
    secure = Server((address, 443), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for server in (plain, secure):
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print("listening", flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
