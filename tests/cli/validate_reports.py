#!/usr/bin/env python3
"""Runs vestrelc on listings that end in each outcome (translated, notices, lexical and
syntax messages, a line cited before the first line, a file error) in the json and sarif
formats, and validates every document against its schema: docs/diagnostics.schema.json
and the official SARIF 2.1.0 schema kept in tests/sarif/. Also checks that the documents
stand alone on standard output (standard error stays empty) and that --source-map files
match docs/source-map.schema.json.

usage: validate_reports.py VESTRELC SOURCE_DIR SCRATCH_DIR
"""
import json
import os
import shutil
import subprocess
import sys

import jsonschema


def cp(text):
    return text.encode("cp1251")


def register_shortage():
    """One block half naming more registers than its I list holds: notices, still written."""
    lines, state = ["000."], {"section": 0, "number": 0}

    def statement(text):
        if state["number"] == 64:
            state["section"] += 1
            state["number"] = 0
            lines.append(f"0{state['section']:02o}.")
        lines.append(f"{state['number']:02o} {text}")
        state["number"] += 1

    for i in range(0o200):
        statement(f"б ав{i:03o}")
        statement(f"б ва{i:03o}")
    for i in range(0, 0o1000, 8):
        statement(f"в дв{i:03o}")
        statement(f"б вд{i:03o}")
    return cp("\r\n".join(lines) + "\r\n")


LISTINGS = {
    "lexical.prg": cp("000.\r\n00 в дв001\r\n01 в зз001\r\n02 в дв002 в\r\n"),
    "syntax.prg": cp("000.\r\n00 в\r\n"),
    "cited_before_first.prg": cp("000.\r\n00 алг001\r\n"),
    "shortage.prg": register_shortage(),
    "empty.prg": b"",
}


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def main():
    vestrelc, source_dir, scratch = sys.argv[1:4]
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    for name, data in LISTINGS.items():
        with open(os.path.join(scratch, name), "wb") as f:
            f.write(data)
    shutil.copy(os.path.join(source_dir, "examples", "pump.prg"), os.path.join(scratch, "pump.prg"))

    validators = {
        "json": jsonschema.Draft7Validator(load(os.path.join(source_dir, "docs", "diagnostics.schema.json"))),
        "sarif": jsonschema.Draft4Validator(
            load(os.path.join(source_dir, "tests", "sarif", "sarif-schema-2.1.0-rtm.5.json"))),
    }
    map_validator = jsonschema.Draft7Validator(load(os.path.join(source_dir, "docs", "source-map.schema.json")))
    runs = [
        (["pump.prg"], 0),
        (["--check", "shortage.prg"], 0),
        (["lexical.prg"], 1),
        (["syntax.prg"], 1),
        (["cited_before_first.prg"], 1),
        (["empty.prg"], 0),
        (["missing.prg"], 2),
        (["--tokens", "t.txt", "--trace", "trace.txt", "--source-map", "map.json", "-o", "out", "pump.prg"], 0),
    ]
    failures = 0
    for form, validator in validators.items():
        for arguments, status in runs:
            command = [vestrelc, "--diagnostics-format", form] + arguments
            done = subprocess.run(command, cwd=scratch, capture_output=True)
            what = " ".join(command[1:])
            problems = []
            if done.returncode != status:
                problems.append(f"exit status {done.returncode}, expected {status}")
            if done.stderr:
                problems.append("standard error is not empty: " + done.stderr.decode("utf-8", "replace"))
            try:
                document = json.loads(done.stdout.decode("utf-8"))
                problems += [f"{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in validator.iter_errors(document)]
            except ValueError as error:
                problems.append(f"standard output is not one JSON document: {error}")
            if problems:
                failures += 1
                print(f"FAIL {what}:\n  " + "\n  ".join(problems))
            else:
                print(f"ok   {what}")
    source_map = load(os.path.join(scratch, "map.json"))
    map_problems = [e.message for e in map_validator.iter_errors(source_map)]
    if map_problems:
        failures += 1
        print("FAIL map.json:\n  " + "\n  ".join(map_problems))
    else:
        print("ok   map.json")
    shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
