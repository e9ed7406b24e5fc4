#!/usr/bin/env bash
# Program $1 needs none of the libraries that match the pattern $2: it
# starts without loading them.
set -euo pipefail
needed=$(readelf -d "$1" | grep NEEDED)
[ -n "$needed" ] || { echo "no libraries listed for $1"; exit 1; }
if printf '%s\n' "$needed" | grep -iE "$2"; then
    echo "$(basename "$1") needs the libraries above"
    exit 1
fi
