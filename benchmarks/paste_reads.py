#!/usr/bin/env python3
"""A 1 MB paste at the action prompt, on a pty: how long it takes to drain.

    benchmarks/paste_reads.py [PROGRAM] [--runs N] [--megabytes M]

Reaches the action prompt (Enter, Enter, n), then pastes M megabytes
(default 1) of 'x', an unknown key that redraws the prompt, followed by q,
writing to the terminal as fast as the program takes it while reading all
it shows. For each of N runs (default 3) it measures the time from the
first pasted byte to the end of the program, the CPU time (user plus
system, from wait4) and the read and write system calls (from
/proc/<pid>/io, before the child is reaped), and prints the medians.
Figures are reported, never judged.
"""
import fcntl
import os
import pty
import select
import statistics
import struct
import sys
import termios
import time


def run(program, paste):
    pid, master = pty.fork()
    if pid == 0:
        os.execv(program, [program])
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    shown = bytearray()
    to_send = b""
    started = None
    while True:
        want_write = [master] if to_send else []
        ready, writable, _ = select.select([master], want_write, [], 30)
        if not ready and not writable:
            raise SystemExit("the program hung")
        if writable:
            os.set_blocking(master, False)
            try:
                done = os.write(master, to_send[:65536])
                to_send = to_send[done:]
            except BlockingIOError:
                pass
            os.set_blocking(master, True)
        if ready:
            try:
                chunk = os.read(master, 1 << 20)
            except OSError:
                break
            if not chunk:
                break
            shown += chunk
            if started is None and b"two times." in shown:
                while termios.tcgetattr(master)[3] & termios.ICANON:
                    select.select([], [], [], 0.001)
                os.write(master, b"\r\rn")
                started = 0.0
            if started == 0.0 and shown.endswith(b"Press an action key or H for help "):
                to_send = paste
                started = time.monotonic()
            # Keep only the tail: a megabyte of keys shows tens of megabytes.
            if len(shown) > 1 << 16:
                del shown[:-4096]
    os.waitid(os.P_PID, pid, os.WEXITED | os.WNOWAIT)
    ended = time.monotonic()
    counts = {}
    with open(f"/proc/{pid}/io") as io:
        for line in io:
            name, value = line.split()
            counts[name] = int(value)
    _, status, usage = os.wait4(pid, 0)
    os.close(master)
    if os.waitstatus_to_exitcode(status) != 1:
        raise SystemExit(f"session ended with {status}")
    return ended - started, usage.ru_utime + usage.ru_stime, counts["syscr:"], counts["syscw:"]


def main():
    args = sys.argv[1:]
    runs, megabytes = 3, 1.0
    for flag in ("--runs", "--megabytes"):
        if flag in args:
            at = args.index(flag)
            if flag == "--runs":
                runs = int(args[at + 1])
            else:
                megabytes = float(args[at + 1])
            del args[at:at + 2]
    program = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build", "freelattice")
    paste = b"x" * int(megabytes * (1 << 20)) + b"q"
    samples = [run(program, paste) for _ in range(runs)]
    median = [statistics.median(s[i] for s in samples) for i in range(4)]
    print(f"paste {len(paste)} bytes: {median[0]:.2f} s, cpu {median[1]:.2f} s, "
          f"read calls {median[2]:.0f}, write calls {median[3]:.0f}")


if __name__ == "__main__":
    main()
