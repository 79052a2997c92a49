#!/usr/bin/python3
"""HTTP, HTTPS and FTP test servers on loopback addresses, for the transfer and link-check tests.

Every address given with --hosts serves all three protocols on the same three ports. Once listening,
one line goes to standard output:

    READY http=PORT https=PORT ftp=PORT

The process exits by itself after --lifetime seconds; every slow behaviour below has its own bound too.
Only loopback addresses (127.0.0.0/8, ::1) are accepted.

HTTP and HTTPS paths (GET and HEAD):
  /ok/NAME               200, Server, Date, Last-Modified, HTML body naming the path
  /noheaders/NAME        hand-written HTTP/1.0 200 with Content-Type only (no Server, Date, Last-Modified)
  /redirect/REST         301 to /REST
  /redirect-to/ADDR/REST 301 to the same scheme and port on ADDR (one of --hosts), path /REST
  /redirect-file/REST    301 to file:///etc/passwd
  /redirect-ftp/REST     301 to ftp://ADDR:FTP_PORT/REST on the same address
  /moved/CODE/REST       CODE (301, 302, 303, 307 or 308) to /REST
  /big/NAME              200, 20 MiB (--big-mib) generated on the fly; NAME ending .exe is application/octet-stream
  /bigpause/NAME         as /big, with a pause of a second after the first 3 MiB: many bodies in flight at once
  /gzip/NAME             200, gzip-encoded HTML body naming the path
  /bomb/NAME             200, gzip-encoded body that expands to 100 MiB of zeros
  /stall/NAME            accepts, never answers, closes after STALL_BOUND seconds
  /slowbody/NAME         200 with Content-Length 60, then one byte a second
  /slowerbody/NAME       as /slowbody, one byte every two seconds: slower than a byte a second, never silent
  /bigstall/NAME         as /big, then silent for STALL_BOUND seconds after the first MiB
  /http09/NAME           an answer without a status line or headers (HTTP/0.9)
  /badstatus/NAME        an answer whose status line has no status code
  /hugeheader/NAME       200 with a header line of 300 KB
  /echo-request/NAME     200, text/plain: the raw request line, then the request header lines
  /document/NAME         200, an HTML document in CP932 with a NAME anchor and links: in-page, relative
                         (one existing, one missing), absolute to /ok/ on the same address
  /bytes/CHARSET/HEX     200, Last-Modified, the body given as hexadecimal digits (HEX), Content-Type
                         "text/html; charset=CHARSET", or "text/html" for the CHARSET "-"
  /delay/MS/REST         waits MS milliseconds (at most 5000), then answers as /REST would
  /query/NAME?QUERY      200 naming /query/NAME: the query is ignored, whatever it holds (a NAME ending
                         with a full stop is "anything else", as below)
  /busy/CODE/SECS/REST   the first request for this exact path on an address: CODE (429 or 503) with
                         Retry-After: SECS; every later one answers as /REST would
  /status/CODE/NAME      CODE (400 to 999) with Server and Date, an HTML body naming the path
  /header/NAME/VALUE     200 when the request carries the header NAME with VALUE (User-Agent included),
                         else 403: a host that wants a token, or a site that refuses unknown programs
  /__stats               JSON {address: {"METHOD /path": count}} of every request so far (not counted)
  /__inflight            JSON {"all": N, "hosts": {address: N}}: the most HTTP(S) requests in progress at
                         once since the last /__inflight, in all and per address (not counted); each
                         request counts from its arrival until its answer is written
  anything else          404 whose HTML body echoes the requested path
A request target ending with a full stop (e.g. /ok/a.html......) is "anything else" whatever its prefix:
no real file name ends with one, so a name with dots appended probes a host's not-found answer.

Host roles (these override the paths above, except /__stats and /__inflight):
  --soft404 ADDR         every path answers 200 with one constant body
  --plain404 ADDR        every path answers 404 with one constant body that does not name the path

FTP: anonymous, read-only; small.txt (text) and big.bin (5 MiB); a missing file gives 550. Replies to
EPSV and PASV come after a 5 ms pause.
Retrievals are counted in the stats as "RETR /file".

HTTPS: a CA and a server certificate for all --hosts are generated at start-up with the openssl
command into --tls-dir; clients trust TLS_DIR/ca.pem.
"""

import argparse
import gzip
import html
import ipaddress
import json
import logging
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
from email.utils import formatdate
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

STALL_BOUND = 60
SLOW_BODY_BYTES = 60
BIG_BYTES = 20 * 1024 * 1024
BIG_PAUSE_AFTER = 3 * 1024 * 1024
BOMB_BYTES = 100 * 1024 * 1024
FTP_BIG_BYTES = 5 * 1024 * 1024
LAST_MODIFIED = "Wed, 01 Jan 2020 00:00:00 GMT"
SOFT404_BODY = b"<html><body><h1>Welcome</h1><p>Everything is here.</p></body></html>\n"
PLAIN404_BODY = b"<html><body><h1>Not Found</h1></body></html>\n"
SERVER_NAME = "LoopbackTest/1.0"


class Stats:
    def __init__(self):
        self._lock = threading.Lock()
        self._counts = {}

    def count(self, host, key):
        with self._lock:
            per_host = self._counts.setdefault(host, {})
            per_host[key] = per_host.get(key, 0) + 1

    def seen(self, host, key):
        with self._lock:
            return self._counts.get(host, {}).get(key, 0)

    def json(self):
        with self._lock:
            return json.dumps(self._counts, sort_keys=True).encode()


STATS = Stats()


class InFlight:
    """Requests in progress now and the most at once, in all and per address."""

    def __init__(self):
        self._lock = threading.Lock()
        self._now = {}
        self._peak = {}
        self._all_now = 0
        self._all_peak = 0

    def enter(self, host):
        with self._lock:
            self._now[host] = self._now.get(host, 0) + 1
            self._peak[host] = max(self._peak.get(host, 0), self._now[host])
            self._all_now += 1
            self._all_peak = max(self._all_peak, self._all_now)

    def leave(self, host):
        with self._lock:
            self._now[host] -= 1
            self._all_now -= 1

    def json_and_restart(self):
        # The peaks start again from what is in progress now, so each reader sees its own span.
        with self._lock:
            answer = json.dumps({"all": self._all_peak, "hosts": self._peak}, sort_keys=True).encode()
            self._peak = {host: count for host, count in self._now.items() if count}
            self._all_peak = self._all_now
            return answer


IN_FLIGHT = InFlight()
DELAY_BOUND_MS = 5000
_bomb_lock = threading.Lock()
_bomb = None


def bomb_body():
    global _bomb
    with _bomb_lock:
        if _bomb is None:
            _bomb = gzip.compress(bytes(BOMB_BYTES), compresslevel=9)
        return _bomb


def big_chunks(total, block=64 * 1024):
    pattern = (b"0123456789abcdef" * (block // 16))[:block]
    sent = 0
    while sent < total:
        part = pattern[: min(block, total - sent)]
        sent += len(part)
        yield part


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = 30  # idle keep-alive connections close by themselves

    def log_message(self, format, *args):
        pass

    def version_string(self):
        return SERVER_NAME

    def do_GET(self):
        self.answer(with_body=True)

    def do_HEAD(self):
        self.answer(with_body=False)

    def answer(self, with_body):
        host = self.server.host
        path = self.path
        if path == "/__stats":
            return self.send_simple(200, "application/json", STATS.json(), with_body)
        if path == "/__inflight":
            return self.send_simple(200, "application/json", IN_FLIGHT.json_and_restart(), with_body)
        STATS.count(host, "%s %s" % (self.command, path))
        IN_FLIGHT.enter(host)
        try:
            if LATENCY_SECONDS:
                time.sleep(LATENCY_SECONDS)
            self.dispatch(path, with_body)
        finally:
            IN_FLIGHT.leave(host)

    def dispatch(self, path, with_body):
        host = self.server.host
        if host == self.server.roles.get("soft404"):
            return self.send_simple(200, "text/html", SOFT404_BODY, with_body)
        if host == self.server.roles.get("plain404"):
            return self.send_simple(404, "text/html", PLAIN404_BODY, with_body)
        kind, _, rest = path[1:].partition("/")
        if kind == "query":
            # Like a script that reads only the parameters it knows: the query changes nothing.
            path = path.partition("?")[0]
        route = ROUTES.get(kind) if rest and not path.endswith(".") else None
        if route is None:
            return self.not_found(with_body)
        route(self, rest, with_body)

    # -- answers -----------------------------------------------------------------------------------

    def send_simple(self, status, content_type, body, with_body, extra=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def not_found(self, with_body):
        # Like a classic server error page: the body names the path that was asked for.
        body = ("<html><body><h1>Not Found</h1><p>The requested URL %s was not found on this server.</p>"
                "</body></html>\n" % html.escape(self.path)).encode()
        self.send_simple(404, "text/html", body, with_body)

    def page(self, label):
        return ("<html><body><p>%s %s</p></body></html>\n" % (label, html.escape(self.path))).encode()

    def ok(self, rest, with_body):
        self.send_simple(200, "text/html", self.page("ok"), with_body, [("Last-Modified", LAST_MODIFIED)])

    def no_headers(self, rest, with_body):
        body = self.page("noheaders")
        self.wfile.write(b"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + (body if with_body else b""))
        self.close_connection = True

    def redirect(self, location, with_body, status=301):
        self.send_simple(status, "text/html", b"<html><body>Moved</body></html>\n", with_body,
                         [("Location", location)])

    def moved(self, rest, with_body):
        code, _, target = rest.partition("/")
        if code not in ("301", "302", "303", "307", "308"):
            return self.not_found(with_body)
        self.redirect("/" + target, with_body, int(code))

    def redirect_same_host(self, rest, with_body):
        self.redirect("/" + rest, with_body)

    def redirect_to(self, rest, with_body):
        address, _, target = rest.partition("/")
        if address not in self.server.all_hosts:
            return self.not_found(with_body)
        scheme = "https" if self.server.tls else "http"
        self.redirect("%s://%s:%d/%s" % (scheme, url_host(address), self.server.port, target), with_body)

    def redirect_file(self, rest, with_body):
        self.redirect("file:///etc/passwd", with_body)

    def redirect_ftp(self, rest, with_body):
        self.redirect("ftp://%s:%d/%s" % (url_host(self.server.host), self.server.ftp_port, rest), with_body)

    def big(self, rest, with_body, pause_after=None, pause_seconds=1):
        content_type = "application/octet-stream" if rest.lower().endswith(".exe") else "text/html"
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(BIG_BYTES))
        self.end_headers()
        if with_body:
            sent = 0
            for part in big_chunks(BIG_BYTES):
                if sent == pause_after:
                    self.wfile.flush()
                    time.sleep(pause_seconds)
                self.wfile.write(part)
                sent += len(part)

    def big_with_pause(self, rest, with_body):
        self.big(rest, with_body, pause_after=BIG_PAUSE_AFTER)

    def big_with_stall(self, rest, with_body):
        self.big(rest, with_body, pause_after=1024 * 1024, pause_seconds=STALL_BOUND)

    def raw_answer(self, answer):
        self.wfile.write(answer)
        self.close_connection = True

    def http09(self, rest, with_body):
        self.raw_answer(b"<html><body>no status line</body></html>\n")

    def bad_status(self, rest, with_body):
        self.raw_answer(b"HTTP/1.1 abc\r\nServer: loopback\r\nContent-Length: 2\r\n\r\nhi")

    def huge_header(self, rest, with_body):
        self.raw_answer(b"HTTP/1.1 200 OK\r\nServer: loopback\r\nX-Huge: " + b"a" * 300000 + b"\r\n\r\n")

    def gzipped(self, rest, with_body):
        body = gzip.compress(self.page("gzip") * 50)
        self.send_simple(200, "text/html", body, with_body, [("Content-Encoding", "gzip")])

    def bomb(self, rest, with_body):
        self.send_simple(200, "text/html", bomb_body(), with_body, [("Content-Encoding", "gzip")])

    def stall(self, rest, with_body):
        time.sleep(STALL_BOUND)
        self.close_connection = True

    def slow_body(self, rest, with_body, seconds_per_byte=1):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(SLOW_BODY_BYTES))
        self.end_headers()
        self.wfile.flush()
        if not with_body:
            return
        for _ in range(SLOW_BODY_BYTES):
            self.wfile.write(b"x")
            self.wfile.flush()
            time.sleep(seconds_per_byte)

    def slower_body(self, rest, with_body):
        self.slow_body(rest, with_body, seconds_per_byte=2)

    def document(self, rest, with_body):
        # A page to open by URL: its links resolve against the URL's folder.
        own = "%s://%s:%d" % ("https" if self.server.tls else "http", url_host(self.server.host),
                              self.server.server_address[1])
        text = ("<html><body><h1><a name=\"top\">文書</a></h1>\r\n"
                "<a href=\"#top\">top</a>\r\n<a href=\"../ok/relative.html\">relative</a>\r\n"
                "<a href=\"../missing/gone.html\">gone</a>\r\n<a href=\"%s/ok/absolute.html\">absolute</a>\r\n"
                "</body></html>\r\n" % own)
        self.send_simple(200, "text/html", text.encode("cp932"), with_body, [("Last-Modified", LAST_MODIFIED)])

    def raw_bytes(self, rest, with_body):
        # A document in any encoding, byte for byte as the test built it, with the header it chose.
        charset, _, digits = rest.partition("/")
        try:
            body = bytes.fromhex(digits)
        except ValueError:
            return self.not_found(with_body)
        content_type = "text/html" if charset == "-" else "text/html; charset=%s" % charset
        self.send_simple(200, content_type, body, with_body, [("Last-Modified", LAST_MODIFIED)])

    def delayed(self, rest, with_body):
        millis, _, target = rest.partition("/")
        try:
            seconds = max(0.0, min(float(millis), DELAY_BOUND_MS)) / 1000.0
        except ValueError:
            return self.not_found(with_body)
        time.sleep(seconds)
        self.dispatch("/" + target, with_body)

    def ignored_query(self, rest, with_body):
        page = ("<html><body><p>ok %s</p></body></html>\n" % html.escape(self.path.partition("?")[0])).encode()
        self.send_simple(200, "text/html", page, with_body, [("Last-Modified", LAST_MODIFIED)])

    def busy(self, rest, with_body):
        code, _, rest = rest.partition("/")
        seconds, _, target = rest.partition("/")
        if code not in ("429", "503") or not target:
            return self.not_found(with_body)
        if STATS.seen(self.server.host, "%s %s" % (self.command, self.path)) == 1:
            return self.send_simple(int(code), "text/html", b"<html><body>Busy</body></html>\n", with_body,
                                    [("Retry-After", seconds)])
        self.dispatch("/" + target, with_body)

    def status(self, rest, with_body):
        code, _, name = rest.partition("/")
        if not code.isdigit() or not 400 <= int(code) <= 999 or not name:
            return self.not_found(with_body)
        self.send_simple(int(code), "text/html", self.page("status"), with_body)

    def wants_header(self, rest, with_body):
        name, _, value = rest.partition("/")
        if self.headers.get(name) == value:
            return self.ok(rest, with_body)
        self.send_simple(403, "text/html", self.page("forbidden"), with_body)

    def echo_request(self, rest, with_body):
        received = self.raw_requestline + self.headers.as_bytes()
        self.send_simple(200, "text/plain", received, with_body)


ROUTES = {
    "ok": Handler.ok,
    "noheaders": Handler.no_headers,
    "redirect": Handler.redirect_same_host,
    "redirect-to": Handler.redirect_to,
    "redirect-file": Handler.redirect_file,
    "redirect-ftp": Handler.redirect_ftp,
    "moved": Handler.moved,
    "big": Handler.big,
    "bigpause": Handler.big_with_pause,
    "gzip": Handler.gzipped,
    "bomb": Handler.bomb,
    "stall": Handler.stall,
    "slowbody": Handler.slow_body,
    "slowerbody": Handler.slower_body,
    "bigstall": Handler.big_with_stall,
    "http09": Handler.http09,
    "badstatus": Handler.bad_status,
    "hugeheader": Handler.huge_header,
    "echo-request": Handler.echo_request,
    "status": Handler.status,
    "header": Handler.wants_header,
    "document": Handler.document,
    "bytes": Handler.raw_bytes,
    "delay": Handler.delayed,
    "busy": Handler.busy,
    "query": Handler.ignored_query,
}


class LoopbackHttpServer(ThreadingHTTPServer):
    """Serves on a socket bound beforehand, so every address shares one port; TLS per connection."""

    daemon_threads = True

    def __init__(self, listening, host, all_hosts, roles, tls_context, ftp_port):
        super().__init__(listening.getsockname()[:2], Handler, bind_and_activate=False)
        self.socket.close()
        self.socket = listening
        self.host = host
        self.all_hosts = all_hosts
        self.roles = roles
        self.port = listening.getsockname()[1]
        self.tls = tls_context
        self.ftp_port = ftp_port

    def finish_request(self, request, client_address):
        # The handshake runs in the connection's own thread, so a silent client blocks nobody else.
        if self.tls is None:
            return super().finish_request(request, client_address)
        request.settimeout(10)
        try:
            wrapped = self.tls.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        try:
            super().finish_request(wrapped, client_address)
        finally:
            wrapped.close()

    def handle_error(self, request, client_address):
        pass  # clients that stop reading (byte caps, cancels) are expected


def url_host(address):
    return "[%s]" % address if ":" in address else address


def check_loopback(hosts):
    for host in hosts:
        try:
            if not ipaddress.ip_address(host).is_loopback:
                raise ValueError
        except ValueError:
            sys.exit("refusing to listen on %r: only loopback addresses are allowed" % host)


def bind_same_port(hosts, attempts=50):
    """Listening sockets on every host with one shared, free port."""
    for _ in range(attempts):
        sockets = []
        port = 0
        try:
            for host in hosts:
                family = socket.AF_INET6 if ":" in host else socket.AF_INET
                sock = socket.socket(family, socket.SOCK_STREAM)
                sockets.append(sock)
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                sock.bind((host, port))
                sock.listen(64)
                port = sock.getsockname()[1]
            return sockets, port
        except OSError:
            for sock in sockets:
                sock.close()
    sys.exit("no port free on all of %s" % ", ".join(hosts))


def make_tls_context(hosts, tls_dir):
    ca_key, ca_pem = os.path.join(tls_dir, "ca.key"), os.path.join(tls_dir, "ca.pem")
    key, csr, pem = (os.path.join(tls_dir, name) for name in ("server.key", "server.csr", "server.pem"))
    ext = os.path.join(tls_dir, "server.ext")
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    run = lambda *args: subprocess.run(["openssl", *args], check=True, capture_output=True)
    run("req", "-x509", *ec, "-keyout", ca_key, "-out", ca_pem, "-days", "2", "-subj", "/CN=Loopback Test CA",
        "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    run("req", *ec, "-keyout", key, "-out", csr, "-subj", "/CN=%s" % hosts[0])
    names = ",".join(["IP:%s" % host for host in hosts] + ["DNS:localhost"])
    with open(ext, "w") as f:
        f.write("subjectAltName=%s\nbasicConstraints=CA:FALSE\nkeyUsage=digitalSignature\n"
                "extendedKeyUsage=serverAuth\n" % names)
    run("x509", "-req", "-in", csr, "-CA", ca_pem, "-CAkey", ca_key, "-CAcreateserial", "-out", pem,
        "-days", "2", "-extfile", ext)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(pem, key)
    return context


def make_ftp_root(ftp_dir):
    os.makedirs(ftp_dir, exist_ok=True)
    with open(os.path.join(ftp_dir, "small.txt"), "wb") as f:
        f.write(b"small file served over FTP\n")
    with open(os.path.join(ftp_dir, "big.bin"), "wb") as f:
        for part in big_chunks(FTP_BIG_BYTES):
            f.write(part)


def start_ftp(listening, ftp_dir):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.log import config_logging
    from pyftpdlib.servers import FTPServer

    config_logging(level=logging.WARNING)

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(ftp_dir, perm="elr")

    class CountingHandler(FTPHandler):
        def ftp_RETR(self, file):
            STATS.count(self.socket.getsockname()[0], "RETR /" + os.path.relpath(file, ftp_dir))
            return super().ftp_RETR(file)

        # The passive-mode replies come after a pause, as over any real network. libcurl before 8.4 leaves a
        # transfer waiting for its connect time-out when such a reply is there the moment it has sent the
        # command (the hang fixed by curl's pull request 12042), which on loopback happens now and then.
        def ftp_EPSV(self, line):
            time.sleep(PASSIVE_REPLY_PAUSE)
            return super().ftp_EPSV(line)

        def ftp_PASV(self, line):
            time.sleep(PASSIVE_REPLY_PAUSE)
            return super().ftp_PASV(line)

    CountingHandler.authorizer = authorizer
    CountingHandler.banner = "loopback test FTP ready"
    CountingHandler.timeout = 30
    servers = [FTPServer(sock, CountingHandler) for sock in listening]
    # All FTPServer objects share pyftpdlib's default IOLoop; serving one serves them all.
    threading.Thread(target=servers[0].serve_forever, kwargs={"handle_exit": False}, daemon=True).start()


PASSIVE_REPLY_PAUSE = 0.005

# Set from --latency-ms: every HTTP answer but /__stats waits this long, like a distant server.
LATENCY_SECONDS = 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--hosts", default="127.0.0.1", help="comma-separated loopback addresses")
    parser.add_argument("--soft404", default="", help="address answering every path with 200")
    parser.add_argument("--plain404", default="", help="address answering every path with one 404 body")
    parser.add_argument("--lifetime", type=float, default=120, help="seconds before the process exits")
    parser.add_argument("--tls-dir", help="folder for the generated CA and certificate (default: a temp dir)")
    parser.add_argument("--ftp-dir", help="folder for the served FTP files (default: a temp dir)")
    parser.add_argument("--latency-ms", type=float, default=0, help="wait before every HTTP answer (benchmarks)")
    parser.add_argument("--big-mib", type=int, default=20, help="size of the /big pages in MiB (benchmarks)")
    args = parser.parse_args()
    global LATENCY_SECONDS, BIG_BYTES
    LATENCY_SECONDS = max(0.0, min(args.latency_ms, 10000.0)) / 1000.0
    BIG_BYTES = max(1, min(args.big_mib, 1024)) * 1024 * 1024

    hosts = [host.strip() for host in args.hosts.split(",") if host.strip()]
    roles = {"soft404": args.soft404, "plain404": args.plain404}
    check_loopback(hosts + [role for role in roles.values() if role])
    lifetime = max(1.0, min(args.lifetime, 3600.0))
    tls_dir = args.tls_dir or tempfile.mkdtemp(prefix="loopback-tls-")
    ftp_dir = args.ftp_dir or tempfile.mkdtemp(prefix="loopback-ftp-")

    tls_context = make_tls_context(hosts, tls_dir)
    make_ftp_root(ftp_dir)

    ports = {}
    ftp_listening, ports["ftp"] = bind_same_port(hosts)
    start_ftp(ftp_listening, ftp_dir)
    for scheme, context in (("http", None), ("https", tls_context)):
        listening, ports[scheme] = bind_same_port(hosts)
        for sock, host in zip(listening, hosts):
            server = LoopbackHttpServer(sock, host, hosts, roles, context, ports["ftp"])
            threading.Thread(target=server.serve_forever, daemon=True).start()

    print("READY http=%d https=%d ftp=%d" % (ports["http"], ports["https"], ports["ftp"]), flush=True)
    time.sleep(lifetime)
    os._exit(0)


if __name__ == "__main__":
    main()
