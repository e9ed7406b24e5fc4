#pragma once

#include "engine.h"

#include <string>

namespace chordvane {

// The text that names result i: root name and chord name, then " on " and
// the bass name for a chord found on another root ("Am7 on C").
std::string ResultLine(const ChordEngine &engine, int i);

// The root of result i: its own root, or the bass when it stands on the bass.
int ResultRootNote(const ChordEngine &engine, int i);

// The just-intonation table of result i: one "E ： -13.7" line per chord
// tone, root first, each line ended by lineEnd.
std::string JustTableText(const ChordEngine &engine, int i, std::string_view lineEnd = "\r\n");

} // namespace chordvane
