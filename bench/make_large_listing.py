#!/usr/bin/env python3
"""Writes a large Korvel listing for the benchmarks: all 256 sections with 64 statement
lines each, mixed statements, algorithm commands with their parameter lines, a few
macros and comment lines. The text is code page 1251 with CR LF line breaks.

The parameter counts and kinds come from the algorithm records in
src/translator/lexer/algorithm_table.h, so the listing follows the same table as the
translator.

    bench/make_large_listing.py [output.prg] [--seed N]
"""

import argparse
import pathlib
import random
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
ALGORITHM_TABLE = ROOT / "src" / "translator" / "lexer" / "algorithm_table.h"

KIND = re.compile(r"X\((\w+),\s*\w+\)")
ALGORITHM = re.compile(r"X\((0[0-7]+),\s*(true|false),\s*\w+,\s*\d+((?:,\s*\w+)*)\)")


def macro_body(text, name):
    """The rows of the X-macro list `name`, its line continuations joined."""
    start = text.index(f"#define {name}(X)")
    end = text.find("\n\n", start)
    return text[start:end].replace("\\\n", " ")


def read_algorithms():
    """(index, parameter kinds) of every implemented algorithm, from the shared table;
    each kind as its code, its place in the list of kinds."""
    text = ALGORITHM_TABLE.read_text(encoding="utf-8")
    kind_codes = {name: code for code, name in enumerate(KIND.findall(macro_body(text, "VESTREL_PARAMETER_KINDS")))}
    if len(kind_codes) != 13:
        sys.exit(f"expected 13 parameter kinds in {ALGORITHM_TABLE}, found {len(kind_codes)}")
    algorithms = []
    for match in ALGORITHM.finditer(macro_body(text, "VESTREL_ALGORITHMS")):
        octal, implemented, kinds = match.groups()
        if implemented != "true":
            continue
        kinds = [kind_codes[k.strip()] for k in kinds.split(",") if k.strip()]
        algorithms.append((int(octal, 8), kinds))
    if len(algorithms) != 52:
        sys.exit(f"expected 52 implemented algorithms in {ALGORITHM_TABLE}, found {len(algorithms)}")
    return algorithms


class Listing:
    def __init__(self, seed):
        self.rnd = random.Random(seed)
        self.algorithms = read_algorithms()
        self.lines = []

    # Variables with their index ranges (octal in the text).
    def vd(self):
        return f"вд{self.rnd.randrange(0o1000):03o}"

    def dv(self):
        return f"дв{self.rnd.randrange(0o1000):03o}"

    def va(self):
        return f"ва{self.rnd.randrange(0o200):03o}"

    def av(self):
        return f"ав{self.rnd.randrange(0o200):03o}"

    def tm(self):
        return f"тм{self.rnd.randrange(0o100):02o}"

    def iv(self):
        return f"ив{self.rnd.randrange(0o40):02o}"

    def kb(self):
        return f"кб{self.rnd.randrange(8)}"

    def discrete(self):
        return self.rnd.choice([self.vd, self.dv, self.dv, self.kb, self.tm])()

    def analog(self):
        return self.rnd.choice([self.va, self.av])()

    def time(self):
        return f"{self.rnd.randrange(24):02d}.{self.rnd.randrange(60):02d}.{self.rnd.randrange(1, 60):02d}"

    def expression(self):
        parts = [self.analog()]
        for _ in range(self.rnd.randrange(1, 4)):
            operand = self.rnd.choice([self.analog(), f"{self.rnd.randrange(1000)}", f"{self.rnd.randrange(100)}.5"])
            parts += [self.rnd.choice("+-"), operand]
        return " ".join(parts)

    def parameter_value(self, kind):
        r = self.rnd
        values = {
            0: lambda: str(r.randrange(1, 100)),
            1: lambda: r.choice(["вкл", "откл"]),
            2: lambda: r.choice([self.dv(), self.vd(), "вкл", "откл"]),
            3: lambda: r.choice([self.vd(), self.dv(), self.kb(), self.tm()]),
            4: lambda: r.choice([self.dv(), self.kb(), self.tm()]),
            5: lambda: r.choice([self.va(), "-" + self.av(), str(r.randrange(1001))]),
            6: lambda: self.av(),
            7: lambda: self.tm(),
            8: lambda: str(r.randrange(1, 129)),
            9: lambda: str(r.randrange(8)),
            10: lambda: self.time(),
            11: lambda: f"{r.randrange(100)}.{r.randrange(10)}",
            12: lambda: f"{r.randrange(2)}.{r.randrange(100):02d}",
        }
        return values[kind]()

    def simple_statement(self):
        """One statement that fits a line of its own or a тогда/иначе branch."""
        r = self.rnd
        choice = r.randrange(7)
        if choice == 0:
            return f"в {self.discrete()}"
        if choice == 1:
            return f"о {self.discrete()}"
        if choice == 2:
            return f"б {r.choice([self.av, self.dv, self.vd])()}"
        if choice == 3:
            return f"{self.tm()} = {r.choice([self.time(), self.tm()])}"
        if choice == 4:
            return f"{self.av()} = {self.expression()}"
        if choice == 5:
            return f"{self.iv()} = {self.expression()}"
        return f"в {r.choice(['насос', 'клапан', 'задвижка'])}"

    def atom(self):
        r = self.rnd
        choice = r.randrange(4)
        if choice == 0:
            return f"{r.choice('во')} {self.discrete()}"
        if choice == 1:
            return f"{self.tm()} {r.choice('<=>')} {self.time()}"
        if choice == 2:
            return f"{self.analog()} {r.choice('<=>')} {self.expression()}"
        return f"б {self.vd()}"

    def section(self, block, section):
        lines = self.lines
        lines.append(f"{block}{section:02o}. Секция {block}{section:02o}")
        number = 0

        def statement(text):
            nonlocal number
            lines.append(f"{number:02o} {text}")
            number += 1

        while number < 64:
            room = 64 - number
            kind = self.rnd.randrange(10)
            if kind == 0 and room >= 4:
                # A conditional: one keyword of each class per line.
                statement(f"если {self.atom()}")
                if self.rnd.randrange(2):
                    statement(f"или {self.atom()}")
                statement(f"тогда {self.simple_statement()}")
                statement(f"иначе {self.simple_statement()}")
            elif kind == 1:
                index, kinds = self.rnd.choice(self.algorithms)
                statement(f"алг{index:03o}")
                for n, parameter_kind in enumerate(kinds, start=1):
                    lines.append(f"{n} = {self.parameter_value(parameter_kind)}")
            elif kind == 2 and number % 16 == 5:
                lines.append(f"Участок {number:02o}: управление насосом")
                statement(f"тс1.0.{self.rnd.randrange(2)} пуск насоса по таймеру")
            elif kind == 3 and room == 1:
                statement("вск")
            else:
                statement(self.simple_statement())

    def build(self):
        self.lines += [
            "Большая программа для измерения скорости трансляции",
            "/насос дв001",
            "/клапан дв002",
            "/задвижка кб3",
            "/уровень ва010",
            "",
        ]
        for block in range(8):
            for section in range(32):
                self.section(block, section)
        return self.lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", nargs="?", default="large_listing.prg")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    lines = Listing(args.seed).build()
    data = "".join(line + "\r\n" for line in lines).encode("cp1251")
    pathlib.Path(args.output).write_bytes(data)
    print(f"{args.output}: {len(lines)} lines, {len(data)} bytes")


if __name__ == "__main__":
    main()
