"""Web servers of the end-to-end tests' own domains, on addresses of the test's
network namespace: plain HTTP on ports 80, 8000 and 53 (a stand-in for DNS over TCP),
HTTPS on port 443, and a UDP echo on port 443 (a stand-in for QUIC).

    origin.py CERT KEY ADDRESS...

Every page names the host it was asked for, so a client can tell a page that came
from here from anything the proxy or the filter answered instead. The path /say/WORD
puts the (URL-decoded, UTF-8) WORD into the page, for the banned words; /form/KIND/WORD
writes it the way real pages do (see FORMS).
"""
import gzip
import html.entities
import http.server
import json
import socket
import socketserver
import ssl
import sys
import threading
import urllib.parse

MARK = "tuvora-e2e-origin"
HTML = "<html><head><title>%s</title></head><body><p>%s page of %s</p><p>%s</p></body></html>\n"
FILLER = "<p>" + "lorem ipsum dolor sit amet " * 36 + "</p>\n"


def references(word, reference):
    return "".join(reference(c) if ord(c) > 127 else c for c in word)


def page(host, text, content_type="text/html; charset=utf-8", encoding="utf-8"):
    return (HTML % (host, MARK, host, text)).encode(encoding), content_type


def big_page(host, word, mebibytes):
    filler = FILLER * (mebibytes * 1024 * 1024 // len(FILLER))
    return page(host, filler + word)


def data_page(host, text, content_type, script=False):
    value = json.dumps({"page": "%s page of %s</p>" % (MARK, host), "text": text}, ensure_ascii=script)
    if script:
        return ("var data = %s;\n" % value).encode(), content_type
    return value.encode(), content_type


# Each KIND: the page's bytes and content type for a host and a word.
FORMS = {
    "upper": lambda h, w: page(h, w.upper()),
    "title": lambda h, w: page(h, w.capitalize()),
    "latin1": lambda h, w: page(h, w, "text/html; charset=iso-8859-1", "latin-1"),
    "latin1upper": lambda h, w: page(h, w.upper(), "text/html; charset=iso-8859-1", "latin-1"),
    "named": lambda h, w: page(h, references(w, lambda c: "&%s;" % html.entities.codepoint2name[ord(c)])),
    "decimal": lambda h, w: page(h, references(w, lambda c: "&#%d;" % ord(c))),
    "hex": lambda h, w: page(h, references(w.upper(), lambda c: "&#x%X;" % ord(c))),
    "tags": lambda h, w: page(h, w[: len(w) // 2] + "<b>" + w[len(w) // 2 :] + "</b>"),
    "json": lambda h, w: data_page(h, w, "application/json"),
    "jsonescaped": lambda h, w: data_page(h, w, "application/json", script=True),
    "javascript": lambda h, w: data_page(h, w, "application/javascript", script=True),
    "xhtml": lambda h, w: page(h, w, "application/xhtml+xml"),
    "big3": lambda h, w: big_page(h, w, 3),
    "big8": lambda h, w: big_page(h, w, 8),
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        host = self.headers.get("Host", "")
        # Named without a trailing dot: the filter drops it from the Host header anyway.
        host = host[: host.index("]") + 1] if host.startswith("[") else host.split(":")[0].rstrip(".")
        body, content_type = page(host, "")
        encoding = None
        if self.path.startswith("/say/"):
            body, content_type = page(host, urllib.parse.unquote(self.path[len("/say/") :]))
        elif self.path.startswith("/form/"):
            kind, _, word = self.path[len("/form/") :].partition("/")
            word = urllib.parse.unquote(word)
            if kind == "gzip":
                body, content_type = page(host, word)
                body, encoding = gzip.compress(body), "gzip"
            elif kind in FORMS:
                body, content_type = FORMS[kind](host, word)
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.headers.get("Host", "-") if hasattr(self, "headers") else "-", fmt % args))


class Echo(socketserver.BaseRequestHandler):
    def handle(self):
        data, sock = self.request
        sock.sendto(data, self.client_address)


def family(address):
    return socket.AF_INET6 if ":" in address else socket.AF_INET


def servers(address, context):
    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True
        address_family = family(address)

    class Udp(socketserver.ThreadingUDPServer):
        allow_reuse_address = True
        address_family = family(address)

    result = [Server((address, port), Handler) for port in (80, 443, 8000, 53)]
    result[1].socket = context.wrap_socket(result[1].socket, server_side=True)
    result.append(Udp((address, 443), Echo))
    return result


def main():
    cert, key, addresses = sys.argv[1], sys.argv[2], sys.argv[3:]
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    for address in addresses:
        for server in servers(address, context):
            threading.Thread(target=server.serve_forever, daemon=True).start()
    print("listening", flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
