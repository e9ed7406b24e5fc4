#!/usr/bin/env bash
# Builds Chordvane when needed and starts it. Arguments, when given, go to
# the command-line search chordvane-find instead.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build

CHORDVANE_TARGETS="Chordvane chordvane-find chordvane-find-scores chordvane-find-sound chordvane_data" "$root/scripts/setup.sh" "$build"

if [ $# -gt 0 ]; then
    exec "$build/bin/chordvane-find" "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Chordvane is a desktop program and no display is set (DISPLAY is empty)." >&2
    echo "Start it from a graphical session, or try the command line:" >&2
    echo "  scripts/run.sh C E G Bb" >&2
    exit 1
fi
exec "$build/bin/Chordvane"
