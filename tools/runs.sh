# The measured run of each console program, shared by tools/count_instructions.sh and
# tools/cpu_time.sh: its network in examples/ and the dialogue's answers (report file, input
# file, then "n" to every offer of the interactive computations and no point database).
# Sourced; `measured_run NAME` sets $input and $answers for the program NAME (a build's file
# name such as ostrel-f or rudvik-h counts as its family), `default_build NAME` prints the path
# of the program or build NAME in the release build (any other NAME is taken as a path).
measured_run() {
  case "$(basename "$1")" in
    planor*) input=PLANEBIG.TXT; answers='V.TXT\nPLANEBIG.TXT\nn\nn\nn\n' ;;
    kaspen*) input=DEFBIG.TXT;   answers='V.TXT\nDEFBIG.TXT\n' ;;
    rudvik*) input=RDEFBIG.TXT;  answers='V.TXT\nRDEFBIG.TXT\nn\n' ;;
    ostrel*|vintra*) input=BIG.TXT; answers='V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n' ;;
    *) return 1 ;;
  esac
}
default_build() {
  case "$1" in
    */*) echo "$1" ;;
    planor) echo build/release/plane_adjustment/planor ;;
    kaspen) echo build/release/spatial_deformation/kaspen ;;
    rudvik*) echo "build/release/plane_deformation/$1" ;;
    ostrel*|vintra) echo "build/release/spatial_adjustment/$1" ;;
    *) echo "$1" ;;
  esac
}
