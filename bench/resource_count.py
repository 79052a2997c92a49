#!/usr/bin/env python3
"""Counts the addresses HTML pages load, as tarnwick-check --resources finds them and as Python's
html.parser finds the same attributes, and prints both counts.

  bench/resource_count.py build/src/tarnwick-check FOLDER_OR_PAGE

The attributes: IMG SRC and each SRCSET candidate, LINK HREF, SCRIPT SRC, IFRAME and FRAME SRC, SOURCE SRC
and SRCSET, VIDEO SRC and POSTER, AUDIO, TRACK and EMBED SRC, OBJECT DATA, INPUT SRC (type image),
AREA HREF, and the URL of <meta http-equiv=refresh>. Pages are read as tarnwick-check reads a folder
with -r: every *.htm and *.html file below it. Run it without network (unshare -n): web addresses are
checked, and only counted here.
"""
import html.parser
import json
import os
import re
import subprocess
import sys

SINGLE = {("img", "src"), ("link", "href"), ("script", "src"), ("iframe", "src"), ("frame", "src"),
          ("source", "src"), ("video", "src"), ("video", "poster"), ("audio", "src"), ("track", "src"),
          ("embed", "src"), ("object", "data"), ("area", "href")}
SOURCE_SETS = {("img", "srcset"), ("source", "srcset")}


def source_set_urls(value):
    urls = []
    for candidate in re.finditer(r"[\s,]*(\S+)", value):
        url = candidate.group(1).rstrip(",")
        if url:
            urls.append(url)
    # Descriptors ("2x", "480w") follow a URL after a blank: they are no URLs.
    return [u for u in urls if not re.fullmatch(r"[\d.]+[wxh]|\(.*", u)]


class Counter(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.count = 0

    def handle_starttag(self, tag, attrs):
        first = {}
        for name, value in attrs:
            first.setdefault(name, value)
        for name, value in first.items():
            if (tag, name) in SINGLE:
                self.count += 1
            elif (tag, name) in SOURCE_SETS and value is not None:
                self.count += len(source_set_urls(value))
        if tag == "input" and (first.get("type") or "").lower() == "image" and "src" in first:
            self.count += 1
        if tag == "meta" and (first.get("http-equiv") or "").lower() == "refresh":
            if re.match(r"\s*[\d.]*\s*[;,]\s*\S", first.get("content") or ""):
                self.count += 1


def pages(root):
    if os.path.isfile(root):
        return [root]
    found = []
    for folder, _, files in os.walk(root):
        found += [os.path.join(folder, f) for f in files if f.lower().endswith((".htm", ".html"))]
    return sorted(found)


def main():
    checker, root = sys.argv[1], sys.argv[2]
    python_count = 0
    for page in pages(root):
        parser = Counter()
        with open(page, "rb") as f:
            parser.feed(f.read().decode("utf-8", errors="replace"))
        python_count += parser.count
    report = json.loads(subprocess.run([checker, "--resources", "--format", "json", "-r", root],
                                       capture_output=True, text=True).stdout)
    ours = sum(1 for d in report["documents"] for link in d.get("links", []) if link["tag"] != "A")
    print("addresses found: tarnwick-check %d, html.parser %d, difference %.3f %%"
          % (ours, python_count, 100.0 * abs(ours - python_count) / max(python_count, 1)))


if __name__ == "__main__":
    main()
