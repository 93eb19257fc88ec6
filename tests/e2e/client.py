"""Clients of the end-to-end tests besides curl, printing one verdict word per probe
(the words of e2e_fetch in harness.sh):

    client.py url URL...        Python's own HTTP client, which keeps a trailing dot
                                of the host in the TLS server name, as browsers do
    client.py tcp ADDRESS PORT  a TCP connection: passed or refused
    client.py udp ADDRESS PORT  a datagram to an echo server: passed, refused or silent
"""
import errno
import http.client
import socket
import ssl
import sys
import urllib.error
import urllib.parse
import urllib.request

MARK = "tuvora-e2e-origin page of %s<"
REFUSALS = (ConnectionError, http.client.RemoteDisconnected, ssl.SSLError)


def refused(error):
    reason = getattr(error, "reason", error)
    return isinstance(reason, REFUSALS) or getattr(reason, "errno", None) in (errno.ECONNREFUSED, errno.ECONNRESET)


def fetch(url):
    host = urllib.parse.urlsplit(url).netloc.rsplit(":", 1)[0] if "]" not in url else None
    context = ssl.create_default_context()
    context.check_hostname = False
    context.verify_mode = ssl.CERT_NONE
    opener = urllib.request.build_opener(urllib.request.ProxyHandler({}), urllib.request.HTTPSHandler(context=context))
    try:
        with opener.open(url, timeout=10) as response:
            body, code = response.read().decode("utf-8", "replace"), response.status
    except urllib.error.HTTPError as error:
        body, code = error.read().decode("utf-8", "replace"), error.code
    except (urllib.error.URLError, OSError) as error:
        return "refused" if refused(error) else "other:%s" % error
    if host and MARK % host.rstrip(".") in body:
        return "passed"
    if "Tuvora - Access Denied" in body:
        return "banned"
    return "denied" if code == 403 else "other:%s" % code


def connect(kind, address, port):
    family = socket.AF_INET6 if ":" in address else socket.AF_INET
    with socket.socket(family, socket.SOCK_DGRAM if kind == "udp" else socket.SOCK_STREAM) as sock:
        sock.settimeout(3)
        try:
            sock.connect((address, port))
            if kind == "tcp":
                return "passed"
            sock.send(b"tuvora-e2e")
            return "passed" if sock.recv(100) == b"tuvora-e2e" else "other:answer"
        except socket.timeout:
            return "silent"
        except OSError as error:
            # A datagram the local firewall rejects fails at once with EPERM.
            refusals = (errno.ECONNREFUSED, errno.ECONNRESET, errno.EPERM)
            return "refused" if error.errno in refusals else "other:%s" % error


def main():
    if sys.argv[1] == "url":
        for url in sys.argv[2:]:
            print(fetch(url))
    else:
        print(connect(sys.argv[1], sys.argv[2], int(sys.argv[3])))


if __name__ == "__main__":
    main()
