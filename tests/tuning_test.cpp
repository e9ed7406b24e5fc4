// The tuning guide's pieces: degrees and cents in a chord, note names,
// players in reading order, who gets no cents and why, the seventh chosen,
// and CSV lines.
#include "chordlist.h"
#include "fixedpitch.h"
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
        "sus4:1,6,8\ndim7:1,4,7,10\nsus2:1,3,8\nadd4:1,5,6,8\n11:1,5,8,11,15,18\n"
        "M13:1,5,8,12,15,22\nm13:1,4,8,11,15,22\n");
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
        // Beside a major seventh as beside a minor one, nine semitones are the 13th.
        {16, 69, 0, ChordTone{"13", "-15.6"}},
        {16, 71, 0, ChordTone{"7", "-11.7"}},
        {17, 57, 0, ChordTone{"13", "-15.6"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(table.name(c.slot) + " " + std::to_string(c.pitch));
        EXPECT_EQ(tuning::chordTone(c.pitch, c.root, table.row(c.slot)), c.tone);
    }
}

TEST(Tuning, NotesAreNamedWithTheirSpellingAndOctave)
{
    const std::tuple<int, int, const char *> cases[] = {
        {70, -1, "B♭4"},
        {70, 1, "A♯4"},
        {59, -1, "C♭4"},
        {60, 1, "B♯3"},
        {62, 2, "C𝄪4"},
        {61, 0, "C♯4"},
        {62, -3, "D4"},
        // Double flats stay double flats, across the octave's C too.
        {69, -2, "B𝄫4"},
        {58, -2, "C𝄫4"},
        {62, -2, "E𝄫4"},
    };
    for (const auto &[pitch, alter, name] : cases)
        EXPECT_EQ(tuning::pitchName(pitch, alter), name) << pitch << " " << alter;
}

TEST(Tuning, ThePlayersGuideSaysWhoCannotMoveAndWhenNobodyShould)
{
    const ChordRow seventh{1, 5, 8, 11, NO_NOTE, NO_NOTE, NO_NOTE, NO_NOTE};
    using tuning::Player;
    struct Case {
        const char *what;
        std::vector<Player> players;
        std::string text;
    };
    const Case cases[] = {
        {"from the highest down, the bass last",
         {{"Bass", "C3", 48, true},
          {"Hr", "A4", 64, false},
          {"Trp", "D5", 72, false},
          {"Cl", "F4", 65, false},
          {"Fl", "B♭4", 70, false},
          {"Ob", "C5", 72, false}},
         "Trp\tD5\t1\t0\nOb\tC5\t1\t0\nFl\tB♭4\t♭7\t+17.9 ↑\nCl\tF4\t—\t—\n"
         "Hr\tA4\t3\t-13.7 ↓\nBass\tC3\t1\t0\n"},
        {"the bass row repeating the tuba's key is one player",
         {{"Tuba", "C2", 36, true}, {"Tuba", "C2", 36, false}, {"Hr", "A4", 64, false}},
         "Hr\tA4\t3\t-13.7 ↓\nTuba\tC2\t1\t0\n"},
        {"a bass row of its own key stays",
         {{"Piano", "C2", 36, true, true},
          {"Piano", "C4", 60, false, true},
          {"Hr", "A4", 64, false}},
         "Hr\tA4\t3\t-13.7 ↓\nPiano\tC4\t1\tfixed\nPiano\tC2\t1\tfixed\n"},
        {"a piano is the reference, in or out of the chord",
         {{"Piano", "B♯3", 60, false, true},
          {"Piano", "D4", 62, false, true},
          {"Trp", "E4", 64, false}},
         "Trp\tE4\t3\t-13.7 ↓\nPiano\tD4\t—\tfixed\nPiano\tB♯3\t1\tfixed\n"},
        {"a unison is told nothing",
         {{"Vn", "E5", 76, false}, {"Va", "E4", 64, false}, {"Vc", "E3", 52, true}},
         "Vn\tE5\tunison\t—\nVa\tE4\tunison\t—\nVc\tE3\tunison\t—\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tuning::guideText(tuning::playerGuide(c.players, 0, seventh), {"—"}, "\n"),
                  c.text);
    }
}

TEST(Tuning, InstrumentsOfFixedPitchByProgramElseByName)
{
    struct Case {
        int program;
        const char *name;
        bool fixed;
    };
    const Case cases[] = {
        // By General MIDI family, whatever the name says.
        {0, "Trumpet", true},
        {4, "", true},
        {11, "", true}, // piano, vibraphone
        {19, "", true},
        {21, "", true},
        {25, "", true}, // organ, accordion, guitar
        {33, "", true},
        {46, "Violin", true},
        {108, "", true}, // fretted bass, harp, kalimba
        {56, "Piano", false},
        {40, "", false},
        {32, "", false}, // trumpet, violin, upright bass
        {35, "", false},
        {47, "Timpani", false},
        {65, "", false}, // fretless, timpani, alto sax
        {52, "", false},
        {73, "", false},
        {58, "", false}, // voices, flute, tuba
        // Without a program, by a word of the name.
        {-1, "Piano", true},
        {-1, "Pno.", true},
        {-1, "Hp.", true},
        {-1, "Glockenspiel", true},
        {-1, "Electric Guitar 2", true},
        {-1, "ORGAN", true},
        {-1, "Marimba", true},
        {-1, "ピアノ", true},
        {-1, "グロッケン", true},
        {-1, "Harp", true},
        {-1, "Sharp Trumpet", false},
        {-1, "Timpani", false},
        {-1, "Violoncello", false},
        {-1, "English Horn", false},
        {-1, "Trombone 1", false},
        {-1, "", false},
        {-1, "Pianist's whistle", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tuning::fixedPitch(c.program, c.name), c.fixed) << c.program << " " << c.name;
}

TEST(Tuning, CentsOnlyInAChordAndNeverForAFixedPitch)
{
    using tuning::Harmony;
    const std::optional<ChordTone> third = ChordTone{"3", "-13.7"};
    struct Case {
        const char *what;
        std::vector<int> pitches;
        bool chord;
        Harmony harmony;
    };
    const Case cases[] = {
        {"a chord", {60, 64, 67}, true, Harmony::Chord},
        {"an interval", {60, 64}, true, Harmony::Chord},
        {"octaves", {64, 52, 76, 64}, true, Harmony::Unison},
        {"a line alone", {64}, true, Harmony::Unison},
        {"N.C.", {60, 64, 67}, false, Harmony::NoChord},
        {"nothing", {}, true, Harmony::NoChord},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tuning::harmonyOf(c.chord, c.pitches), c.harmony) << c.what;

    const tuning::GuideWords words{"—", "ユニゾン", "コードなし", "基準"};
    using Cells = std::array<std::string, 2>;
    EXPECT_EQ(tuning::adviceCells(third, Harmony::Chord, false, words, true),
              (Cells{"3", "-13.7 ↓"}));
    EXPECT_EQ(tuning::adviceCells(third, Harmony::Chord, false, words, false),
              (Cells{"3", "-13.7"}));
    EXPECT_EQ(tuning::adviceCells(std::nullopt, Harmony::Chord, false, words, true),
              (Cells{"—", "—"}));
    EXPECT_EQ(tuning::adviceCells(third, Harmony::Chord, true, words, true), (Cells{"3", "基準"}));
    EXPECT_EQ(tuning::adviceCells(std::nullopt, Harmony::Unison, false, words, true),
              (Cells{"ユニゾン", "—"}));
    EXPECT_EQ(tuning::adviceCells(std::nullopt, Harmony::NoChord, true, words, true),
              (Cells{"コードなし", "基準"}));
}

TEST(Tuning, EachSeventhChoiceMovesTheMinorSeventhAlone)
{
    const ChordTable table = ChordTable::fromText("7:1,5,8,11\nm7(b5):1,4,7,11\n");
    struct Case {
        JustSeventh seventh;
        const char *ratio, *cents;
    };
    const Case cases[] = {
        {JustSeventh::NineFive, "9:5", "+17.9"}, // the just table's own
        {JustSeventh::SixteenNine, "16:9", "-3.9"},
        {JustSeventh::SevenFour, "7:4", "-31.2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(seventhRatio(c.seventh), c.ratio);
        EXPECT_EQ(parseSeventh(c.ratio), c.seventh);
        for (const int slot : {0, 1}) {
            EXPECT_EQ(tuning::chordTone(70, 0, table.row(slot), c.seventh),
                      (ChordTone{"♭7", c.cents}));
        }
        // The other tones keep the table's cents.
        EXPECT_EQ(tuning::chordTone(64, 0, table.row(0), c.seventh), (ChordTone{"3", "-13.7"}));
        EXPECT_EQ(tuning::chordTone(67, 0, table.row(0), c.seventh), (ChordTone{"5", "+2"}));
        EXPECT_EQ(tuning::chordTone(63, 0, table.row(1), c.seventh), (ChordTone{"♭3", "+15.6"}));
        // From any base, above it or below.
        EXPECT_FLOAT_EQ(JustCents(11, 1, c.seventh), JustCents(23, 13, c.seventh));
        EXPECT_FLOAT_EQ(JustCents(2, 4, c.seventh), JustCents(11, 1, c.seventh));
        EXPECT_FLOAT_EQ(JustCents(5, 1, c.seventh), JustCents(5, 1));
    }
    // The just table itself is fixed.
    EXPECT_EQ(deviationText(11), "+17.9");
    for (const char *bad : {"", "9/5", "7:4 ", "4:7"})
        EXPECT_EQ(parseSeventh(bad), std::nullopt) << bad;
}

TEST(Tuning, CsvQuotesOnlyWhatNeedsIt)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"1", "Tp. 1, 2", "B♭4"}, "1,\"Tp. 1, 2\",B♭4\r\n"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        {{"a\nb", "c"}, "\"a\nb\",c\r\n"},
        {{"a\rb", "c"}, "\"a\rb\",c\r\n"},
        {{"", "x"}, ",x\r\n"},
    };
    for (const auto &[fields, line] : cases)
        EXPECT_EQ(tuning::csvLine(fields), line) << testing::PrintToString(fields);
}

TEST(Tuning, TheSheetsTextFromTheScoreIsNeverAFormula)
{
    const std::pair<std::string, std::string> cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"\tTab", "'\tTab"},
        {"\rCR", "'\rCR"},
        {"Tbn. =1", "Tbn. =1"},
        {"'quoted", "'quoted"},
        {"", ""},
    };
    for (const auto &[text, safe] : cases)
        EXPECT_EQ(tuning::spreadsheetText(text), safe) << text;

    // The measure and the part are the score's text; the cents stay numbers.
    EXPECT_EQ(tuning::sheetCsvLine({"-1", "2", "C7", "=1+1", "E5", "D5", "3", "-13.7"}),
              "'-1,2,C7,'=1+1,E5,D5,3,-13.7\r\n");
    EXPECT_EQ(tuning::sheetCsvLine({"1", "1", "C", "@x,y", "C4", "C4", "1", "+2"}),
              "1,1,C,\"'@x,y\",C4,C4,1,+2\r\n");
}

TEST(Tuning, SheetLinesSayUnisonOrNoChordAndKeepThePartsOrder)
{
    const ChordTable table = ChordTable::fromText("M7:1,5,8,12\n7:1,5,8,11\n");
    const auto note = [](std::uint32_t part, int sounding, int alter = 0) {
        return tuning::SheetNote{part, {sounding, alter, sounding}};
    };
    const std::vector<tuning::SheetPart> parts = {{"Vn. 1"}, {"Vn. 2"}, {"Pno.", true}};
    struct Case {
        const char *what;
        std::optional<harmony::StepChord> chord;
        std::vector<tuning::SheetNote> notes;
        std::vector<std::string> lines; // PART WRITTEN DEGREE CENTS
    };
    const Case cases[] = {
        {"FM7 over a unison E: nobody bends",
         harmony::StepChord{0, 5, 5},
         {note(0, 76), note(1, 64), note(2, 52), note(2, 64)},
         {"Vn. 1 E5 unison -", "Vn. 2 E4 unison -", "Pno. E4 unison fixed",
          "Pno. E3 unison fixed"}},
        {"N.C.",
         std::nullopt,
         {note(0, 76), note(1, 65)},
         {"Vn. 1 E5 no chord -", "Vn. 2 F4 no chord -"}},
        {"C7: each part from its top, parts in order",
         harmony::StepChord{1, 0, 0},
         {note(0, 64), note(0, 70, -1), note(1, 67), note(2, 48), note(2, 62)},
         {"Vn. 1 B♭4 ♭7 +17.9", "Vn. 1 E4 3 -13.7", "Vn. 2 G4 5 +2", "Pno. D4 - fixed",
          "Pno. C3 1 fixed"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tuning::SheetStep step;
        step.measure = "3";
        step.beat = "1";
        step.chord = c.chord;
        step.symbol = c.chord ? "X" : "";
        step.notes = c.notes;
        const tuning::SheetBlock block = tuning::sheetLines(table, step);
        std::vector<std::string> lines;
        for (const tuning::SheetLine &line : block.lines) {
            const std::vector<std::string> fields =
                tuning::sheetFields(step, parts.at(line.part), line, block.harmony, {});
            ASSERT_EQ(fields.size(), 8u);
            EXPECT_EQ(fields[0] + " " + fields[1] + " " + fields[2],
                      c.chord ? "3 1 X" : "3 1 N.C.");
            lines.push_back(fields[3] + " " + fields[4] + " " + fields[6] + " " + fields[7]);
        }
        EXPECT_EQ(lines, c.lines);
    }
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
        step.notes = {{0, {61, 1, 61, alter}}, {0, {45, 0, 45}}};
        const std::vector<tuning::SheetLine> lines = tuning::sheetLines(table, step).lines;
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].concert, concert);
    }
}

TEST(Tuning, ADoubleFlatKeepsItsSpellingOnTheSheet)
{
    // A written B𝄫 (A) in an F chord: as the part writes it, and at concert pitch.
    const ChordTable table = ChordTable::fromText(":1,5,8\n");
    tuning::SheetStep step;
    step.chord = harmony::StepChord{0, 5, 5};
    step.notes = {{0, {69, -2, 69, -2}}, {0, {65, 0, 65}}};
    const std::vector<tuning::SheetLine> lines = tuning::sheetLines(table, step).lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].written, "B𝄫4");
    EXPECT_EQ(lines[0].concert, "B𝄫4");
}
