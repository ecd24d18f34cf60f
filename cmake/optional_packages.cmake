# The packages that only some parts of the suite need: the windowed program (Qt 6), the tests
# (GoogleTest, Eigen for the independent solutions of the known-truth networks) and the
# benchmarks (Google Benchmark, Eigen). The console programs need none of them.
if(TERVAL_COMPLETE)
  set(terval_need REQUIRED)
else()
  set(terval_need "")
endif()

find_package(Qt6 ${terval_need} COMPONENTS Widgets Test)
find_package(GTest ${terval_need})
find_package(Eigen3 3.3 ${terval_need} NO_MODULE)
if(TERVAL_BENCHMARKS)
  find_package(benchmark ${terval_need})
endif()

# Leaves out a part whose packages are missing, and says so.
macro(terval_leave_out flag what packages)
  message(WARNING "${what} not built: ${packages} not found")
  set(${flag} OFF)
endmacro()

set(TERVAL_KAVON ON)
if(NOT Qt6_FOUND)
  terval_leave_out(TERVAL_KAVON "The windowed program kavon is" "Qt 6 Widgets (qt6-base-dev)")
endif()
if(TERVAL_TESTS AND NOT (GTest_FOUND AND Eigen3_FOUND))
  terval_leave_out(TERVAL_TESTS "The tests are" "GoogleTest or Eigen (libgtest-dev, libgmock-dev, libeigen3-dev)")
endif()
if(TERVAL_BENCHMARKS AND NOT (benchmark_FOUND AND Eigen3_FOUND))
  terval_leave_out(TERVAL_BENCHMARKS "The benchmarks are" "Google Benchmark or Eigen (libbenchmark-dev, libeigen3-dev)")
endif()
if(TERVAL_TESTS)
  include(GoogleTest)
endif()
