#!/usr/bin/env bash
# What each chordvane-find command costs as a whole process, start-up
# included: the instructions it runs (callgrind, steadier than a clock; the
# dynamic loader's symbol look-ups count) and its peak memory (GNU time).
# Give one or more build folders to compare them side by side:
#   bench/command_figures.sh build ../other/build
# The scores come from bench/make_scores.py, the batch from the 76 voicings
# of engine_bench repeated to 76 000 lines.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -gt 0 ] || { echo "usage: $0 BUILD [BUILD ...]" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/make_scores.py" "$work" >/dev/null
python3 - "$work/batch.txt" <<'EOF'
import sys
roots = "C Db D Eb E F Gb G Ab A Bb B".split()
shapes = [[0, 4, 7], [0, 3, 7], [0, 4, 7, 10], [0, 3, 7, 10], [0, 4, 7, 11], [0, 4, 7, 9],
          [0, 3, 6, 10], [0, 3, 6, 9], [0, 4, 7, 10, 14], [0, 3, 7, 10, 14], [0, 4, 7, 11, 14],
          [0, 4, 10, 14, 21], [0, 7, 10, 15, 17], [0, 4, 7, 10, 14, 21], [0, 4, 10, 13, 19],
          [0, 3, 7, 10, 14, 17], [0, 4, 7, 11, 14, 18], [0, 5, 7, 10, 14], [7, 12, 16, 19],
          [4, 12, 19, 22], [0, 4, 7, 10, 13, 17, 20], [10, 16, 19, 24, 26], [0, 4, 8, 10],
          [0, 2, 7, 11]]
lines = []
for i in range(76):
    root = (i * 5 + i // 24) % 12
    lines.append(" ".join(roots[(root + s) % 12] for s in shapes[i % len(shapes)]))
open(sys.argv[1], "w").write("".join(line + "\n" for line in lines) * 1000)
EOF

# name, arguments, standard input; a build that lacks a command shows its
# figures for the usage error.
commands=(
    "query|C E G|/dev/null"
    "help|--help|/dev/null"
    "batch|--batch|$work/batch.txt"
    "wav|--wav $work/chord.wav C E G|/dev/null"
    "score 80 parts|--score $work/many_parts.musicxml|/dev/null"
    "score sixteenths|--score $work/sixteenths.musicxml|/dev/null"
)

printf '%-18s %-40s %16s %10s %6s\n' command build instructions "peak KiB" libs
for entry in "${commands[@]}"; do
    IFS='|' read -r name args input <<<"$entry"
    for build in "$@"; do
        program=$build/bin/chordvane-find
        # shellcheck disable=SC2086 # the arguments are words
        instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null --trace-children=yes \
            "$program" $args <"$input" 2>&1 >/dev/null | awk '/Collected/ {sum += $4} END {printf "%.0f\n", sum}' || true)
        # shellcheck disable=SC2086
        peak=$(/usr/bin/time -f %M "$program" $args <"$input" 2>&1 >/dev/null | tail -n 1 || true)
        libs=$(ldd "$program" | wc -l)
        printf '%-18s %-40s %16s %10s %6s\n' "$name" "$build" "$instructions" "$peak" "$libs"
    done
done
