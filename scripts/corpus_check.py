#!/usr/bin/env python3
"""The safety net for changes to the core: translate a fixed corpus with two builds of
vestrelc and compare everything they write, byte for byte.

    scripts/corpus_check.py make-corpus DIR            # once, from a known-good checkout
    scripts/corpus_check.py run --vestrelc BIN --corpus DIR --out OUT
    scripts/corpus_check.py compare OUT_BEFORE OUT_AFTER

The corpus holds the golden sources, the examples, the fuzz regression inputs, the
largest legal program, random listings of a few sections and broken copies of the
golden sources (lines dropped, swapped, cut, bytes changed). It is written once and
reused, so both builds see the same bytes even when the generators change later.

`run` translates every input under four option sets, each time with --tokens and
--trace, and keeps the IL project, the token records, the trace, standard error and
the exit status; then once more without them (a traced run takes another path through
the grammar), keeping the project, the source map, standard error and the status.
`compare` lists every file that differs and exits 1 when any does.
"""

import argparse
import concurrent.futures
import hashlib
import os
import pathlib
import random
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "bench"))

OPTION_SETS = {
    "default": [],
    "no-comments": ["--no-comments"],
    "no-text-fast": ["--no-program-text", "--tick", "100", "--period", "1"],
    "bare-odd": ["--no-comments", "--no-program-text", "--tick", "77", "--period", "33"],
}


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def small_listing(seed):
    """A random listing of one to six sections: mostly legal, with message paths too."""
    from make_large_listing import Listing

    listing = Listing(seed)
    rnd = listing.rnd
    listing.lines += ["Случайная программа", "/насос дв001", "/клапан дв002", "/задвижка кб3", ""]
    sections = sorted(rnd.sample(range(256), rnd.randrange(1, 7)))
    for code in sections:
        listing.section(code // 32, code % 32)
    return "".join(line + "\r\n" for line in listing.lines).encode("cp1251")


def legal_listing(seed):
    """A random legal listing of a few sections, every algorithm in turn."""
    from make_largest_program import LargestProgram

    listing = LargestProgram(seed)
    rnd = listing.rnd
    listing.lines += ["Случайная правильная программа", "/насос дв001", "/клапан дв002", "/задвижка кб3"]
    listing.lines += [f"/{name} дв{n * 5 % 512:03o}" for n, name in enumerate(listing.macro_names)]
    listing.next_algorithm = rnd.randrange(len(listing.valid))
    for code in sorted(rnd.sample(range(256), rnd.randrange(1, 5))):
        listing.section(code // 32, code % 32)
    return "".join(line + "\r\n" for line in listing.lines).encode("cp1251")


def broken_copy(data, rnd):
    """A golden source with a few careless edits."""
    lines = data.split(b"\n")
    for _ in range(rnd.randrange(1, 4)):
        if not lines:
            break
        i = rnd.randrange(len(lines))
        edit = rnd.randrange(6)
        if edit == 0:
            del lines[i]
        elif edit == 1:
            j = rnd.randrange(len(lines))
            lines[i], lines[j] = lines[j], lines[i]
        elif edit == 2:
            lines[i] = lines[i][: rnd.randrange(len(lines[i]) + 1)]
        elif edit == 3 and lines[i]:
            k = rnd.randrange(len(lines[i]))
            lines[i] = lines[i][:k] + bytes([rnd.randrange(256)]) + lines[i][k + 1 :]
        elif edit == 4:
            lines.insert(i, lines[rnd.randrange(len(lines))])
        else:
            lines[i] = lines[i] + rnd.choice([b" 7", b" = 1", b" \xe8", b".", b" \xe0\xeb\xe3001"])
    return b"\n".join(lines)


def make_corpus(directory):
    out = pathlib.Path(directory)
    if out.exists():
        shutil.rmtree(out)
    sources = sorted((ROOT / "tests" / "golden").glob("*.prg")) + sorted((ROOT / "examples").glob("*.prg"))
    sources += sorted(p for p in (ROOT / "tests" / "fuzz" / "regressions" / "translation").glob("*") if p.is_file())
    for path in sources:
        write(out / f"{path.parent.name}-{path.name}", path.read_bytes())
    from make_largest_program import LargestProgram

    largest = "".join(line + "\r\n" for line in LargestProgram(1).build()).encode("cp1251")
    write(out / "largest.prg", largest)
    for seed in range(200):
        write(out / f"random-{seed:03d}.prg", small_listing(seed))
    for seed in range(200):
        write(out / f"legal-{seed:03d}.prg", legal_listing(seed))
    rnd = random.Random(7)
    golden = sorted((ROOT / "tests" / "golden").glob("*.prg"))
    for n in range(300):
        source = rnd.choice(golden)
        write(out / f"broken-{n:03d}-{source.stem}.prg", broken_copy(source.read_bytes(), rnd))
    count = len(list(out.iterdir()))
    print(f"{out}: {count} inputs")


def run_one(vestrelc, source, out):
    results = []
    for name, options in OPTION_SETS.items():
        case = out / source.stem / name
        case.mkdir(parents=True, exist_ok=True)
        command = [str(vestrelc), *options, "-q", "-o", str(case / "project"),
                   "--tokens", str(case / "tokens.txt"), "--trace", str(case / "trace.txt"), str(source)]
        done = subprocess.run(command, capture_output=True, timeout=120)
        (case / "stderr.txt").write_bytes(done.stderr.replace(str(case).encode(), b"CASE"))
        (case / "stdout.txt").write_bytes(done.stdout.replace(str(case).encode(), b"CASE"))
        (case / "status.txt").write_text(f"{done.returncode}\n")
        # Keep a digest instead of a trace of many megabytes.
        trace = case / "trace.txt"
        if trace.exists() and trace.stat().st_size > 4 << 20:
            digest = hashlib.sha256(trace.read_bytes()).hexdigest()
            trace.unlink()
            (case / "trace.sha256").write_text(digest + "\n")
        results.append(done.returncode)
        # A traced run walks the grammar row by row; the plain run takes the compiled path
        # a user's run takes, so it is compared too: its project, source map and messages.
        plain = out / source.stem / (name + "-plain")
        plain.mkdir(parents=True, exist_ok=True)
        command = [str(vestrelc), *options, "-q", "-o", str(plain / "project"),
                   "--source-map", str(plain / "map.json"), str(source)]
        done = subprocess.run(command, capture_output=True, timeout=120)
        (plain / "stderr.txt").write_bytes(done.stderr.replace(str(plain).encode(), b"CASE"))
        (plain / "status.txt").write_text(f"{done.returncode}\n")
    return results


def run(vestrelc, corpus, out):
    vestrelc = pathlib.Path(vestrelc).resolve()
    out = pathlib.Path(out).resolve()
    if out.exists():
        shutil.rmtree(out)
    sources = sorted(pathlib.Path(corpus).iterdir())
    jobs = int(os.environ.get("JOBS", "2"))
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        statuses = list(pool.map(lambda s: run_one(vestrelc, s, out), sources))
    flat = [s for group in statuses for s in group]
    print(f"{out}: {len(sources)} inputs x {len(OPTION_SETS)} option sets; "
          + ", ".join(f"exit {code}: {flat.count(code)}" for code in sorted(set(flat))))


def compare(before, after):
    before, after = pathlib.Path(before), pathlib.Path(after)

    def files(root):
        return {p.relative_to(root) for p in root.rglob("*") if p.is_file()}

    a, b = files(before), files(after)
    differing = sorted(p for p in a & b if (before / p).read_bytes() != (after / p).read_bytes())
    only_before, only_after = sorted(a - b), sorted(b - a)
    for p in differing:
        print(f"differs: {p}")
    for p in only_before:
        print(f"only before: {p}")
    for p in only_after:
        print(f"only after: {p}")
    total = len(a | b)
    bad = len(differing) + len(only_before) + len(only_after)
    print(f"{total} files compared, {bad} differ")
    return 1 if bad else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("make-corpus")
    p.add_argument("directory")
    p = sub.add_parser("run")
    p.add_argument("--vestrelc", required=True)
    p.add_argument("--corpus", required=True)
    p.add_argument("--out", required=True)
    p = sub.add_parser("compare")
    p.add_argument("before")
    p.add_argument("after")
    args = parser.parse_args()
    if args.command == "make-corpus":
        make_corpus(args.directory)
    elif args.command == "run":
        run(args.vestrelc, args.corpus, args.out)
    else:
        sys.exit(compare(args.before, args.after))


if __name__ == "__main__":
    main()
