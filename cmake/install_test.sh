#!/usr/bin/env bash
# The suite as installed: `cmake --install` into a temporary prefix, then ostrel and planor run
# from there, as a user would, on the installed example networks in a scratch folder, and the
# desktop entry of the windowed program checked by desktop-file-validate; every program's manual
# page formatted by man, and the point-database lister run on the installed example database.
# Usage: install_test.sh BUILD_FOLDER KAVON_BUILT(ON|OFF) CONSOLE_PROGRAM...
set -euo pipefail
build=$1 kavon=$2
shift 2
programs=("$@")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
examples=$prefix/share/terval/examples
for f in README.md DEMO.TXT PLANE.TXT BODY.DB BIG.TXT; do
  [ -f "$examples/$f" ] || { echo "not installed: share/terval/examples/$f"; exit 1; }
done
[ -f "$prefix/share/doc/terval/README.md" ] || { echo "not installed: share/doc/terval/README.md"; exit 1; }
# A manual page formatted without a warning.
manual() {  # name
  local page=$prefix/share/man/man1/$1.1
  [ -f "$page" ] || { echo "not installed: share/man/man1/$1.1"; exit 1; }
  local warnings; warnings=$(MANWIDTH=80 man -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "man -l $1.1: $warnings"; exit 1; }
}
for p in "${programs[@]}"; do
  [ -x "$prefix/bin/$p" ] || { echo "not installed: bin/$p"; exit 1; }
  manual "$p"
  [[ $("$prefix/bin/$p" --version) == "$p "* ]] || { echo "$p --version does not name it"; exit 1; }
  [[ $("$prefix/bin/$p" --help) == *"$(realpath "$examples")"* ]] ||
    { echo "$p --help does not name the installed examples"; exit 1; }
done
[[ $("$prefix/share/terval/point_database.py" "$examples/BODY.DB") == *$'\n     3      3 '* ]] ||
  { echo "share/terval/point_database.py does not list BODY.DB"; exit 1; }

# One run from the prefix in a folder of its own; the report must be there and name the
# network's title (the first line of the input file) and the fixed point 1.
run() {  # program, report, input, answers, title, point 1 as the report shows it
  local folder; folder=$(mktemp -d "$prefix/run.XXXX")
  cp "$examples/$3" "$examples/BODY.DB" "$folder/"
  (cd "$folder" && printf "$4" | env -u TERVAL_DATA PATH="$prefix/bin:/usr/bin:/bin" "$1" > console.txt) ||
    { echo "$1 ended with status $?"; exit 1; }
  [ -s "$folder/$2" ] || { echo "$1 wrote no report $2"; exit 1; }
  grep -qF "$5" "$folder/$2" || { echo "$1: the report does not name the network $5"; exit 1; }
  grep -qE "$6" "$folder/$2" || { echo "$1: no point 1 at its fixed place in the report"; exit 1; }
}
run ostrel VYSLEDEK.TXT DEMO.TXT 'VYSLEDEK.TXT\nDEMO.TXT\nn\nn\nn\nn\nn\n' \
  "$(head -1 "$examples/DEMO.TXT" | tr -d "'")" ' 1 .* 1000000\.0 .* 2000000\.0 .* 300000\.0'
run planor ROVINA.TXT PLANE.TXT 'ROVINA.TXT\nPLANE.TXT\nBODY.DB\nn\nn\nn\n' \
  "$(head -1 "$examples/PLANE.TXT" | tr -d "'")" ' 1 .* 5000000\.0 .* 1000000\.0'

if [ "$kavon" = ON ]; then
  [ -x "$prefix/bin/kavon" ] || { echo "not installed: bin/kavon"; exit 1; }
  desktop-file-validate "$prefix/share/applications/kavon.desktop"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/kavon.svg" ] || { echo "not installed: the icon kavon.svg"; exit 1; }
  manual kavon
fi
echo "installed and run from $prefix"
