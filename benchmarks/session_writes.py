#!/usr/bin/env python3
"""Write calls and CPU time of whole sessions of the real program on a pty.

    benchmarks/session_writes.py [PROGRAM] [--runs N]

Runs, in one go, the heavy session (three incomparable generators built to
the limit; the order, join and meet tables each scrolled with forty keys,
the digits 2 and 6, Down and Right; the term list; q) and the trivial one
(Enter, Enter, n, q), each N times (default 5) on an 80 x 25 pseudo-terminal.
For each it prints the median number of write system calls the program made
(from /proc/<pid>/io, read before the child is reaped) and the median CPU
time, user plus system, from wait4. Counts and times are reported, never
judged: the tests assert the counts.
"""
import os
import pty
import select
import statistics
import struct
import sys
import termios
import fcntl

DOWN, RIGHT = "\x1b[B", "\x1b[C"
SCROLL = ("2" + "6" + DOWN + RIGHT) * 10  # forty keys

SESSIONS = {
    # A key that is no navigation key ends the scrolling and is used up.
    "heavy": "a b c\r\r" + "l" + SCROLL + "x" + "j" + SCROLL + "x" + "m" + SCROLL + "x" + "t" + "q",
    "trivial": "\r\rnq",
}


def run(program, keys):
    pid, master = pty.fork()
    if pid == 0:
        os.execv(program, [program])
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    output = bytearray()
    sent = False
    while True:
        ready, _, _ = select.select([master], [], [], 10)
        if not ready:
            raise SystemExit("the program hung")
        try:
            chunk = os.read(master, 65536)
        except OSError:
            break
        if not chunk:
            break
        output += chunk
        # The keys go in once the program reads raw keys: typed earlier,
        # the terminal's line discipline would still turn CR into LF.
        if not sent and b"two times." in output:
            while termios.tcgetattr(master)[3] & termios.ICANON:
                select.select([], [], [], 0.001)
            os.write(master, keys.encode())
            sent = True
    os.waitid(os.P_PID, pid, os.WEXITED | os.WNOWAIT)
    with open(f"/proc/{pid}/io") as io:
        writes = next(int(line.split()[1]) for line in io if line.startswith("syscw:"))
    _, status, usage = os.wait4(pid, 0)
    os.close(master)
    if os.waitstatus_to_exitcode(status) != 1:
        raise SystemExit(f"session ended with {status}")
    return writes, usage.ru_utime + usage.ru_stime, len(output)


def main():
    args = sys.argv[1:]
    runs = 5
    if "--runs" in args:
        at = args.index("--runs")
        runs = int(args[at + 1])
        del args[at:at + 2]
    program = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "freelattice")
    results = {}
    for name, keys in SESSIONS.items():
        samples = [run(program, keys) for _ in range(runs)]
        writes = statistics.median(s[0] for s in samples)
        cpu = statistics.median(s[1] for s in samples)
        results[name] = cpu
        print(f"{name:8} write calls {writes:8.0f}   cpu {cpu * 1000:7.1f} ms   output {samples[0][2]} bytes")
    if results["trivial"] > 0:
        print(f"heavy/trivial cpu ratio {results['heavy'] / results['trivial']:.1f}")


if __name__ == "__main__":
    main()
