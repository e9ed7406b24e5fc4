#!/usr/bin/env bash
# Builds Chordvane and runs the whole test suite headless: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan), a short
# fuzzing run (build-fuzz), the score reader's tests under valgrind, and last
# the ordinary build (build), whose ctest summary ends the output.
# FUZZ_SECONDS sets the fuzzing time (default 60).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== sanitizer build"
"$root/scripts/setup.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DCHORDVANE_SANITIZE=ON \
    -DCHORDVANE_BUILD_BENCHMARKS=OFF
(cd "$root/build-asan" &&
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure --parallel "$jobs" -E InstallAndPackage)

echo "== fuzzing"
"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-60}"

"$root/scripts/setup.sh" "$root/build"

# AddressSanitizer sees only the reads of our own code: a stale view of the
# XML reader's buffer compared inside Qt goes unnoticed. Memcheck sees all.
echo "== valgrind"
valgrind --quiet --error-exitcode=1 --leak-check=no \
    "$root/build/bin/score_tests" --gtest_filter='ScoreReader.*' --gtest_brief=1

echo "== tests"
cd "$root/build"
ctest --output-on-failure --parallel "$jobs"
