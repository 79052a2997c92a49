#!/usr/bin/env python3
"""Times tarnwick-check on a document of web links against loopback servers with latency.

  bench/web_bench.py build/src/tarnwick-check [--links 200] [--hosts 10] [--latency-ms 50]

The servers of tests/support/loopback_servers.py run on 127.0.0.1 .. 127.0.0.H; one link in five
names a missing page. Prints the wall time of the whole check and the requests the servers saw:
one per link plus one not-found probe per host.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
SERVERS = os.path.join(HERE, "..", "tests", "support", "loopback_servers.py")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("checker")
    parser.add_argument("--links", type=int, default=200)
    parser.add_argument("--hosts", type=int, default=10)
    parser.add_argument("--latency-ms", type=float, default=50)
    parser.add_argument("--jobs", type=int, default=0, help="passed as --jobs N when given")
    args = parser.parse_args()

    hosts = ["127.0.0.%d" % (i + 1) for i in range(args.hosts)]
    server = subprocess.Popen(["/usr/bin/python3", SERVERS, "--hosts", ",".join(hosts), "--lifetime", "600",
                               "--latency-ms", str(args.latency_ms)], stdout=subprocess.PIPE, text=True)
    try:
        ready = server.stdout.readline().split()
        ports = dict(item.split("=") for item in ready[1:])
        port = int(ports["http"])
        with tempfile.TemporaryDirectory() as folder:
            doc = os.path.join(folder, "doc.html")
            with open(doc, "w", encoding="cp932") as f:
                f.write("<html><body>\n")
                for i in range(args.links):
                    kind = "missing" if i % 5 == 4 else "ok"
                    f.write('<a href="http://%s:%d/%s/page%d.html">%d</a>\n' % (hosts[i % len(hosts)], port, kind, i, i))
                f.write("</body></html>\n")
            command = [args.checker] + (["--jobs", str(args.jobs)] if args.jobs else []) + [doc]
            start = time.monotonic()
            result = subprocess.run(command, capture_output=True, text=True, timeout=1800)
            seconds = time.monotonic() - start
        stats = json.load(urllib.request.urlopen("http://127.0.0.1:%d/__stats" % port))
        requests = sum(sum(counts.values()) for counts in stats.values())
        codes = [line.split("\t")[1] for line in result.stdout.splitlines()]
        print("links %d over %d hosts, latency %g ms" % (args.links, args.hosts, args.latency_ms))
        print("full check: %.2f s (exit %d)" % (seconds, result.returncode))
        print("requests: %d (links + hosts = %d)" % (requests, args.links + args.hosts))
        print("codes: %d OK (-1), %d NG (100)" % (codes.count("-1"), codes.count("100")))
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
