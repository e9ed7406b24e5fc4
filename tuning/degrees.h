#pragma once

#include "chordlist.h"

#include <optional>
#include <string>
#include <string_view>

// Pitches here are MIDI keys (60 = middle C, C4); roots are pitch classes,
// 0 = C ... 11 = B, as the harmony analysis counts them.
namespace chordvane::tuning {

// The degree a tone takes in a chord, as chord symbols name it (chordDegree):
// interval number (1 = the root, 5 = major third; 15 the ninth above 12) to
// "1", "♭3", "3", "4", "5" ... "13".
std::string degreeName(int interval, const ChordRow &row);

// Where a note stands in a chord: its degree and the cents by which its just
// interval above the root lies from the tempered one, written as the
// just-intonation table writes them ("+2", "-13.7", "0"), the minor seventh
// as chosen (JustSeventh).
struct ChordTone {
    std::string degree;
    std::string cents;
    bool operator==(const ChordTone &) const = default;
};

// The note at MIDI key pitch in the chord row built on root; none when its
// pitch class is no tone of the chord (the root always is one).
std::optional<ChordTone> chordTone(int pitch, int root, const ChordRow &row,
                                   JustSeventh seventh = JustSeventh::NineFive);

// Cents with the way to move them: "+2 ↑", "-13.7 ↓", "0".
std::string withArrow(std::string_view cents);

// A note's name and octave, spelled with alter semitones (-1 = ♭, 2 = 𝄪):
// MIDI 70 with alter -1 is "B♭4", with alter 1 "A♯4". Where the key less
// alter is no natural note, or alter is beyond a double accidental, the key
// is spelled by itself: a natural, else a sharp.
std::string pitchName(int pitch, int alter);

} // namespace chordvane::tuning
