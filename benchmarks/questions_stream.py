#!/usr/bin/env python3
"""Questions by the million through --questions: time, memory, round trip.

    benchmarks/questions_stream.py [PROGRAM] [--questions N] [--round-trips M]

Writes N random relations (default 1,000,000) of about 50 characters over
a partial lattice of six elements (a<c, b<c, c<d, e, f with a+b=c defined)
to a file and times `PROGRAM -p ... -D a+b -f FILE > /dev/null`: the wall
time, the CPU time (user plus system) and the peak resident memory, from
wait4. Then keeps the program as a coprocess (-f -, both ends pipes) and
writes one question, reads its answer, M times (default 10,000), and
reports the mean round trip. Figures are reported, never judged.
"""
import os
import random
import subprocess
import sys
import tempfile
import time

POSET = ["-p", "a<c b<c c<d e f", "-D", "a+b"]
NAMES = "abcdef"


def term(rng, depth):
    if depth == 0 or rng.random() < 0.3:
        return rng.choice(NAMES)
    operands = [term(rng, depth - 1) for _ in range(rng.randint(2, 3))]
    if rng.random() < 0.5:
        return "+".join(operands)
    return "".join(f"({o})" if len(o) > 1 else o for o in operands)


def relation(rng):
    while True:
        text = term(rng, 3) + rng.choice(["<=", ">=", "="]) + term(rng, 3)
        if 35 <= len(text) <= 70:
            return text


def from_file(program, count):
    rng = random.Random(1)
    with tempfile.NamedTemporaryFile("w", suffix=".questions", delete=False) as f:
        path = f.name
        for _ in range(count):
            f.write(relation(rng) + "\n")
    try:
        start = time.monotonic()
        child = subprocess.Popen([program, *POSET, "-f", path], stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.monotonic() - start
    finally:
        os.unlink(path)
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) > 1:
        raise SystemExit(f"the program failed: status {status}")
    cpu = usage.ru_utime + usage.ru_stime
    print(f"{count} questions from a file: {wall:.2f} s wall, {cpu:.2f} s CPU, "
          f"{usage.ru_maxrss / 1024:.1f} MB peak resident")


def round_trips(program, count):
    rng = random.Random(2)
    questions = [relation(rng) for _ in range(count)]
    child = subprocess.Popen([program, *POSET, "-f", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    start = time.monotonic()
    for question in questions:
        child.stdin.write((question + "\n").encode())
        child.stdin.flush()
        if not child.stdout.readline():
            raise SystemExit("no answer")
    elapsed = time.monotonic() - start
    child.stdin.close()
    child.wait()
    print(f"{count} round trips through pipes: {elapsed / count * 1e6:.1f} us each")


def main():
    args = sys.argv[1:]
    program = args.pop(0) if args and not args[0].startswith("--") else "build/freelattice"
    options = dict(zip(args[::2], args[1::2]))
    from_file(program, int(float(options.get("--questions", "1000000"))))
    round_trips(program, int(float(options.get("--round-trips", "10000"))))


if __name__ == "__main__":
    main()
