#!/usr/bin/env bash
# Builds Chordvane when needed and runs it. Until the window exists this runs
# the command-line search on an example chord: C E G B♭ over C.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build

CHORDVANE_TARGETS="chordvane-find chordvane_data" "$root/scripts/setup.sh" "$build"

if [ $# -gt 0 ]; then
    exec "$build/bin/chordvane-find" "$@"
fi
exec "$build/bin/chordvane-find" --just C E G B♭
