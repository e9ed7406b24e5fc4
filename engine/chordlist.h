#pragma once

#include "notes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace chordvane {

inline constexpr int kChordSlots = 61;  // chord slots 0..60
inline constexpr int kChordColumns = 8; // interval numbers per chord

// The chord lists beside the program: every chord, and the list without jazz chords.
inline constexpr const char *kFullListName = "CodeList.txt";
inline constexpr const char *kPlainListName = "CodeListB.txt";

// One chord's tones as interval numbers (1 = the root) in ascending order,
// NO_NOTE after the last.
using ChordRow = std::array<Note, kChordColumns>;
using ChordNameTable = std::array<std::string, kChordSlots>;
using ChordIntervalTable = std::array<ChordRow, kChordSlots>;

// A chord table as read from a list, ready to search: the names and rows,
// and for each interval number 2..12 the set of chords that have it, so that
// a search finds the chords holding all of its notes with a few ANDs before
// it walks any row.
class ChordTable {
public:
    ChordTable(); // no chords: every search finds nothing
    ChordTable(const ChordNameTable &names, const ChordIntervalTable &intervals);
    // Parses chord list text as parseChordList does.
    static ChordTable fromText(std::string_view text);

    const ChordNameTable &names() const { return m_names; }
    const ChordIntervalTable &intervals() const { return m_intervals; }
    const std::string &name(int slot) const { return m_names[slot]; }
    const ChordRow &row(int slot) const { return m_intervals[slot]; }
    // The slots a search scans (bit s for slot s) whose rows hold every
    // interval number of intervals (bit d for interval number d, 2..12).
    // Slot 0 is always scanned, whatever its name; an empty name after it
    // ends the table; a row without tones is skipped. Only the tones before
    // a row's first NO_NOTE count.
    std::uint64_t slotsHolding(std::uint16_t intervals) const;

private:
    ChordNameTable m_names;
    ChordIntervalTable m_intervals;
    std::uint64_t m_scanned = 0;
    std::array<std::uint64_t, 13> m_slotsWith{}; // by interval number
};

// Empties both tables: empty names, NO_NOTE in every column.
void clearChordTable(ChordNameTable &names, ChordIntervalTable &intervals);

// Parses chord list text (UTF-8, one "name:1,5,8" entry a line, CR LF or LF)
// into freshly cleared tables.
void parseChordList(std::string_view text, ChordNameTable &names, ChordIntervalTable &intervals);

// Reads one number field the way the chord list does: blanks ignored, an
// optional sign, decimal digits with one optional point; reading stops at the
// first character that cannot continue the number; no number reads as 0.
double readChordListNumber(std::string_view field);

} // namespace chordvane
