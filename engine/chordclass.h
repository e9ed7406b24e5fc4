#pragma once

#include "chordlist.h"

#include <string>

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

// A chord row's pitch classes above its root, the root included: bit s for
// s semitones up, from the interval numbers up to the first NO_NOTE.
unsigned chordTones(const ChordRow &row);

// Pitch classes (bit s for class s) moved up by semitones 0..11, wrapping
// at the octave: the tones of a row above C moved onto another root.
constexpr unsigned rotateClasses(unsigned classes, int semitones)
{
    return ((classes << semitones) | (classes >> (12 - semitones))) & 0xFFFu;
}

// The degree a chord tone takes, as chord symbols name it: value 1, 2, 3 ...
// 13 and alteration in semitones (-2 = 𝄫, -1 = ♭, 1 = ♯).
struct ToneDegree {
    int value = 1;
    int alter = 0;
    bool operator==(const ToneDegree &) const = default;
};

// The degree of the tone `semitones` (0..11) above the root in a chord whose
// classes are `tones` (bit s for s semitones above the root). Where one
// distance has two names the chord's other tones decide: a second is 9 beside
// a third or a seventh, else 2 (sus2); a fourth is 11 beside both, else 4
// (sus4, add4); 3 semitones is ♯9 beside a major third, else ♭3; 6 is ♯11
// beside a perfect fifth, else ♭5; 8 is ♭13 beside a perfect fifth, else ♯5;
// 9 is 13 beside a seventh, 𝄫7 in a diminished triad, else 6.
ToneDegree chordDegree(unsigned tones, int semitones);

// "1", "♭9", "𝄫7", "♯11" ...
std::string degreeText(const ToneDegree &degree);

} // namespace chordvane
