#!/usr/bin/env bash
# Installs what the build needs (Debian packages, only when missing), builds the suite and runs
# every test: once in a normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzz target (input file and console answers of a whole run) for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/packages.sh
install_packages demo test
# The fuzzer's runtime of the clang that is installed, of whatever release it is.
if ! ls "$(clang -print-resource-dir)"/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt_install "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
fi

# The parallel jobs of the builds and the tests: CMAKE_BUILD_PARALLEL_LEVEL when it is set (as
# CMake itself takes it), else one per processor.
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
run_suite() {  # build folder, extra cmake options...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DTERVAL_COMPLETE=ON -DTERVAL_TESTS=ON -DTERVAL_KAVON=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs"
}

echo "== normal build"
run_suite build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERVAL_WERROR=ON
echo "== sanitizer build (address, undefined)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTERVAL_WERROR=ON -DTERVAL_SANITIZE=ON -DTERVAL_BENCHMARKS=OFF
if [ -f fuzz/CMakeLists.txt ]; then
  echo "== fuzzing whole runs: input file and console answers"
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTERVAL_FUZZ=ON -DTERVAL_WERROR=ON \
    -DTERVAL_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/fuzz -j "$jobs" --target fuzz_reader
  mkdir -p build/fuzz/corpus
  # Seeds: each example network alone (the console answers "n"), and followed by a NUL byte and
  # console answers that pass through the dialogue's refusals and every interactive offer.
  cp examples/*.TXT build/fuzz/corpus/
  for f in examples/*.TXT; do
    { cat "$f"; printf '\0'; cat fuzz/seed_answers.txt; } > "build/fuzz/corpus/$(basename "$f" .TXT).answers"
  done
  build/fuzz/fuzz/fuzz_reader -max_total_time=60 -rss_limit_mb=2048 build/fuzz/corpus
fi
echo "All tests passed."
