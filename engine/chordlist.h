#pragma once

#include "notes.h"

#include <array>
#include <string>
#include <string_view>

namespace chordvane {

inline constexpr int kChordSlots = 61;  // chord slots 0..60
inline constexpr int kChordColumns = 8; // interval numbers per chord

using ChordNameTable = std::array<std::string, kChordSlots>;
// Interval numbers (1 = the root) in ascending order, NO_NOTE after the last.
using ChordIntervalTable = std::array<std::array<Note, kChordColumns>, kChordSlots>;

// Empties both tables: empty names, NO_NOTE in every column.
void ClearChordTable(ChordNameTable &names, ChordIntervalTable &intervals);

// Parses chord list text (UTF-8, one "name:1,5,8" entry a line, CR LF or LF)
// into freshly cleared tables.
void ParseChordList(std::string_view text, ChordNameTable &names, ChordIntervalTable &intervals);

// Reads one number field the way the chord list does: blanks ignored, an
// optional sign, decimal digits with one optional point; reading stops at the
// first character that cannot continue the number; no number reads as 0.
double ReadChordListNumber(std::string_view field);

} // namespace chordvane
