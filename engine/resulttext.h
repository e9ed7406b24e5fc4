#pragma once

#include "engine.h"

#include <string>

namespace chordvane {

// The text that names a chord: root name and chord name, then " on " and
// the bass name for a chord found on another root than the bass ("Am7 on C").
std::string resultLine(const ChordTable &table, const ChordMatch &match, int bass);
void appendResultLine(std::string &out, const ChordTable &table, const ChordMatch &match, int bass);

// The just-intonation table of a chord row built on root: one "E ： -13.7"
// line per chord tone, root first, each line ended by lineEnd.
std::string justTableText(const ChordRow &row, int root, std::string_view lineEnd = "\r\n");

// The same for result i of the engine's last search.
std::string resultLine(const ChordEngine &engine, int i);
std::string justTableText(const ChordEngine &engine, int i, std::string_view lineEnd = "\r\n");

// The root of result i: its own root, or the bass when it stands on the bass.
int resultRootNote(const ChordEngine &engine, int i);

} // namespace chordvane
