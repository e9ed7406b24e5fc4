#pragma once

#include "chordclass.h"
#include "harmony.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace chordvane::harmony {

// What sounds in one beat, per pitch class, in ticks (one whole unit shared by
// the beat): how long its notes sound (a class in two lines counts twice),
// and how much of that time the class is figuration (all its notes are).
struct BeatWeights {
    std::array<std::int64_t, 12> sounding{};
    std::array<std::int64_t, 12> figuration{};
};

// Picks the chord that best explains a beat. Each sounding class is tried as
// the root of each chord of the table:
//   score = weight of the chord's sounding tones
//           / (total weight - figuration weight outside the chord
//              + missing chord tones x mean weight of a sounding class)
// Over a bass outside it only a complete major, minor or diminished triad,
// dominant seventh or diminished seventh takes part, and no incomplete
// chord but a major or minor triad of which only two tones sound takes part
// at all. A chord whose root is the bass has its score raised by a tenth.
// The highest score wins; ties go to the lower penalty as the ranked search
// has it (the class, plus 1.5 for an inversion, plus 3 for a bass outside
// the chord), then to the table's order, then to roots counted upward from
// the bass.
// The chord's rate in whole percent as the search computes it against these
// classes (bit pc for pitch class pc) over its bass; 0 when one of them is no
// tone of the chord.
int rateOf(const ChordTable &table, const StepChord &chord, unsigned classes);

class ChordChooser {
public:
    // Only chords of class widest or plainer take part: a window wider than
    // a beat holds enough notes for a long chord to cover them all.
    explicit ChordChooser(const ChordTable &table, ChordClass widest = ChordClass::BareFifth);
    // None when fewer than two classes sound or the table has no chord of
    // two classes or more. bass: the pitch class of the beat's lowest note.
    // Only chords that hold every class of `required` (the bass may lie
    // outside a chord on another root) and at least threshold percent of
    // whose tones sound take part.
    std::optional<StepChord> choose(const BeatWeights &weights, int bass, unsigned required = 0,
                                    int threshold = 0) const;

private:
    struct Shape {
        int slot;
        unsigned classes; // bit i: a tone i semitones above the root
        int tones;
        ChordClass plainness;
    };
    std::vector<Shape> m_shapes;
};

} // namespace chordvane::harmony
