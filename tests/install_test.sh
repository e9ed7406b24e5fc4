#!/usr/bin/env bash
# Installs the build into a scratch prefix, runs the installed chordvane-find,
# then builds the Debian package and checks what it holds and needs.
set -euo pipefail
build=$1
scores=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/data/score
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
companions="libexec/chordvane/chordvane-find-scores libexec/chordvane/chordvane-find-sound"
for f in bin/Chordvane bin/chordvane-find $companions share/chordvane/CodeList.txt \
    share/chordvane/CodeListB.txt share/chordvane/使う前に.txt \
    "share/chordvane/Before you start.txt" share/chordvane/chordvane_en.qm \
    share/applications/chordvane.desktop share/icons/hicolor/48x48/apps/chordvane.png \
    share/icons/hicolor/256x256/apps/chordvane.png; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
# The installed command finds its chord lists under share/chordvane.
out=$(cd / && "$prefix/bin/chordvane-find" C E G)
[ "$(printf '%s\n' "$out" | head -n 1)" = "$(printf 'C\t100')" ] || { echo "unexpected: $out"; exit 1; }
"$prefix/bin/chordvane-find" --no-jazz --rate 100 C E G Bb | grep -q "^C7	100$"
# Scores and sound by way of the installed companions, which find the lists too.
(cd / && "$prefix/bin/chordvane-find" --score "$scores/band.musicxml") |
    grep -q "^1	1	48 57 60 64 67	C6	100$"
(cd / && "$prefix/bin/chordvane-find" --wav "$prefix/chord.wav" C E G) >/dev/null
[ "$(stat -c %s "$prefix/chord.wav")" = 352844 ] || { echo "no sound written"; exit 1; }
# Without its companion, a score command says what is missing.
mv "$prefix/libexec/chordvane/chordvane-find-scores" "$prefix/moved"
status=0
message=$("$prefix/bin/chordvane-find" --score "$scores/band.musicxml" 2>&1) || status=$?
[ "$status" = 2 ] && [[ "$message" == *"libexec/chordvane/chordvane-find-scores"* ]] ||
    { echo "unexpected without chordvane-find-scores ($status): $message"; exit 1; }

# The package.
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/chordvane_*.deb | head -n 1)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/Chordvane ./usr/bin/chordvane-find ./usr/libexec/chordvane/chordvane-find-scores \
    ./usr/libexec/chordvane/chordvane-find-sound ./usr/share/chordvane/CodeList.txt \
    "./usr/share/chordvane/Before you start.txt" ./usr/share/chordvane/chordvane_en.qm \
    ./usr/share/applications/chordvane.desktop; do
    printf '%s\n' "$contents" | grep -q " $f\$" || { echo "not packaged: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 fonts-ipafont-gothic qt6-qpa-plugins libfluidsynth3 librtmidi6 \
    fluid-soundfont-gm; do
    printf '%s\n' "$depends" | grep -q "$d" || { echo "missing dependency $d: $depends"; exit 1; }
done
echo "installed and packaged: $(basename "$deb")"
