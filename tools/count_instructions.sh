#!/usr/bin/env bash
# Counts the instructions of one whole run on the largest example network with valgrind's
# callgrind (the count repeats exactly, unlike a time). Needs a built build/release.
#   tools/count_instructions.sh            ostrel on examples/BIG.TXT
#   tools/count_instructions.sh planor     planor on examples/PLANEBIG.TXT (a second argument:
#                                          another build of planor)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 1; }
case "${1:-}" in
  planor) program=${2:-build/release/plane_adjustment/planor}; input=PLANEBIG.TXT
          answers='V.TXT\nPLANEBIG.TXT\nn\nn\nn\n' ;;
  *)      program=${1:-build/release/spatial_adjustment/ostrel}; input=BIG.TXT
          answers='V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n' ;;
esac
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp "examples/$input" "$data/"
printf "$answers" > "$data/answers"
(cd "$data" && TERVAL_DATA="$data" valgrind --tool=callgrind --callgrind-out-file="$data/cg.out" \
  "$OLDPWD/$program" < answers > /dev/null 2> "$data/vg.txt")
grep -o 'Collected : [0-9]*' "$data/vg.txt" | sed 's/Collected : /instructions: /'
