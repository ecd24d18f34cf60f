#!/usr/bin/env python3
"""Lists the records of a point database file, one a line, in file order. It only reads.

A point database is a plain sequence of 32-byte records: the point number (16-bit signed,
little-endian), X, Y and a third value [mm] (64-bit IEEE reals, little-endian), and six zero
bytes. The number 9999 marks a deleted record; the first record numbered 99 ends the records
that count, so it and every record after it are left out by the programs.

Every value is printed exactly: reading a printed coordinate back gives the bits of the file.
A file that is not a point database (its length not a whole number of records, or a record
whose last six bytes are not zeros) is listed as far as it has whole records, and the reason
is told on the standard error output; the status is then 1.

Usage: point_database.py FILE
"""
import struct
import sys

RECORD = struct.Struct("<hddd6s")  # number, X, Y, third value, six bytes of no value
DELETED = 9999
END_MARK = 99


def remark(number, past_end):
    if past_end:
        return "past the end mark"
    if number == END_MARK:
        return "end mark"
    if number == DELETED:
        return "deleted"
    return ""


def listing(data):
    """The lines of the listing and the reasons why the file is not a point database."""
    lines = [f"{'record':>6} {'number':>6} {'X [mm]':>20} {'Y [mm]':>20} {'third [mm]':>20}  remark"]
    problems = []
    whole = len(data) // RECORD.size
    past_end = False
    for k in range(whole):
        number, x, y, third, rest = RECORD.unpack_from(data, k * RECORD.size)
        note = remark(number, past_end)
        if rest != bytes(6):
            problems.append(f"record {k + 1}: bytes 26-31 are not zeros")
        lines.append(f"{k + 1:>6} {number:>6} {x!r:>20} {y!r:>20} {third!r:>20}  {note}".rstrip())
        past_end = past_end or number == END_MARK
    if len(data) % RECORD.size:
        problems.append(f"{len(data)} bytes are not a whole number of {RECORD.size}-byte records")
    return lines, problems


def main(argv):
    if len(argv) != 2 or argv[1].startswith("-"):
        print("usage: point_database.py FILE  (lists the records of a point database)", file=sys.stderr)
        return 2
    try:
        with open(argv[1], "rb") as f:
            data = f.read()
    except OSError as e:
        print(f"{argv[1]}: {e.strerror}", file=sys.stderr)
        return 1
    lines, problems = listing(data)
    print("\n".join(lines))
    for problem in problems:
        print(f"{argv[1]}: not a point database: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
