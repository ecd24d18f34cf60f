#!/usr/bin/env python3
"""Runs a console program in a pseudo-terminal and types its answers as a user would: each one
only when the program has shown everything up to its question and waits for the answer, so the
terminal's echo puts every answer after its question. The program's output is passed through as
it comes; the exit status is the program's.

Usage: typed_run.py ANSWERS PROGRAM [ARGUMENT...]
ANSWERS holds one answer a line. When they are used up and the program still waits, the input
ends (Ctrl-D), as at the end of a piped input.
"""
import os
import pty
import select
import sys
import time

QUIET = 0.05      # seconds without output before the program's state is looked at
TIME_LIMIT = 120  # seconds a run may take at most


def sleeping(pid):
    """Whether the process waits in the kernel (here: for its console input)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            stat = f.read()
    except OSError:
        return False
    return stat[stat.rindex(")") + 2] == "S"


def pass_output(fd, out):
    """Copies what the program wrote; False once the terminal is closed."""
    try:
        data = os.read(fd, 65536)
    except OSError:  # EIO: the program has ended and closed its terminal
        return False
    if not data:
        return False
    out.write(data)
    out.flush()
    return True


def run(answers, argv):
    pid, fd = pty.fork()
    if pid == 0:
        try:
            os.execvp(argv[0], argv)
        finally:
            os._exit(127)
    out = sys.stdout.buffer
    pending = [a + "\n" for a in answers.splitlines()]
    deadline = time.monotonic() + TIME_LIMIT
    waits = 0  # looks in a row that found the program waiting with nothing more to show
    open_terminal = True
    while open_terminal and time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], QUIET)
        if ready:
            open_terminal = pass_output(fd, out)
            waits = 0
            continue
        waits = waits + 1 if sleeping(pid) else 0
        if waits < 2:
            continue
        os.write(fd, (pending.pop(0) if pending else "\x04").encode())
        waits = 0
    if open_terminal:
        os.kill(pid, 9)
        print(f"\n{argv[0]}: no end after {TIME_LIMIT} s", file=sys.stderr)
    _, status = os.waitpid(pid, 0)
    os.close(fd)
    return os.waitstatus_to_exitcode(status)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        sys.exit(2)
    code = run(sys.argv[1], sys.argv[2:])
    sys.exit(code if code >= 0 else 128 - code)
