#!/usr/bin/env bash
# The whole-process CPU time (user + system) of one run on the largest example network, as in
# tools/count_instructions.sh: the median of N runs (default 20) of each program given, the
# programs taking turns so that all of them meet the same load of the machine. The times come
# from the kernel's account of the finished process (wait4), in milliseconds.
# Usage: tools/cpu_time.sh [-n N] PROGRAM...
set -euo pipefail
cd "$(dirname "$0")/.."
runs=20
if [ "${1:-}" = "-n" ]; then runs=$2; shift 2; fi
[ $# -gt 0 ] || { echo "usage: tools/cpu_time.sh [-n N] PROGRAM..."; exit 1; }
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp examples/BIG.TXT "$data/"
python3 - "$data" "$runs" "$@" <<'PY'
import os, statistics, sys
data, runs, programs = sys.argv[1], int(sys.argv[2]), [os.path.realpath(p) for p in sys.argv[3:]]
answers = b"V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n"
times = {p: [] for p in programs}
for _ in range(runs):
    for p in programs:
        report = os.path.join(data, "V.TXT")
        if os.path.exists(report): os.remove(report)
        r, w = os.pipe()
        pid = os.fork()
        if pid == 0:
            os.chdir(data); os.dup2(r, 0); os.close(w)
            null = os.open(os.devnull, os.O_WRONLY); os.dup2(null, 1)
            os.execve(p, [p], dict(os.environ, TERVAL_DATA=data))
        os.close(r); os.write(w, answers); os.close(w)
        _, status, usage = os.wait4(pid, 0)
        if status != 0: sys.exit(f"{p} ended with status {status}")
        times[p].append((usage.ru_utime + usage.ru_stime) * 1000.0)
for p in programs:
    t = times[p]
    print(f"{p}: median {statistics.median(t):.2f} ms (min {min(t):.2f}, max {max(t):.2f}, {len(t)} runs)")
PY
