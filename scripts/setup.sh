#!/usr/bin/env bash
# Installs the Debian packages Chordvane needs (when missing), then configures
# and builds into the folder given as $1 (default: build). Extra arguments go
# to cmake's configure step; CHORDVANE_TARGETS limits what is built.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
shift || true

packages=(
    cmake g++ make ninja-build ccache pkg-config
    qt6-base-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libgl-dev libquazip1-qt6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfluidsynth-dev libfftw3-dev timgm6mb-soundfont librtmidi-dev
    fonts-ipafont-gothic fonts-dejavu-core
)
# The whole build is for the tests, which also run valgrind, MuseScore 3, a
# JACK server (jackd2) to play MIDI into the window and pdftotext
# (poppler-utils) to read the PDF chart back; a build of chosen targets
# (scripts/run.sh) needs none of them.
if [ -z "${CHORDVANE_TARGETS:-}" ]; then
    packages+=(valgrind musescore3 jackd2 poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
targets=()
for t in ${CHORDVANE_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
