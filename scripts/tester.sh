#!/usr/bin/env bash
# Installs, builds and runs every test: once in a normal build with warnings as
# errors, once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installer-dependances.sh
export QT_QPA_PLATFORM=offscreen
# Tests redirect every folder the program touches; start from an empty home.
export HOME="$(mktemp -d)"
jobs=$(nproc)

cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGALVORA_WERROR=ON -DGALVORA_BENCHMARKS=ON >/dev/null
cmake --build build-tests -j "$jobs"
(cd build-tests && ctest --output-on-failure -j "$jobs" --timeout 300)
# The unplug test's table: each unit unplugged at each stage of a run.
cat build-tests/debranchements.txt

# Each fuzz target a few seconds from the kept corpus (the long runs are made
# by hand: scripts/fuzzer.sh --executions N --garder).
scripts/fuzzer.sh --secondes 5

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DGALVORA_WERROR=ON -DGALVORA_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 600)
