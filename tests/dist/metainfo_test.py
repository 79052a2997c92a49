#!/usr/bin/env python3
"""The AppStream metainfo: appstreamcli finds nothing but pedantic notes, and it agrees with the desktop
entry beside it and with the project's version."""
import configparser
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def main(metainfo: Path, version: str) -> list[str]:
    if shutil.which("appstreamcli") is None:
        return ["appstreamcli is missing (scripts/setup.sh)"]
    # --strict fails on every finding above the pedantic level; --pedantic shows those notes too.
    run = subprocess.run(["appstreamcli", "validate", "--no-net", "--strict", "--pedantic", "--explain",
                          str(metainfo)], capture_output=True, text=True, timeout=60)
    print(run.stdout.strip())
    failures = [] if run.returncode == 0 else [f"appstreamcli validate failed with status {run.returncode}"]

    component = ElementTree.parse(metainfo).getroot()
    launchable = component.findtext("launchable[@type='desktop-id']")
    entry_path = metainfo.parent / str(launchable)
    if not entry_path.is_file():
        return failures + [f"the launchable desktop-id {launchable} names no file in {metainfo.parent}"]
    entry = configparser.RawConfigParser(strict=False, interpolation=None)
    entry.optionxform = str
    entry.read(entry_path, encoding="utf-8")
    entry_types = {t for t in entry["Desktop Entry"].get("MimeType", "").split(";") if t}
    provided_types = {t.text for t in component.findall("provides/mediatype")}
    if entry_types != provided_types:
        failures.append(f"media types differ: desktop entry {sorted(entry_types)}, metainfo {sorted(provided_types)}")

    newest = component.find("releases/release")
    if newest is None or newest.get("version") != version:
        failures.append(f"the newest release is not the project's version {version}")

    # The screenshots are kept in this repository, where their addresses point: each file exists and
    # has the size the metainfo states.
    for image in component.findall("screenshots/screenshot/image"):
        shot = metainfo.parent / "screenshots" / image.text.rsplit("/", 1)[-1]
        if not shot.is_file():
            failures.append(f"no {shot} for {image.text}")
            continue
        header = shot.read_bytes()[:24]
        size = (int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big"))
        stated = (int(image.get("width", 0)), int(image.get("height", 0)))
        if not header.startswith(b"\x89PNG") or size != stated:
            failures.append(f"{shot.name} is {size}, the metainfo states {stated}")

    # Every text shown to users comes in Japanese as well.
    for tag in ("summary", "description/p", "description/ul/li", "screenshots/screenshot/caption"):
        elements = component.findall(tag)
        plain = [e for e in elements if e.get(XML_LANG) is None]
        japanese = [e for e in elements if e.get(XML_LANG) == "ja"]
        if not plain or len(plain) != len(japanese):
            failures.append(f"{tag}: {len(plain)} untranslated, {len(japanese)} Japanese")
    return failures


if __name__ == "__main__":
    problems = main(Path(sys.argv[1]), sys.argv[2])
    for problem in problems:
        print("FAIL:", problem)
    sys.exit(1 if problems else 0)
