#!/usr/bin/env python3
"""Writes the largest legal Korvel program: every section of every block with all 64
lines, every algorithm index that has valid parameters (0o140..0o145 accept none), long
comment lines and a hundred macros. It translates without a single message.

    bench/make_largest_program.py [output.prg] [--seed N]
"""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from make_large_listing import Listing  # noqa: E402

# Parameters that a template checks beyond their kind: (index, parameter) -> value.
TEMPLATE_RULES = {
    (0o1, 1): "ва001", (0o2, 1): "ва002", (0o3, 1): "ва003", (0o10, 1): "ва010", (0o11, 1): "ва011",
    (0o3, 8): "50", (0o4, 8): "60", (0o10, 7): "70", (0o11, 4): "40",
    (0o101, 1): "ва101", (0o103, 1): "ав103",
    (0o100, 4): "4", (0o100, 5): "1", (0o102, 4): "4", (0o102, 5): "2",
}
# Kinds whose counts address bit groups and arrays: kept small so every address is a
# register of its family.
SMALL_COUNT = {8: lambda r: str(r.randrange(1, 9))}


STATEFUL = {0o1, 0o2, 0o3, 0o4, 0o10, 0o11, 0o12, 0o15}


class LargestProgram(Listing):
    """Variables come from a part of each family so that one block half never needs more
    registers than the I list holds, and each stateful algorithm appears once, so the
    256 W registers of the run suffice."""

    def vd(self):
        return f"вд{self.rnd.randrange(0o200):03o}"

    def dv(self):
        return f"дв{self.rnd.randrange(0o200):03o}"

    def va(self):
        return f"ва{self.rnd.randrange(0o20):03o}"

    def av(self):
        return f"ав{self.rnd.randrange(0o20):03o}"

    def tm(self):
        return f"тм{self.rnd.randrange(0o40):02o}"

    def iv(self):
        return f"ив{self.rnd.randrange(0o20):02o}"

    def __init__(self, seed):
        super().__init__(seed)
        # Algorithms with parameters that can all be valid, in index order.
        self.valid = [(i, k) for i, k in self.algorithms if 0 not in k]
        self.next_algorithm = 0
        self.macro_names = [f"мак{n:03d}" for n in range(96)]

    def parameter_value(self, kind):
        if kind in SMALL_COUNT:
            return SMALL_COUNT[kind](self.rnd)
        if kind == 5:
            return self.rnd.choice([self.va(), "-" + self.av(), str(self.rnd.randrange(1001))])
        return super().parameter_value(kind)

    def section(self, block, section):
        lines = self.lines
        lines.append(f"{block}{section:02o}. Секция {block}{section:02o} " + "описание " * 10)
        lines.append("Длинный комментарий: " + "насос, клапан, задвижка; " * 8)
        number = 0

        def statement(text):
            nonlocal number
            lines.append(f"{number:02o} {text}")
            number += 1

        while number < 64:
            room = 64 - number
            kind = self.rnd.randrange(8)
            if kind == 0 and room >= 5:
                # "или" and "если" are both class-9 words: each needs a line of its own.
                statement(f"если {self.atom()}")
                statement("или")
                statement(f"если {self.atom()}")
                statement(f"тогда {self.simple_statement()}")
                statement(f"иначе в {self.rnd.choice(self.macro_names)}")
            elif kind == 1:
                index, kinds = self.valid[self.next_algorithm % len(self.valid)]
                self.next_algorithm += 1
                if index in STATEFUL and self.next_algorithm > len(self.valid):
                    continue
                statement(f"алг{index:03o}")
                for n, parameter_kind in enumerate(kinds, start=1):
                    value = TEMPLATE_RULES.get((index, n)) or self.parameter_value(parameter_kind)
                    lines.append(f"{n} = {value}")
            else:
                statement(self.simple_statement())

    def build(self):
        self.lines.append("Самая большая программа: все секции всех блоков, все алгоритмы")
        # A hundred macros: the four the statements name, and 96 of our own.
        self.lines += ["/насос дв001", "/клапан дв002", "/задвижка кб3", "/уровень ва010"]
        for n, name in enumerate(self.macro_names):
            self.lines.append(f"/{name} дв{n * 5 % 512:03o}")
        for block in range(8):
            for section in range(32):
                self.section(block, section)
        return self.lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", nargs="?", default="largest_program.prg")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    lines = LargestProgram(args.seed).build()
    data = "".join(line + "\r\n" for line in lines).encode("cp1251")
    pathlib.Path(args.output).write_bytes(data)
    print(f"{args.output}: {len(lines)} lines, {len(data)} bytes")


if __name__ == "__main__":
    main()
