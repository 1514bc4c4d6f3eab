#!/usr/bin/env python3
"""Pathological inputs for vestrelc, each at three sizes (1x, 2x, 4x): the run must
finish with a clear diagnostic or error, never crash, leave no temporary file, and its
cost must grow linearly with the input.

    bench/pathological.py [--vestrelc build/src/cli/vestrelc] [--work DIR] [--scale 1.0]

Prints one row per input and size: bytes, exit status, seconds, peak memory, and the
first message line.
"""

import argparse
import os
import pathlib
import random
import resource
import subprocess
import sys
import tempfile
import time


def cp(text):
    return text.encode("cp1251")


def huge_file(scale):
    """Ordinary statements repeated until the file is ~25 MB x scale (many sections)."""
    target = int(25 * 1024 * 1024 * scale)
    lines = []
    size = 0
    block_section = 0
    while size < target:
        section = block_section % 256
        header = f"{section >> 5}{section & 31:02o}. секция"
        lines.append(header)
        size += len(header) + 2
        for n in range(64):
            line = f"{n:02o} в дв{(n * 7) % 512:03o}"
            lines.append(line)
            size += len(line) + 2
        block_section += 1
        if block_section % 256 == 0:
            # Sections must ascend: start again with comment lines only.
            filler = "комментарий " * 100
            while size < target:
                lines.append(filler)
                size += len(filler) + 2
    return cp("\r\n".join(lines) + "\r\n")


def long_line(scale):
    """One numbered line of 0.25 MB x scale of operands, and one comment line as long."""
    n = int(0.25 * 1024 * 1024 * scale / 8)
    statement = "00 ав001 = ва001" + " + ва002" * n
    comment = "Комментарий " * (n // 2)
    return cp("000.\r\n" + statement + "\r\n" + comment + "\r\n")


def parameter_lines(scale):
    """One algorithm command followed by 250 000 x scale parameter lines."""
    n = int(250_000 * scale)
    body = "".join(f"{i} = 5\r\n" for i in range(1, n + 1))
    return cp("000.\r\n00 алг001\r\n") + body.encode("ascii")


def deep_nesting(scale):
    """Groups nested far past the stacks' capacity."""
    n = int(5000 * scale)
    return cp("000.\r\n00 если в вд001\r\n01 " + "(" * n + " если в вд002\r\n02 тогда в дв001\r\n")


def registers_exhausted(scale):
    """Every analog and discrete variable in one block half, many times over, and
    stateful algorithms until the W and I lists are exhausted."""
    lines = ["000."]
    count = int(16 * scale)
    number = 0
    section = 0
    def statement(text):
        nonlocal number, section
        if number == 64:
            section += 1
            number = 0
            lines.append(f"0{section:02o}.")
        lines.append(f"{number:02o} {text}")
        number += 1
    for _ in range(count):
        for i in range(0o200):
            statement(f"б ав{i:03o}")
            statement(f"б ва{i:03o}")
        for i in range(0, 0o1000, 8):
            statement(f"в дв{i:03o}")
            statement(f"б вд{i:03o}")
        if section >= 15:
            break
    for i in range(int(60 * scale)):
        if section >= 15 and number >= 50:
            break
        statement("алг011")
        lines += ["1 = ва001", "2 = ав001", "3 = 00.01.00", "4 = 5", "5 = 1.5"]
    return cp("\r\n".join(lines) + "\r\n")


def binary_noise(scale):
    """Random bytes with NUL and 0xFF, and numbered-looking lines among them."""
    rnd = random.Random(7)
    n = int(4 * 1024 * 1024 * scale)
    data = bytearray(rnd.getrandbits(8) for _ in range(n // 4))
    data += b"\x00" * (n // 4) + b"\xff" * (n // 4)
    data += b"000.\r\n00 \x00\xff\r\n" * (n // 4 // 14)
    return bytes(data)


INPUTS = [
    ("huge file", huge_file),
    ("1 MB line", long_line),
    ("parameter lines", parameter_lines),
    ("deep nesting", deep_nesting),
    ("registers exhausted", registers_exhausted),
    ("NUL and 0xFF bytes", binary_noise),
]


def run(vestrelc, source, out_dir):
    start = time.perf_counter()
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    proc = subprocess.run([vestrelc, "-q", "-o", str(out_dir), str(source)], capture_output=True)
    seconds = time.perf_counter() - start
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    first = proc.stderr.decode("utf-8", "replace").splitlines()[:1]
    return proc.returncode, seconds, max(peak, before) / 1024, first[0][:90] if first else ""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vestrelc", default="build/src/cli/vestrelc")
    parser.add_argument("--work", default=None)
    parser.add_argument("--scale", type=float, default=1.0)
    args = parser.parse_args()
    work = pathlib.Path(args.work or tempfile.mkdtemp(prefix="vestrel-pathological-"))
    work.mkdir(parents=True, exist_ok=True)
    failures = 0
    print(f"{'input':22} {'size':>4} {'bytes':>11} {'exit':>4} {'seconds':>8} {'peak MB':>8}  first message")
    for name, make in INPUTS:
        for factor in (1, 2, 4):
            data = make(args.scale * factor)
            source = work / f"{name.replace(' ', '_')}_{factor}.prg"
            source.write_bytes(data)
            out_dir = work / f"{name.replace(' ', '_')}_{factor}"
            code, seconds, peak, first = run(args.vestrelc, source, out_dir)
            leftovers = [p.name for p in out_dir.glob(".*.tmp")] if out_dir.exists() else []
            if code not in (0, 1, 2) or leftovers:
                failures += 1
            print(f"{name:22} {factor:>3}x {len(data):>11} {code:>4} {seconds:>8.3f} {peak:>8.1f}  {first}")
            source.unlink()
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
