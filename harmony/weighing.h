#pragma once

#include "chooser.h"
#include "harmony.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace chordvane::harmony {

// A note as one window hears it: cut to the window, with the time its figuration starts.
struct Heard {
    Fraction start;
    Fraction end;
    int pitch = 0;
    int line = 0;
    std::optional<Fraction> figuration;
    std::optional<size_t> note; // none for a bass that rings on
};

// The weights of a window's classes and the harmonic ones among them.
struct Weighed {
    BeatWeights weights;
    unsigned harmonic = 0;
    unsigned all = 0;
    int mostAtOnce = 0; // the most pitch classes sounding together
};

// How long each class sounds in a window from `from` on, and how much of it
// is figuration, in ticks of one unit for the whole window. Throws
// FractionOverflow when the times are too fine for the chooser's arithmetic.
Weighed weigh(const Fraction &from, const std::vector<Heard> &heard);

// Whether the heard notes make one unchanging sound: all of them sound
// together at some moment, none of them figuration.
bool unchanging(const std::vector<Heard> &heard);

} // namespace chordvane::harmony
