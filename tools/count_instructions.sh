#!/usr/bin/env bash
# Measures one whole run of a program on its largest example network (the dialogue answered
# as in the demo, no interactive computations):
#   instructions       valgrind's callgrind (the count repeats exactly, unlike a time)
#   minor page faults  /usr/bin/time -f %R (GNU time)
#   system calls       strace -c -f, all of them and the write calls among them
# Its argument is the program: `ostrel` (the default), `planor`, `kaspen` or `rudvik` measures
# that program of the release build on its own largest network (examples/BIG.TXT, PLANEBIG.TXT,
# DEFBIG.TXT, RDEFBIG.TXT; see tools/runs.sh), a second argument names another build of it; a
# path alone is measured on the network of the family its file name begins with.
# A figure whose tool is missing is skipped with the package that provides it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/runs.sh
name=${1:-ostrel}
if [ $# -ge 2 ]; then program=$(realpath "$2"); else program=$(realpath "$(default_build "$name")"); fi
measured_run "$name" || { echo "no measured run for $name: give ostrel, planor, kaspen or rudvik"; exit 1; }
[ -x "$program" ] || { echo "no program $program: build it first"; exit 1; }
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp "examples/$input" "$data/"
printf "$answers" > "$data/answers"

# One run in the data folder, with the report file of the run before removed; the command's
# words come before the program.
run() {
  rm -f "$data/V.TXT"
  (cd "$data" && TERVAL_DATA="$data" "$@" "$program" < answers > /dev/null)
}

if command -v valgrind >/dev/null; then
  run valgrind --tool=callgrind --callgrind-out-file="$data/cg.out" 2> "$data/vg.txt"
  grep -o 'Collected : [0-9]*' "$data/vg.txt" | sed 's/Collected : /instructions: /'
else
  echo "instructions: needs valgrind (apt-get install valgrind)"
fi
if [ -x /usr/bin/time ]; then
  run /usr/bin/time -o "$data/time.txt" -f %R
  echo "minor page faults: $(cat "$data/time.txt")"
else
  echo "minor page faults: needs GNU time (apt-get install time)"
fi
if command -v strace >/dev/null; then
  run strace -c -f -o "$data/strace.txt"
  awk '$NF == "total" { total = $4 } $NF == "write" { write = $4 }
       END { print "system calls: " total " (write: " write + 0 ")" }' "$data/strace.txt"
else
  echo "system calls: needs strace (apt-get install strace)"
fi
