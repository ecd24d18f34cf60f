#!/usr/bin/env bash
# Measures one whole run of a program on the largest example network (examples/BIG.TXT, the
# dialogue answered as in the demo, no interactive computations):
#   instructions       valgrind's callgrind (the count repeats exactly, unlike a time)
#   minor page faults  /usr/bin/time -f %R (GNU time)
#   system calls       strace -c -f, all of them and the write calls among them
# Its argument is the program (default: build/release/spatial_adjustment/ostrel, built before);
# `planor` measures the plane program on examples/PLANEBIG.TXT instead (a second argument: the
# build of planor, default build/release/plane_adjustment/planor); `kaspen` measures the
# deformation program on examples/DEFBIG.TXT the same way, `rudvik` the plane deformation
# program on examples/RDEFBIG.TXT.
# A figure whose tool is missing is skipped with the package that provides it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = planor ]; then
  program=$(realpath "${2:-build/release/plane_adjustment/planor}")
  input=PLANEBIG.TXT
  answers='V.TXT\nPLANEBIG.TXT\nn\nn\nn\n'
elif [ "${1:-}" = kaspen ]; then
  program=$(realpath "${2:-build/release/spatial_deformation/kaspen}")
  input=DEFBIG.TXT
  answers='V.TXT\nDEFBIG.TXT\n'
elif [ "${1:-}" = rudvik ]; then
  program=$(realpath "${2:-build/release/plane_deformation/rudvik}")
  input=RDEFBIG.TXT
  answers='V.TXT\nRDEFBIG.TXT\nn\n'
else
  program=$(realpath "${1:-build/release/spatial_adjustment/ostrel}")
  input=BIG.TXT
  answers='V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n'
fi
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
