#include "notes.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chordvane;

TEST(FoldIntoOctave, BringsNotesIntoTheOctaveStartingAtBase)
{
    struct Case {
        int n, base, expected;
    };
    const Case cases[] = {
        {99, 5, 99},  {13, 1, 1},   {0, 1, 12},     {-11, 1, 1},   {25, 5, 13},
        {17, 5, 5},   {4, 5, 16},   {-32768, 1, 4}, {32767, 1, 7}, {99, -40, 99},
        {16, 16, 16}, {15, 16, 27}, {-1, 1, 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " base=" << c.base);
        EXPECT_EQ(FoldIntoOctave(c.n, c.base), c.expected);
    }
}

TEST(NoteName, NamesEveryPitchClassWithMusicSigns)
{
    struct Case {
        int n;
        const char *name;
    };
    const Case cases[] = {
        {1, "C"},      {13, "C"},    {0, "B(H)"},  {99, ""},          {2, "C♯/D♭"},
        {-1, "A♯/B♭"}, {7, "F♯/G♭"}, {12, "B(H)"}, {-32768, "D♯/E♭"}, {10, "A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(NoteName(c.n), c.name);
    }
}

TEST(JustCents, ReadsTheIntervalFromBaseUpToNote)
{
    struct Case {
        int note, base;
        float cents;
    };
    // Upward from base: a note below it counts an octave higher.
    const Case cases[] = {
        {5, 1, -13.7f},   {1, 5, 13.7f}, {7, 7, 0.0f},
        {-20, -20, 0.0f}, {15, 1, 3.9f}, {30, 1, -2.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.note << " over " << c.base);
        EXPECT_EQ(JustCents(c.note, c.base), c.cents);
    }
}

TEST(JustCents, EveryIntervalIsItsJustRatioToATenthOfACent)
{
    struct Case {
        int interval;
        double ratio;
    };
    const Case cases[] = {
        {1, 1.0},       {2, 16.0 / 15}, {3, 9.0 / 8}, {4, 6.0 / 5},  {5, 5.0 / 4},   {6, 4.0 / 3},
        {7, 45.0 / 32}, {8, 3.0 / 2},   {9, 8.0 / 5}, {10, 5.0 / 3}, {12, 15.0 / 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.interval);
        const double cents = 1200 * std::log2(c.ratio) - 100 * (c.interval - 1);
        const auto expected = static_cast<float>(std::round(cents * 10) / 10);
        EXPECT_EQ(JustCents(c.interval, 1), expected);
        EXPECT_EQ(JustCents(c.interval + 16, 5), expected); // the same interval above E, higher
    }
    // The charts' minor seventh, from no single ratio (9/5 would give 17.6).
    EXPECT_EQ(JustCents(11, 1), 17.9f);
}
