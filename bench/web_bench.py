#!/usr/bin/env python3
"""Times tarnwick-check on a document of web links against loopback servers with latency.

  bench/web_bench.py build/src/tarnwick-check [--links 200] [--hosts 10] [--latency-ms 50] [--jobs 1,16]
                    [--big-behind-stall]
  bench/web_bench.py --window build/bench/bench_navigation [--links 200] [--answer-ms 500]

The servers of tests/support/loopback_servers.py run on 127.0.0.1 .. 127.0.0.H; one link in five
names a missing page. With --big-behind-stall the first link stalls and every other link is a 20 MiB
(--big-mib) page (judged on its first 4 MiB): what the check holds while it waits for the first link shows in the
peak memory printed. The same document is checked once per --jobs value (passed as --jobs N). For each
run it prints the wall time of the whole check, the requests the servers saw (one per link plus one
not-found probe per host), the most requests in progress at once (in all and to one host) and the codes;
at the end whether every run gave the same codes and made the same requests.

With --window the window's load of a page of --links links to one server that answers each after
--answer-ms is timed instead (bench_navigation --slow-links): when its text is on screen, when the
first and the last verdict are shown.
"""
import argparse
import json
import os
import resource
import subprocess
import sys
import tempfile
import time
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
SERVERS = os.path.join(HERE, "..", "tests", "support", "loopback_servers.py")


def read_json(port, path):
    return json.load(urllib.request.urlopen("http://127.0.0.1:%d%s" % (port, path)))


def request_counts(port):
    stats = read_json(port, "/__stats")
    return {(host, key): count for host, counts in stats.items() for key, count in counts.items()}


def write_document(path, links, hosts, port, big_behind_stall):
    with open(path, "w", encoding="cp932") as f:
        f.write("<html><body>\n")
        if big_behind_stall:
            f.write('<a href="http://%s:%d/stall/first.html">stall</a>\n' % (hosts[0], port))
        for i in range(links):
            kind = "big" if big_behind_stall else "missing" if i % 5 == 4 else "ok"
            f.write('<a href="http://%s:%d/%s/page%d.html">%d</a>\n' % (hosts[i % len(hosts)], port, kind, i, i))
        f.write("</body></html>\n")


def run_once(checker, jobs, doc, port):
    before = request_counts(port)
    read_json(port, "/__inflight")  # starts the peaks afresh
    start = time.monotonic()
    result = subprocess.run([checker, "--format", "tsv", "--jobs", str(jobs), doc], capture_output=True, text=True, timeout=1800)
    seconds = time.monotonic() - start
    inflight = read_json(port, "/__inflight")
    after = request_counts(port)
    made = {key: count - before.get(key, 0) for key, count in after.items() if count != before.get(key, 0)}
    codes = [line.split("\t")[1] for line in result.stdout.splitlines()]
    peak_mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    print("--jobs %d: %.2f s (exit %d), %d requests, at most %d at once, %d to one host; %d OK (-1), %d NG (100);"
          " peak memory of any run so far %.0f MB"
          % (jobs, seconds, result.returncode, sum(made.values()), inflight["all"],
             max(inflight["hosts"].values(), default=0), codes.count("-1"), codes.count("100"), peak_mb))
    return codes, made


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("checker")
    parser.add_argument("--links", type=int, default=200)
    parser.add_argument("--hosts", type=int, default=10)
    parser.add_argument("--latency-ms", type=float, default=50)
    parser.add_argument("--jobs", default="1,256", help="comma-separated --jobs values, one run each")
    parser.add_argument("--big-behind-stall", action="store_true")
    parser.add_argument("--big-mib", type=int, default=20, help="size of each big page with --big-behind-stall")
    parser.add_argument("--window", action="store_true", help="the checker is bench_navigation")
    parser.add_argument("--answer-ms", type=int, default=500)
    args = parser.parse_args()

    hosts = ["127.0.0.%d" % (i + 1) for i in range(args.hosts)]
    server = subprocess.Popen(["/usr/bin/python3", SERVERS, "--hosts", ",".join(hosts), "--lifetime", "600",
                               "--latency-ms", str(args.latency_ms), "--big-mib", str(args.big_mib)],
                              stdout=subprocess.PIPE, text=True)
    try:
        ready = server.stdout.readline().split()
        ports = dict(item.split("=") for item in ready[1:])
        port = int(ports["http"])
        if args.window:
            prefix = "http://%s:%d/delay/%d/ok/page" % (hosts[0], port, args.answer_ms)
            return subprocess.run([args.checker, "--slow-links", prefix, str(args.links)], timeout=1800).returncode
        print("links %d over %d hosts, latency %g ms; expected requests: links + hosts = %d"
              % (args.links, args.hosts, args.latency_ms, args.links + args.hosts))
        with tempfile.TemporaryDirectory() as folder:
            doc = os.path.join(folder, "doc.html")
            write_document(doc, args.links, hosts, port, args.big_behind_stall)
            runs = [run_once(args.checker, int(jobs), doc, port) for jobs in args.jobs.split(",")]
        same_codes = all(codes == runs[0][0] for codes, _ in runs)
        same_requests = all(made == runs[0][1] for _, made in runs)
        print("same codes in every run: %s; same requests in every run: %s"
              % ("yes" if same_codes else "NO", "yes" if same_requests else "NO"))
        return 0 if same_codes and same_requests else 1
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
