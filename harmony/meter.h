#pragma once

#include "harmony.h"

#include <vector>

namespace chordvane::harmony {

// The beat of a time signature in quarter notes: the dotted beat of 6, 9 or
// 12 over 8 (or a shorter type), else one note of beatType (a quarter in
// x/4, a half in x/2, an eighth in 3/8).
Fraction beatLength(int beats, int beatType);

struct Beat {
    Fraction start;
    Fraction end;
    int measure = 0;
    int index = 0;  // counted from 0 at the measure's start
    int perBar = 4; // the beats of a full measure in its meter
};

// The measures of a piece with the meter in force at each one's start.
// Beats count from each measure's own start, so a pickup's beats start
// where it does; a measure's last beat may be cut short.
class Timeline {
public:
    // The piece must have passed validation: measure starts ascending, meters sane.
    Timeline(const Piece &piece, const Fraction &end);

    std::vector<Beat> beats() const;
    int measureAt(const Fraction &t) const;
    // The length of a beat in the measure that holds t.
    Fraction beatAt(const Fraction &t) const;
    // How strongly time t is accented: a measure's start most, then beats
    // (in an even number of beats, those on the half bar before the others;
    // five beats group 3 + 2 and seven 4 + 3), then divisions of the beat,
    // longer before shorter. Higher is stronger.
    int strength(const Fraction &t) const;
    // Whether t falls on a beat (a measure's start included).
    bool onBeat(const Fraction &t) const;

private:
    struct Measure {
        Fraction start;
        Fraction end;
        Fraction beat;
        int beatsPerBar = 4;
    };
    std::vector<Measure> m_measures;
};

} // namespace chordvane::harmony
