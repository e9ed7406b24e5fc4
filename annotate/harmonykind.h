#pragma once

#include "chordlist.h"

#include <string_view>
#include <vector>

namespace chordvane::annotate {

enum class DegreeType { Add, Alter, Subtract };

// One MusicXML <degree>: value 1 = the root, 3 = the third ... 13. alter in
// semitones, as MusicXML reads it: for Add relative to a dominant chord (major
// and perfect intervals, a minor seventh), for Alter and Subtract relative to
// the kind's own tone.
struct Degree {
    int value = 0;
    int alter = 0;
    DegreeType type = DegreeType::Add;
    friend bool operator==(const Degree &, const Degree &) = default;
};

// A chord as MusicXML names it: a <kind> value ("major", "minor-seventh" ...)
// and the degrees that say what the kind alone does not, by value.
struct HarmonyKind {
    std::string_view kind;
    std::vector<Degree> degrees;
};

// The kind of a chord row (interval numbers, 1 = the root), derived from its
// tones and never from its name, since users rename and edit their lists.
// It is the kind that needs the fewest degrees, a subtracted tone counting
// as three (a kind should not claim tones the chord lacks); among equals the
// kind with more tones, then the plainer. The 11th is optional in 13th
// chords, as lead sheets write them.
//
// Example: 1, 5, 7, 11 (C E G♭ B♭) is "dominant" with the fifth altered
// down: {5, -1, Alter}. 1, 2, 5, 8, 11 is "dominant" with {9, -1, Add}.
HarmonyKind harmonyKind(const ChordRow &row);

} // namespace chordvane::annotate
