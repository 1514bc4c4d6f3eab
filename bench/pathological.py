#!/usr/bin/env python3
"""Pathological inputs for vestrelc, each at three sizes (1x, 2x, 4x): the run must
finish with a clear diagnostic or error, never crash, leave no temporary file, and its
cost must grow linearly with the input.

    bench/pathological.py [--vestrelc build/src/cli/vestrelc] [--work DIR] [--scale 1.0]

Prints one row per input and size: bytes, exit status, seconds and peak memory of the
full run (the project written) and of `--check` (both passes, no IL kept), and the
first message line. The translation's memory must follow the source: the peak of the
full run and of `--check` must each stay under 4 x the source size + 12 MB (a row where
either is over it is marked "over" and fails the script); the full run sets the IL it
writes aside beside the project rather than holding it. Then the hostile files (a FIFO, /dev/zero, a
sparse file past the 256 MB input limit): each must be refused at once with exit
status 2.
"""

import argparse
import os
import pathlib
import random
import shutil
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
    """Block halves (4 x scale of them) that each name every analog and discrete
    register, then run stateful algorithms, so that the I list of each half overflows
    into the W list and the W list of the run is exhausted."""
    lines = []
    for half in range(int(4 * scale)):
        block, first = divmod(half, 2)
        section = first * 16
        number = 0
        lines.append(f"{block}{section:02o}.")
        def statement(text):
            nonlocal number, section
            if number == 64:
                section += 1
                number = 0
                lines.append(f"{block}{section:02o}.")
            lines.append(f"{number:02o} {text}")
            number += 1
        for i in range(0o200):
            statement(f"б ав{i:03o}")
            statement(f"б ва{i:03o}")
        for i in range(0, 0o1000, 8):
            statement(f"в дв{i:03o}")
            statement(f"б вд{i:03o}")
        for _ in range(30):
            statement("алг011")
            lines += ["1 = ва001", "2 = ав001", "3 = 00.01.00", "4 = 5", "5 = 1.5"]
    return cp("\r\n".join(lines) + "\r\n")


def empty_lines(scale):
    """10 MB x scale of empty lines (each a comment line of the IL when comments are on)."""
    return b"\n" * int(10 * 1024 * 1024 * scale)


def one_line_of_tokens(scale):
    """One statement line of 4 MB x scale of operators, one token a byte."""
    return b"000.\r\n00 " + b"+" * int(4 * 1024 * 1024 * scale) + b"\r\n"


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
    ("empty lines", empty_lines),
    ("one line of tokens", one_line_of_tokens),
]


def memory_limit_mb(size):
    """The most a translation of `size` source bytes may take: 4 x the source + 12 MB."""
    return 4 * size / (1024 * 1024) + 12


def hostile_files(work):
    """Sources that are not plain programs: (name, path, how to make it)."""
    fifo = work / "fifo.prg"
    sparse = work / "sparse.prg"

    def make_fifo():
        os.mkfifo(fifo)

    def make_sparse():
        with open(sparse, "wb") as f:
            f.truncate(256 * 1024 * 1024 + 1)

    return [("FIFO", fifo, make_fifo), ("/dev/zero", pathlib.Path("/dev/zero"), None),
            ("257 MB sparse file", sparse, make_sparse)]


def run(vestrelc, source, out_dir, timeout=None, check=False):
    """Exit status, seconds, peak memory (MB) of this one process, first message line."""
    # /usr/bin/time reports the peak of vestrelc alone (a child forked from this script
    # would carry the script's own high-water mark across exec).
    errors = tempfile.TemporaryFile()
    peak_file = tempfile.NamedTemporaryFile(delete=False)
    start = time.perf_counter()
    try:
        command = [vestrelc, "-q", "--check" if check else "-o", *([] if check else [str(out_dir)]), str(source)]
        proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_file.name, *command],
                              stdout=subprocess.DEVNULL, stderr=errors, timeout=timeout)
    except subprocess.TimeoutExpired:
        os.unlink(peak_file.name)
        return None, time.perf_counter() - start, 0.0, "did not finish"
    seconds = time.perf_counter() - start
    peak_kb = int(pathlib.Path(peak_file.name).read_text().split()[-1])
    os.unlink(peak_file.name)
    errors.seek(0)
    first = errors.readline().decode("utf-8", "replace").rstrip()
    return proc.returncode, seconds, peak_kb / 1024, first.split(": ", 1)[-1][:70]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vestrelc", default="build/src/cli/vestrelc")
    parser.add_argument("--work", default=None)
    parser.add_argument("--scale", type=float, default=1.0)
    args = parser.parse_args()
    work = pathlib.Path(args.work or tempfile.mkdtemp(prefix="vestrel-pathological-"))
    work.mkdir(parents=True, exist_ok=True)
    failures = 0
    print(f"{'input':22} {'size':>4} {'bytes':>11} {'exit':>4} {'seconds':>8} {'peak MB':>8} "
          f"{'check s':>8} {'check MB':>8} {'limit MB':>8}  first message")
    for name, make in INPUTS:
        for factor in (1, 2, 4):
            data = make(args.scale * factor)
            source = work / f"{name.replace(' ', '_')}_{factor}.prg"
            source.write_bytes(data)
            out_dir = work / f"{name.replace(' ', '_')}_{factor}"
            code, seconds, peak, first = run(args.vestrelc, source, out_dir)
            leftovers = [p.name for p in out_dir.glob(".*.tmp")] if out_dir.exists() else []
            check_code, check_seconds, check_peak, check_first = run(args.vestrelc, source, out_dir, check=True)
            limit = memory_limit_mb(len(data))
            over = peak > limit or check_peak > limit
            # Status 2 is a file error; an internal error is a fault of ours, whatever the status.
            internal = "internal error" in first or "internal error" in check_first
            if code not in (0, 1, 2) or check_code not in (0, 1, 2) or leftovers or over or internal:
                failures += 1
            print(f"{name:22} {factor:>3}x {len(data):>11} {code:>4} {seconds:>8.3f} {peak:>8.1f} "
                  f"{check_seconds:>8.3f} {check_peak:>8.1f} {limit:>8.1f}{' over' if over else ''}{' FAULT' if internal else ''}  {first}")
            source.unlink()
            if out_dir.exists():
                shutil.rmtree(out_dir)
    for name, source, make in hostile_files(work):
        if make:
            make()
        out_dir = work / "hostile"
        code, seconds, peak, first = run(args.vestrelc, source, out_dir, timeout=10)
        if code != 2 or out_dir.exists():
            failures += 1
        print(f"{name:22} {'':>4} {'':>11} {str(code):>4} {seconds:>8.3f} {peak:>8.1f} {'':>8} {'':>8} {'':>8}  {first}")
        if make:
            source.unlink()
    if not args.work:
        work.rmdir()  # every input and output was removed as it was done with
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
