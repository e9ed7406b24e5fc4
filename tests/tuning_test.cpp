// The tuning guide's pieces: degrees and cents in a chord, note names,
// players in reading order, and CSV lines.
#include "chordlist.h"
#include "guide.h"
#include "sheet.h"

#include <gtest/gtest.h>

using namespace chordvane;
using tuning::ChordTone;

TEST(Tuning, ChordTonesGetTheirDegreeAndTheJustTablesCents)
{
    const ChordTable table = ChordTable::fromText(
        ":1,5,8\n7:1,5,8,11\nm:1,4,8\n7(#9):1,4,5,8,11\nm7(b5):1,4,7,11\n7(#11):1,5,7,8,11\n"
        "aug:1,5,9\n7(b13):1,5,8,9,11\n7(13):1,5,8,10,11\n6:1,5,8,10\nadd9:1,5,8,15\n"
        "sus4:1,6,8\ndim7:1,4,7,10\nsus2:1,3,8\nadd4:1,5,6,8\n11:1,5,8,11,15,18\n");
    struct Case {
        int slot, pitch, root; // root C = 0
        std::optional<ChordTone> tone;
    };
    const Case cases[] = {
        {0, 64, 0, ChordTone{"3", "-13.7"}},
        {0, 43, 0, ChordTone{"5", "+2"}},
        {0, 62, 2, ChordTone{"1", "0"}},
        {0, 60, 2, std::nullopt}, // D over the bass C
        {1, 70, 0, ChordTone{"♭7", "+17.9"}},
        {2, 63, 0, ChordTone{"♭3", "+15.6"}},
        {3, 63, 0, ChordTone{"♯9", "+15.6"}},
        {4, 66, 0, ChordTone{"♭5", "-9.8"}},
        {5, 66, 0, ChordTone{"♯11", "-9.8"}},
        {6, 68, 0, ChordTone{"♯5", "+13.7"}},
        {7, 68, 0, ChordTone{"♭13", "+13.7"}},
        {8, 69, 0, ChordTone{"13", "-15.6"}},
        {9, 69, 0, ChordTone{"6", "-15.6"}},
        {10, 74, 0, ChordTone{"9", "+3.9"}},
        {10, 73, 0, std::nullopt},
        // The chord symbol's own names: the MusicXML symbols take them too.
        {11, 65, 0, ChordTone{"4", "-2"}},
        {12, 69, 0, ChordTone{"𝄫7", "-15.6"}},
        {13, 62, 0, ChordTone{"2", "+3.9"}},
        {14, 65, 0, ChordTone{"4", "-2"}},
        {15, 65, 0, ChordTone{"11", "-2"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(table.name(c.slot) + " " + std::to_string(c.pitch));
        EXPECT_EQ(tuning::chordTone(c.pitch, c.root, table.row(c.slot)), c.tone);
    }
}

TEST(Tuning, NotesAreNamedWithTheirSpellingAndOctave)
{
    const std::tuple<int, int, const char *> cases[] = {
        {70, -1, "B♭4"}, {70, 1, "A♯4"}, {59, -1, "C♭4"}, {60, 1, "B♯3"},
        {62, 2, "C𝄪4"},  {61, 0, "C♯4"}, {62, -3, "D4"},
    };
    for (const auto &[pitch, alter, name] : cases)
        EXPECT_EQ(tuning::pitchName(pitch, alter), name) << pitch << " " << alter;
}

TEST(Tuning, PlayersReadFromTheHighestDownWithTheBassLast)
{
    const ChordRow seventh{1, 5, 8, 11, NO_NOTE, NO_NOTE, NO_NOTE, NO_NOTE};
    const std::vector<tuning::Player> players = {
        {"Bass", "C5", 72, true}, {"Hr", "A4", 64, false}, {"Trp", "D5", 72, false},
        {"Cl", "F4", 65, false},  {"Fl", "C5", 72, false},
    };
    EXPECT_EQ(tuning::guideText(tuning::playerGuide(players, 0, seventh), "—", "\n"),
              "Trp\tD5\t1\t0\nFl\tC5\t1\t0\nCl\tF4\t—\t—\nHr\tA4\t3\t-13.7 ↓\nBass\tC5\t1\t0\n");
}

TEST(Tuning, CsvQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(tuning::csvLine({"1", "Tp. 1, 2", "say \"hi\"", "a\nb", "B♭4"}),
              "1,\"Tp. 1, 2\",\"say \"\"hi\"\"\",\"a\nb\",B♭4\r\n");
}

TEST(Tuning, ConcertNotesKeepTheScoresSpelling)
{
    // A cello's C♯4 in an A7 chord of F major, and the same note unspelled.
    const ChordTable table = ChordTable::fromText("7:1,5,8,11\n");
    const std::pair<std::optional<int>, const char *> cases[] = {
        {1, "C♯4"}, {-1, "D♭4"}, {std::nullopt, "C♯4"}, // as the chord spells its third
    };
    for (const auto &[alter, concert] : cases) {
        SCOPED_TRACE(concert);
        tuning::SheetStep step;
        step.key = {0, -1, false};
        step.chord = harmony::StepChord{0, 9, 9};
        step.parts = {{"Vc.", {{61, 1, 61, alter}}}};
        const std::vector<tuning::SheetLine> lines = tuning::sheetLines(table, step);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].concert, concert);
    }
}
