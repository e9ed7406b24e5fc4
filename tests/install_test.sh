#!/usr/bin/env bash
# Installs the build into a scratch prefix, runs the installed chordvane-find,
# then builds the Debian package and checks what it holds and needs.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/Chordvane bin/chordvane-find share/chordvane/CodeList.txt \
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

# The package.
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/chordvane_*.deb | head -n 1)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/Chordvane ./usr/bin/chordvane-find ./usr/share/chordvane/CodeList.txt \
    "./usr/share/chordvane/Before you start.txt" ./usr/share/chordvane/chordvane_en.qm \
    ./usr/share/applications/chordvane.desktop; do
    printf '%s\n' "$contents" | grep -q " $f\$" || { echo "not packaged: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 fonts-ipafont-gothic qt6-qpa-plugins libfluidsynth3 fluid-soundfont-gm; do
    printf '%s\n' "$depends" | grep -q "$d" || { echo "missing dependency $d: $depends"; exit 1; }
done
echo "installed and packaged: $(basename "$deb")"
