#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan, and runs
# each for a quarter of SECONDS (default 60) from the seed corpus kept in
# fuzz/corpus. Fails on the first crash, leak, hang or sanitizer report.
# CHORDVANE_FUZZ_BUILD chooses the build folder (default: build-fuzz).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=${CHORDVANE_FUZZ_BUILD:-$root/build-fuzz}

missing=()
for p in clang-14 libclang-rt-14-dev cmake ninja-build pkg-config qt6-base-dev libquazip1-qt6-dev \
    libfluidsynth-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCHORDVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

per_target=$((seconds / 5))
[ "$per_target" -lt 1 ] && per_target=1
for target in chordlist_fuzz cli_fuzz score_fuzz midifile_fuzz locale_fuzz; do
    name=${target%_fuzz}
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    cp -n "$root/fuzz/corpus/$name/"* "$corpus/"
    log=$build/$target.log
    echo "== $target for ${per_target}s"
    status=0
    (cd "$build" && "$build/bin/$target" -max_total_time="$per_target" -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" >"$log" 2>&1) || status=$?
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" || true
    if [ "$status" -ne 0 ]; then
        grep -E '==[0-9]+==|SUMMARY|runtime error|Test unit written' "$log" >&2 || tail -n 30 "$log" >&2
        echo "fuzzing $target found a problem (exit $status); see $log" >&2
        exit 1
    fi
done
