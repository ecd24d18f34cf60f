#!/usr/bin/env bash
# The whole-process CPU time (user + system) of one run of each program given on its own
# largest network, with the answers of tools/count_instructions.sh (tools/runs.sh): the median
# of N runs (default 21), the programs taking turns so that all of them meet the same load of
# the machine. The times come from the kernel's account of the finished process (wait4), in
# milliseconds. A program is `ostrel`, `planor`, `kaspen` or `rudvik` (the release build) or a
# path to a build whose file name begins with one of those names. With --one-line, a C program
# and a C++ program that print one line (compiled here; the C++ one twice, with the shared C++
# runtime and with the runtime linked in as the console programs have it) are measured beside
# them: the least that any run of a process costs on this machine.
# A run that fails ends the script with the program's exit status.
# Usage: tools/cpu_time.sh [-n N] [--one-line] PROGRAM...
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/runs.sh
runs=21
one_line=no
while [ $# -gt 0 ]; do
  case "$1" in
    -n) runs=$2; shift 2 ;;
    --one-line) one_line=yes; shift ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || [ $one_line = yes ] || { echo "usage: tools/cpu_time.sh [-n N] [--one-line] PROGRAM..."; exit 1; }
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

# One line per measured program: its path, its data folder, its answers.
table="$data/table"
: > "$table"
if [ $one_line = yes ]; then
  printf '#include <stdio.h>\nint main(void) { puts("one line"); return 0; }\n' > "$data/one_line.c"
  printf '#include <iostream>\nint main() { std::cout << "one line\\n"; }\n' > "$data/one_line.cpp"
  ${CC:-cc} -O2 "$data/one_line.c" -o "$data/one_line_c"
  ${CXX:-c++} -O2 "$data/one_line.cpp" -o "$data/one_line_c++"
  ${CXX:-c++} -O2 -static-libstdc++ -static-libgcc "$data/one_line.cpp" -o "$data/one_line_c++_static"
  for p in one_line_c one_line_c++ one_line_c++_static; do mkdir "$data/$p.d"; printf '%s\t%s\t\n' "$data/$p" "$data/$p.d" >> "$table"; done
fi
for name in "$@"; do
  program=$(realpath "$(default_build "$name")")
  [ -x "$program" ] || { echo "no program $program: build it first"; exit 1; }
  measured_run "$program" || { echo "no measured run for $name: give ostrel, planor, kaspen or rudvik"; exit 1; }
  folder=$(mktemp -d "$data/run.XXXX")
  cp "examples/$input" "$folder/"
  printf '%s\t%s\t%s\n' "$program" "$folder" "$answers" >> "$table"
done

python3 - "$table" "$runs" <<'PY'
import os, statistics, sys
table, runs = sys.argv[1], int(sys.argv[2])
programs = []
for line in open(table):
    path, folder, answers = line.rstrip("\n").split("\t")
    programs.append((path, folder, answers.replace("\\n", "\n").encode()))
times = {p: [] for p, _, _ in programs}
for _ in range(runs):
    for path, folder, answers in programs:
        report = os.path.join(folder, "V.TXT")
        if os.path.exists(report): os.remove(report)
        r, w = os.pipe()
        null = os.open(os.devnull, os.O_WRONLY)
        os.chdir(folder)
        # posix_spawn: the child is the program from its first instruction (no copy of this
        # interpreter to fault in), and a program that cannot be started fails here.
        try:
            pid = os.posix_spawn(path, [path], dict(os.environ, TERVAL_DATA=folder),
                                 file_actions=[(os.POSIX_SPAWN_DUP2, r, 0), (os.POSIX_SPAWN_DUP2, null, 1),
                                               (os.POSIX_SPAWN_CLOSE, w)])
        except OSError as e:
            print(f"{path} cannot be started: {e.strerror}", file=sys.stderr)
            sys.exit(127)
        os.close(r); os.close(null)
        os.write(w, answers); os.close(w)
        _, status, usage = os.wait4(pid, 0)
        code = os.waitstatus_to_exitcode(status)
        if code != 0:
            print(f"{path} ended with status {code}", file=sys.stderr)
            sys.exit(code if code > 0 else 128 - code)
        times[path].append((usage.ru_utime + usage.ru_stime) * 1000.0)
for path, _, _ in programs:
    t = times[path]
    print(f"{os.path.basename(path)}: median {statistics.median(t):.2f} ms (min {min(t):.2f}, max {max(t):.2f}, {len(t)} runs)")
PY
