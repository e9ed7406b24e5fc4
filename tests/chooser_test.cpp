// The beat chooser's choice over a bass outside the chord.
#include "chooser.h"
#include "harmonytesting.h"
#include "spelling.h"

#include <gtest/gtest.h>

#include <vector>

using namespace chordvane;
using namespace chordvane::harmony;
using chordvane::test::shippedList;

TEST(ChordChooser, OverAForeignBassOnlyTriadsAndTheDominantAndDiminishedSevenths)
{
    // The chooser of windows wider than a beat, up to added chords: it has
    // no ninth chord that would take the bass in.
    struct Case {
        const char *name;
        std::vector<int> classes; // the bass first
        const char *symbol;       // "" for none
    };
    const Case cases[] = {
        {"a major triad", {8, 0, 4, 7}, "C/A♭"},
        {"a diminished triad", {0, 11, 2, 5}, "Bdim/C"},
        {"a dominant seventh", {0, 7, 11, 2, 5}, "G7/C"},
        // Which of its tones names it is settled later, by what follows.
        {"a diminished seventh", {2, 1, 4, 7, 10}, "Edim7/D"},
        {"a minor seventh", {10, 2, 5, 9, 0}, ""},
        {"a major seventh", {5, 0, 4, 7, 11}, ""},
        {"a major seventh over its ninth", {2, 0, 4, 7, 11}, ""},
    };
    const ChordChooser chooser(shippedList(), ChordClass::Added);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BeatWeights weights;
        unsigned classes = 0;
        for (const int pc : c.classes) {
            weights.sounding[pc] += pc == c.classes.front() ? 1 : 2;
            classes |= 1u << pc;
        }
        const auto chord = chooser.choose(weights, c.classes.front(), classes, 65);
        EXPECT_EQ(chord ? chordSymbol(shippedList(), *chord, Key{}) : "", c.symbol);
    }
}
