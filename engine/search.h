#pragma once

#include "chordlist.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace chordvane {

// Interval numbers above a root as bits: bit d set for interval number d
// (2 = minor second ... 12 = major seventh); the root itself is never a bit.
using IntervalSet = std::uint16_t;

// How many of a chord's tones are present: the root always is.
struct ChordRate {
    int present = 0;
    int tones = 0;
    // At least threshold percent, exactly: 1 tone of 5 passes 20, not 21.
    bool reaches(int threshold) const { return 100 * present >= threshold * tones; }
    // Whole percent, halves to even (87.5 -> 88, 62.5 -> 62).
    int percent() const;
};

// Whether the notes of one pass can spell the chord `row`, and how fully.
// notes: the interval numbers of the other entered pitch classes above the
// root. exempt: the bass's interval number when the root is not the bass
// (the bass is then no tone the chord must have), 0 otherwise.
//
// The row's tones and the notes are walked upward together: a note must be
// a tone of the row, and tones the walk passes over are missing. The exempt
// bass counts as present only when it is the very next tone of the row at
// that point of the walk; otherwise it is passed over without a count.
//
// Example: m7 = 1, 4, 8, 11 with notes {4, 11} (E♭ and B♭ above C): 4 is
// present, 8 missing, 11 present: 3 of 4 tones, 75 %. With notes {4, 5} no
// match: 5 (E) is no tone of m7. Row 1, 4, 8 with notes {4, 9}, exempt 9 (the
// bass a minor sixth above the root): 4 present, the bass passed, 8 missing:
// 2 of 3.
std::optional<ChordRate> rateChord(const ChordRow &row, IntervalSet notes, int exempt);

// One search: the bass and the other entered notes (note numbers, any
// octave; NO_NOTE entries are ignored) and the smallest rate listed.
struct SearchRequest {
    int bass = NO_NOTE;
    std::vector<int> notes;
    int threshold = 65;
};

// A chord found: its slot in the table, its root as a note number between
// bass + 1 and bass + 11 (bass = the bass's pitch class, 1..12) or NO_NOTE
// when it stands on the bass, and its rate in whole percent.
struct ChordMatch {
    int chord = 0;
    int root = NO_NOTE;
    int rate = 0;
    bool operator==(const ChordMatch &) const = default;
};

// Every chord of the table that the notes spell at the threshold: first on
// the bass, then on each other entered pitch class ascending above the bass
// (the bass exempt), each root's chords in table order. Nothing when no note
// has another pitch class than the bass.
std::vector<ChordMatch> findChords(const ChordTable &table, const SearchRequest &request);
// The same into found (cleared first), for callers that search many times
// and keep one list's memory.
void findChords(const ChordTable &table, const SearchRequest &request,
                std::vector<ChordMatch> &found);

// Highest rate first; equal rates go to the lower penalty: the chord's
// class (chordClass: 0 triads ... 4 a bare fifth), plus 1.5 when the root is
// not the bass but the bass is a chord tone, plus 3 when the bass is no
// chord tone; then the order in which they were found. A chord that shares
// at most two tones with the entered notes over a bass that is none of its
// tones ranks as if its rate were 40 lower (a dyad over a foreign bass is
// rarely what was meant). The printed rates stay as they are.
void rankByMatchRate(const ChordTable &table, const SearchRequest &request,
                     std::vector<ChordMatch> &matches);

} // namespace chordvane
