#!/usr/bin/env bash
# Counts the instructions of one whole run of a console program on its largest example network
# with valgrind's callgrind (the count repeats exactly, unlike a time). Needs a built
# build/release. Argument: the program (default ostrel on examples/BIG.TXT; a path ending in
# kaspen runs the deformation program on examples/DEFBIG.TXT).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 1; }
program=${1:-build/release/spatial_adjustment/ostrel}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
case "$program" in
  *kaspen) example=DEFBIG.TXT; answers='V.TXT\nDEFBIG.TXT\n' ;;
  *) example=BIG.TXT; answers='V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n' ;;
esac
cp "examples/$example" "$data/"
printf "$answers" > "$data/answers"
(cd "$data" && TERVAL_DATA="$data" valgrind --tool=callgrind --callgrind-out-file="$data/cg.out" \
  "$OLDPWD/$program" < answers > /dev/null 2> "$data/vg.txt")
grep -o 'Collected : [0-9]*' "$data/vg.txt" | sed 's/Collected : /instructions: /'
