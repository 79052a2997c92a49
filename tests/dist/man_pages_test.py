#!/usr/bin/env python3
"""The manual pages render without a warning from groff, man and mandoc, carry the sections a reader
looks for and the project's version, and tarnwick-check's page documents exactly the options its --help
lists."""
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

SECTIONS = ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "FILES", "EXAMPLES"]
ENVIRONMENT = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MAN_DISABLE_SECCOMP="1")


def run(command: list[str]) -> subprocess.CompletedProcess:
    return subprocess.run(command, capture_output=True, text=True, env=ENVIRONMENT, timeout=60)


def render_problems(page: Path) -> list[str]:
    problems = []
    # -k: the page is UTF-8 (its Japanese captions), read through preconv as man does.
    groff = run(["groff", "-k", "-man", "-Tutf8", "-ww", "-z", str(page)])
    if groff.returncode != 0 or groff.stderr:
        problems.append(f"groff: {groff.stderr.strip()}")
    man = run(["man", "--warnings=all", "-l", str(page)])
    if man.returncode != 0 or man.stderr:
        problems.append(f"man -l: {man.stderr.strip()}")
    mandoc = run(["mandoc", "-T", "lint", "-W", "warning", str(page)])
    if mandoc.returncode != 0:
        problems.append(f"mandoc: {mandoc.stdout.strip()} {mandoc.stderr.strip()}")
    lexgrog = run(["lexgrog", str(page)])
    if lexgrog.returncode != 0:
        problems.append(f"lexgrog finds no whatis line: {lexgrog.stdout.strip()}")
    rendered = man.stdout
    headings = [line.strip() for line in rendered.splitlines() if re.fullmatch(r"[A-Z][A-Z ]+", line)]
    missing = [section for section in SECTIONS if section not in headings]
    if missing:
        problems.append(f"sections missing: {', '.join(missing)}")
    return problems


def version_problems(page: Path, version: str) -> list[str]:
    header = next((line for line in page.read_text(encoding="utf-8").splitlines() if line.startswith(".TH ")), "")
    return [] if f'"Tarnwick {version}"' in header else [f"the .TH line does not name Tarnwick {version}: {header}"]


def option_problems(page: Path, checker: str) -> list[str]:
    help_run = run([checker, "--help"])
    if help_run.returncode != 0:
        return [f"{checker} --help failed with status {help_run.returncode}"]
    # Each option line of the help starts with its names: "  -h, --help" or "  --jobs <N>".
    listed = set()
    for names in re.findall(r"^  +(-[^\s,]+(?:, -[^\s,]+)*)", help_run.stdout, re.MULTILINE):
        listed.update(names.split(", "))
    # --help-all is the toolkit's listing of its own options, not one of the program's.
    listed.discard("--help-all")
    # The page names its options in the tag lines of the OPTIONS section, the lines after each .TP.
    section = page.read_text(encoding="utf-8").split(".SH OPTIONS", 1)[1].split("\n.SH ", 1)[0]
    tags = re.findall(r"^\.TP\n(.*)$", section, re.MULTILINE)
    documented = set()
    for tag in tags:
        documented.update(re.findall(r"(?<![\w-])(--?[A-Za-z][\w-]*)", tag.replace("\\-", "-")))
    problems = []
    if listed - documented:
        problems.append(f"options not documented: {sorted(listed - documented)}")
    if documented - listed:
        problems.append(f"documented options {checker} does not know: {sorted(documented - listed)}")
    return problems


def main(dist: Path, version: str, checker: str) -> int:
    for tool in ("groff", "man", "mandoc", "lexgrog"):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is missing (scripts/setup.sh)")
            return 1
    failed = False
    for name in ("tarnwick.1", "tarnwick-check.1"):
        page = dist / name
        problems = render_problems(page) + version_problems(page, version)
        if name == "tarnwick-check.1":
            problems += option_problems(page, checker)
        for problem in problems:
            print(f"FAIL: {name}: {problem}")
        if not problems:
            print(f"{name}: renders cleanly: {run(['lexgrog', str(page)]).stdout.strip()}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1]), sys.argv[2], sys.argv[3]))
