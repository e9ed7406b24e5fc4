#!/usr/bin/env bash
# Builds Chordvane and runs the whole test suite headless: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan), a short
# fuzzing run (build-fuzz), and last the ordinary build (build), whose ctest
# summary ends the output. FUZZ_SECONDS sets the fuzzing time (default 60).
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

echo "== tests"
"$root/scripts/setup.sh" "$root/build"
cd "$root/build"
ctest --output-on-failure --parallel "$jobs"
