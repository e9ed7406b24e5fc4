#pragma once

#include "chordlist.h"

namespace chordvane {

// How plain a chord is, judged from its tones alone, since users rename and
// add entries in their lists. When two chords explain notes equally well,
// the plainer one (the lower class) is named.
enum class ChordClass {
    Triad,     // major and minor triads
    Seventh,   // 7, m7, M7, mM7, m7(♭5), dim7, and the dim and aug triads
    Added,     // 6, m6, sus4, 7sus4, sus2, add9, m(add9)
    Other,     // every other chord
    BareFifth, // root and fifth alone
};

// The class of a chord row: interval numbers (1 = the root, 5 = major third,
// 8 = fifth ...) up to the first NO_NOTE; column 0 is taken as the root.
ChordClass chordClass(const ChordRow &row);

} // namespace chordvane
