#!/usr/bin/env python3
"""Translates every Korvel example of the manual with vestrelc and checks what it gives.

A block fenced as ```korvel must translate without any message. A block fenced as
```korvel-error must be followed (after blank lines) by one or more lines
    Сообщение: `TEXT`
and vestrelc must report exactly those messages, in that order, as the workbench shows
them (the text after "SOURCE:LINE: "; the group line "Лексические ошибки" is not counted).
A "Сообщение:" line anywhere else is an error too, so a stated message cannot drift away
from its example. Links between pages must name an existing page and, after "#", the
anchor of one of its headings (GitHub's rule, which the workbench's viewer follows).
"""
import argparse
import pathlib
import re
import json
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```(\S*)\s*$")
MESSAGE = re.compile(r"^Сообщение: `(.+)`\s*$")


def examples(page):
    """Yields (line number, kind, program text, expected messages) for each Korvel block."""
    lines = page.read_text(encoding="utf-8").split("\n")
    i = 0
    claimed = set()
    while i < len(lines):
        match = FENCE.match(lines[i])
        if not match:
            i += 1
            continue
        kind, start = match.group(1), i + 1
        end = start
        while end < len(lines) and lines[end].rstrip() != "```":
            end += 1
        if end == len(lines):
            raise SystemExit(f"{page}:{i + 1}: code block never closed")
        i = end + 1
        if kind not in ("korvel", "korvel-error"):
            continue
        expected = []
        j = i
        while j < len(lines) and (lines[j].strip() == "" or MESSAGE.match(lines[j])):
            if lines[j].strip():
                expected.append(MESSAGE.match(lines[j]).group(1))
                claimed.add(j)
            j += 1
        yield start, kind, "\n".join(lines[start:end]) + "\n", expected
    for number, line in enumerate(lines):
        if MESSAGE.match(line) and number not in claimed:
            raise SystemExit(f"{page}:{number + 1}: a stated message that follows no Korvel example")


LINK = re.compile(r"\]\(([^)\s]+)\)")
HEADING = re.compile(r"^#+\s+(.*?)\s*$")


def anchor(heading):
    """The anchor of a heading: lower case, blanks become "-", other punctuation goes."""
    kept = []
    for character in heading.lower():
        if character.isalnum() or character in "-_":
            kept.append(character)
        elif character == " ":
            kept.append("-")
    return "".join(kept)


def anchors(page):
    return {anchor(m.group(1)) for m in map(HEADING.match, page.read_text(encoding="utf-8").split("\n")) if m}


def broken_links(page):
    failures = []
    for number, line in enumerate(page.read_text(encoding="utf-8").split("\n"), start=1):
        for target in LINK.findall(line):
            if "://" in target:
                continue
            name, _, fragment = target.partition("#")
            linked = page.parent / name if name else page
            if not linked.is_file():
                failures.append(f"{page.name}:{number}: link to a missing page {target}")
            elif fragment and fragment not in anchors(linked):
                failures.append(f"{page.name}:{number}: link to a missing heading {target}")
    return failures


def reported(vestrelc, program, work):
    """Exit status, message texts (notices as "warning: TEXT") and anything else printed,
    read from vestrelc's json report rather than from its message lines."""
    source = work / "example.prg"
    source.write_bytes(program.encode("utf-8"))
    run = subprocess.run([vestrelc, "--check", "--quiet", "--diagnostics-format", "json", str(source)],
                         capture_output=True, timeout=60)
    document = json.loads(run.stdout.decode("utf-8"))
    messages = [message["text"] for message in document["messages"]]
    for notice in document["notices"]:
        times = f" ({notice['count']} times)" if notice["count"] > 1 else ""
        messages.append(f"warning: {notice['text']}{times}")
    if "error" in document:
        messages.append(document["error"])
    return run.returncode, messages, run.stderr.decode("utf-8")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--vestrelc", required=True)
    parser.add_argument("--manual", required=True)
    arguments = parser.parse_args()
    failures = []
    counts = {"korvel": 0, "korvel-error": 0}
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        for page in sorted(pathlib.Path(arguments.manual).glob("*.md")):
            failures.extend(broken_links(page))
            for line, kind, program, expected in examples(page):
                counts[kind] += 1
                where = f"{page.name}:{line}"
                status, messages, out = reported(arguments.vestrelc, program, work)
                if kind == "korvel":
                    if expected:
                        failures.append(f"{where}: a clean example states a message")
                    if status != 0 or messages or out:
                        failures.append(f"{where}: expected no message, got exit {status}: {messages}")
                else:
                    if not expected:
                        failures.append(f"{where}: an error example states no message")
                    elif status != 1 or messages != expected:
                        failures.append(f"{where}: expected {expected}, got exit {status}: {messages}")
    for failure in failures:
        print(failure)
    print(f"{counts['korvel']} clean examples, {counts['korvel-error']} examples with messages, "
          f"{len(failures)} failures")
    if counts["korvel"] == 0 or counts["korvel-error"] == 0:
        print("no examples found")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
