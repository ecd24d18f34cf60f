#!/usr/bin/env bash
# Builds the spatial and the plane adjustment programs and the two deformation programs and
# runs them on the bundled example networks in a scratch data folder, each in a terminal of its
# own where its answers are typed as a user would type them (tools/typed_run.py: every answer
# stands after its question); shows each report and ends with a summary of what was written.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source tools/packages.sh
install_packages demo
# Only what the demo runs: the four console programs; the tests, the benchmarks and the windowed
# program are the test command's.
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERVAL_TESTS=OFF \
  -DTERVAL_BENCHMARKS=OFF -DTERVAL_KAVON=OFF >/dev/null
cmake --build build/demo --target ostrel planor kaspen rudvik >/dev/null

data=$(mktemp -d)
cp examples/DEMO.TXT examples/PLANE.TXT examples/BODY.DB "$data/"
echo "Data folder: $data"
charmap=$(locale charmap 2>/dev/null || echo UTF-8)
# A program of the demo build run in the data folder, the answers typed one by one.
typed() {  # answers, program
  (cd "$data" && TERVAL_DATA="$data" python3 "$root/tools/typed_run.py" "$1" "$root/build/demo/$2")
}
show() {  # report
  echo
  echo "================ the report $data/$1 ================"
  iconv -f CP1250 -t "$charmap" "$data/$1"
}
# The answers: report file, input file, then the interactive computations: a spatial distance
# 1-3 and the end of that offer, no horizontal distance, the height difference 1-7, the angle
# 2-1-3, and the zenith angle 1-2.
answers='VYSLEDEK.TXT
DEMO.TXT
a
1 3
-1 0
a
n
a
1 7
x
a
a
2 1 3
-1 0 0
a
a
1 2
-1 0
a
'
typed "$answers" spatial_adjustment/ostrel
show VYSLEDEK.TXT

# The plane network: its point 3 comes from the point database BODY.DB. A first run on a file
# of points only adds the known point 20, outside the network, to the database; the second
# adjusts the network and computes the distance 1-20 and the angle 20-3-5 with that point.
printf "'Znamy bod mimo sit'\n3.0 2.0 1.0 2.0\n  20   0    5500000.0    1700000.0\n-1\n" > "$data/BOD20.TXT"
typed $'BOD20.LST\nBOD20.TXT\nBODY.DB\n' plane_adjustment/planor
answers='ROVINA.TXT
PLANE.TXT
BODY.DB
y
1 20
4 9
-1 0
y
y
20 3 5
-1 0 0
y
'
typed "$answers" plane_adjustment/planor
show ROVINA.TXT

# The deformation program: two epochs of the same 7 points, points 5 and 7 moved by a few
# millimetres between them (examples/DEFORM.TXT). The answers: report file, input file.
cp examples/DEFORM.TXT "$data/"
typed $'DEFORMACE.TXT\nDEFORM.TXT\n' spatial_deformation/kaspen
show DEFORMACE.TXT

# The plane deformation program: two epochs of 6 points (examples/PLANEDEF.TXT), points 2, 4, 5
# and 6 moved by a few millimetres, point 3 taken from the point database PLANEDEF.DB, which the
# run then extends by the resulting coordinates. The answers: report, input file, database.
cp examples/PLANEDEF.TXT examples/PLANEDEF.DB "$data/"
typed $'ROZDIL.TXT\nPLANEDEF.TXT\nPLANEDEF.DB\n' plane_deformation/rudvik
show ROZDIL.TXT

cat <<SUMMARY

================ summary ================
The data folder: $data
The reports written there (code page 1250):
  VYSLEDEK.TXT   ostrel on DEMO.TXT, with the computations between points
  BOD20.LST      planor on BOD20.TXT, the known point 20 stored in BODY.DB
  ROVINA.TXT     planor on PLANE.TXT, point 3 from BODY.DB
  DEFORMACE.TXT  kaspen on DEFORM.TXT
  ROZDIL.TXT     rudvik on PLANEDEF.TXT, point 3 from PLANEDEF.DB
Show one:
  iconv -f cp1250 $data/VYSLEDEK.TXT | less
List a point database:
  python3 tools/point_database.py $data/BODY.DB
SUMMARY
