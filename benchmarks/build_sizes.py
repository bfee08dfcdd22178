#!/usr/bin/env python3
"""Time and memory of the build of FL(P) past the dialogue's limit.

    benchmarks/build_sizes.py [PROGRAM] [--runs N] [--sizes 100,1000,10000]

Runs the real program as `freelattice --poset CHAINS --limit N` for FL(3)
(three incomparable generators) and FL(2+2) (two chains of two), each size N
times (default 3), standard output thrown away, and prints a table of the
median wall time and the largest resident memory for each. The memory is the
program's high-water mark (VmHWM), read from /proc every millisecond while it
runs: wait4's figure would include this interpreter, whose pages the child
shares until it starts the program. The figures are reported, never judged.
"""
import os
import statistics
import sys
import time

POSETS = {"FL(3)": "a b c", "FL(2+2)": "a<b c<d"}


def high_water(pid):
    """The program's largest resident memory so far in kilobytes, or 0."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def run(program, chains, limit):
    started = time.perf_counter()
    pid = os.posix_spawn(program, [program, "--poset", chains, "--limit", str(limit)], os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    memory = 0
    while True:
        memory = max(memory, high_water(pid))
        done, status = os.waitpid(pid, os.WNOHANG)
        if done == pid:
            break
        time.sleep(0.001)
    elapsed = time.perf_counter() - started
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        raise SystemExit(f"{chains} to {limit} ended with status {code}")
    return elapsed, memory


def main():
    args = sys.argv[1:]
    runs = 3
    sizes = [100, 1000, 10000]
    if "--runs" in args:
        at = args.index("--runs")
        runs = int(args[at + 1])
        del args[at:at + 2]
    if "--sizes" in args:
        at = args.index("--sizes")
        sizes = [int(size) for size in args[at + 1].split(",")]
        del args[at:at + 2]
    program = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "freelattice")
    print(f"| lattice | N | time | memory |")
    print(f"|---|---:|---:|---:|")
    for name, chains in POSETS.items():
        for limit in sizes:
            samples = [run(program, chains, limit) for _ in range(runs)]
            seconds = statistics.median(s[0] for s in samples)
            megabytes = max(s[1] for s in samples) / 1024
            shown = f"{seconds * 1000:.1f} ms" if seconds < 1 else f"{seconds:.2f} s"
            print(f"| {name} | {limit:,} | {shown} | {megabytes:.0f} MB |")


if __name__ == "__main__":
    main()
