// Chord symbols and notes spelled in keys and as scores write them, the
// key in force, chord classes and the ranking of equal rates.
#include "harmony.h"
#include "harmonytesting.h"
#include "search.h"
#include "spelling.h"

#include <gtest/gtest.h>

using namespace chordvane;
using namespace chordvane::harmony;
using chordvane::test::midiKey;
using chordvane::test::shippedList;

TEST(Spelling, EveryKeySpellsItsScaleAndItsCommonChromaticNotes)
{
    // Semitones above the tonic: scale degree and alteration against the signature.
    struct Degree {
        int degree;
        int alteration;
    };
    const Degree major[12] = {{1, 0}, {2, -1}, {2, 0},  {3, -1}, {3, 0},  {4, 0},
                              {4, 1}, {5, 0},  {6, -1}, {6, 0},  {7, -1}, {7, 0}};
    const Degree minor[12] = {{1, 0}, {2, -1}, {2, 0}, {3, 0}, {3, 1}, {4, 0},
                              {4, 1}, {5, 0},  {6, 0}, {6, 1}, {7, 0}, {7, 1}};
    const std::string_view letters = "CDEFGAB";
    const char *majorTonics[] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                 "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
    const char *minorTonics[] = {"Ab", "Eb", "Bb", "F",  "C",  "G",  "D", "A",
                                 "E",  "B",  "F#", "C#", "G#", "D#", "A#"};
    for (int fifths = -7; fifths <= 7; ++fifths) {
        for (const bool isMinor : {false, true}) {
            const std::string_view tonic = (isMinor ? minorTonics : majorTonics)[fifths + 7];
            const size_t tonicLetter = letters.find(tonic[0]);
            for (int semitones = 0; semitones < 12; ++semitones) {
                const Degree d = (isMinor ? minor : major)[semitones];
                const size_t letter = (tonicLetter + d.degree - 1) % 7;
                const size_t sharpRank = std::string_view("FCGDAEB").find(letters[letter]);
                const size_t flatRank = std::string_view("BEADGCF").find(letters[letter]);
                const int count = d.alteration + (static_cast<int>(sharpRank) < fifths) -
                                  (static_cast<int>(flatRank) < -fifths);
                const std::string expected = std::string(1, letters[letter]) + (count == 2 ? "𝄪"
                                                                                : count == 1 ? "♯"
                                                                                : count == -1 ? "♭"
                                                                                : count == -2 ? "𝄫"
                                                                                              : "");
                const int pc = (midiKey(std::string(tonic) + "4") + semitones) % 12;
                SCOPED_TRACE(testing::Message() << tonic << (isMinor ? " minor, " : " major, ")
                                                << semitones << " semitones up");
                EXPECT_EQ(noteName(spellInKey(pc, {0, fifths, isMinor})), expected);
            }
        }
    }
}

TEST(Spelling, ChordSymbols)
{
    struct Case {
        const char *chord;
        int root;
        int bass;
        Key key;
        const char *symbol;
    };
    const Case cases[] = {
        {"add9", 8, 3, {0, -4, false}, "A♭add9/E♭"},
        {"", 1, 5, {0, -4, false}, "D♭/F"}, // the key's D♭, never C♯
        {"", 0, 4, {}, "C/E"},
        {"m7(♭5)", 6, 6, {}, "F♯m7(♭5)"},
        {"dim7", 1, 1, {}, "C♯dim7"},           // leads up to D
        {"7", 4, 8, {}, "E7/G♯"},               // the bass is the chord's third
        {"", 8, 8, {}, "A♭"},                   // borrowed from the minor
        {"dim7", 9, 9, {0, 7, true}, "G𝄪dim7"}, // the leading note of A♯ minor
        {"7", 11, 3, {0, 1, true}, "B7/D♯"},
        {"m", 8, 11, {}, "A♭m/B"}, // a bass of the key keeps the key's name
        {"dim7", 1, 10, {}, "C♯dim7/B♭"},
        {"7(♯9)", 0, 3, {}, "C7(♯9)/D♯"},
        {"7(♯11)", 0, 6, {}, "C7(♯11)/F♯"},
        {"7(♭13)", 0, 8, {}, "C7(♭13)/A♭"},
        {"aug", 0, 8, {}, "Caug/G♯"},
        {"7(♯9)", 4, 7, {0, 7, true}, "D𝄪7(♯9)/F𝄪"}, // no triple sharp
    };
    const ChordTable &table = shippedList();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.symbol);
        int slot = 0;
        while (table.name(slot) != c.chord)
            ++slot;
        EXPECT_EQ(chordSymbol(table, {slot, c.root, c.bass}, c.key), c.symbol);
        // Annotations take the root and bass as notes, spelled as the symbol.
        const SymbolNotes notes = symbolNotes(table, {slot, c.root, c.bass}, c.key);
        EXPECT_EQ(noteName(notes.root) + c.chord + (notes.bass ? "/" + noteName(*notes.bass) : ""),
                  c.symbol);
        EXPECT_EQ(notes.bass.has_value(), c.bass != c.root);
        // Sounding notes of the step are spelled as the symbol spells them.
        EXPECT_EQ(spellInChord(c.root, table, {slot, c.root, c.bass}, c.key), notes.root);
        if (notes.bass) {
            EXPECT_EQ(spellInChord(c.bass, table, {slot, c.root, c.bass}, c.key), *notes.bass);
        }
    }
}

TEST(Spelling, LettersOfPositions)
{
    struct Case {
        int fifths;
        Letter letter;
    };
    const Case cases[] = {
        {0, {0, 0}},   {1, {4, 0}},  {5, {6, 0}},  {-1, {3, 0}},  {-2, {6, -1}},
        {-4, {5, -1}}, {6, {3, 1}},  {7, {0, 1}},  {-7, {0, -1}}, {-8, {3, -1}},
        {12, {6, 1}},  {13, {3, 2}}, {14, {0, 2}}, {-9, {6, -2}}, {-13, {4, -2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(noteName(c.fifths));
        EXPECT_EQ(letterOf(c.fifths), c.letter);
    }
}

TEST(RankByMatchRate, EqualRatesGoToTheLowerPenaltyAndADyadOverAForeignBassSinks)
{
    struct Case {
        const char *name;
        const char *list;
        SearchRequest request;
        std::vector<ChordMatch> found;
        std::vector<ChordMatch> ranked;
    };
    // Note numbers: C = 1, D = 3, E = 5, F♯ = 7, G = 8, A = 10.
    const Case cases[] = {
        // C6 (class 2) against Am7 on C (class 1 + 1.5 for the inversion).
        {"an added sixth on the bass before a seventh over it",
         "m7:1,4,8,11\n6:1,5,8,10\n",
         {1, {5, 8, 10}, 65},
         {{0, 10, 100}, {1, NO_NOTE, 100}},
         {{1, NO_NOTE, 100}, {0, 10, 100}}},
        // E minor on G is an inversion (+1.5); E major over G is no chord tone (+3).
        {"a bass outside the chord after an inversion",
         ":1,5,8\nm:1,4,8\n",
         {8, {5, 12}, 50},
         {{0, 17, 67}, {1, 17, 67}},
         {{1, 17, 67}, {0, 17, 67}}},
        // D over C shares two tones and stands on a foreign bass: 67 ranks as 27.
        {"a dyad over a foreign bass sinks below a fuller chord",
         ":1,5,8\n7:1,5,8,11\n",
         {1, {3, 7}, 50},
         {{0, 3, 67}, {1, 3, 50}},
         {{1, 3, 50}, {0, 3, 67}}},
        {"higher rates first, equal penalties in the order found",
         ":1,5,8\nm:1,4,8\n7:1,5,8,11\n",
         {1, {5, 8}, 10},
         {{2, NO_NOTE, 75}, {0, NO_NOTE, 100}, {1, 5, 67}, {0, 5, 67}},
         {{0, NO_NOTE, 100}, {2, NO_NOTE, 75}, {1, 5, 67}, {0, 5, 67}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ChordTable table = ChordTable::fromText(c.list);
        std::vector<ChordMatch> matches = c.found;
        rankByMatchRate(table, c.request, matches);
        EXPECT_EQ(matches, c.ranked);
    }
}

TEST(Spelling, TheKeyInForceWhateverTheOrderTheyAreListedIn)
{
    // A piece may list its keys in any order; the chart, the tuning sheet
    // and the annotated copy all ask for the key at a step.
    const std::vector<Key> keys = {{8, 2, false}, {0, -1, false}, {4, 3, true}, {4, 4, false}};
    const std::pair<Fraction, int> cases[] = {
        {Fraction(-1), 0}, {0, -1}, {Fraction(7, 2), -1}, {4, 4}, {7, 4}, {8, 2}, {100, 2},
    };
    for (const auto &[at, fifths] : cases) {
        SCOPED_TRACE(at.numerator());
        EXPECT_EQ(keyAt(keys, at).fifths, fifths);
    }
}

TEST(Spelling, RootAndBassAreSpelledAsTheScoreWritesThem)
{
    // C♯ E♯ G♯ over C♯ in F major: the key alone would write D♭.
    struct Case {
        const char *name;
        std::vector<std::optional<int>> spelled; // C♯3 C♯4 E♯4 G♯4
        const char *symbol;
    };
    const Case cases[] = {
        {"the score's sharps", {7, 7, 11, 8}, "C♯"},
        {"unspelled notes go by the key", {{}, {}, {}, {}}, "D♭"},
        {"a tie between spellings goes to the key", {-5, 7, 11, 8}, "D♭"},
        {"the score's flats", {-5, -5, -1, -4}, "D♭"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Piece piece;
        piece.measureStarts = {0};
        piece.end = 4;
        piece.keys = {{0, -1, false}};
        const int pitches[] = {49, 61, 65, 68};
        for (size_t i = 0; i < 4; ++i)
            piece.notes.push_back({0, 4, pitches[i], static_cast<int>(i), c.spelled[i]});
        const Analysis analysis = analyse(shippedList(), piece);
        ASSERT_EQ(analysis.steps.size(), 1u);
        EXPECT_EQ(analysis.steps[0].symbol, c.symbol);
    }
}

TEST(Spelling, ADiminishedSeventhIsNamedOnTheBottomOfItsSpelledThirds)
{
    // A C E♭ G♭ over A, then G: the tone that leads up to G would be G♭.
    struct Case {
        const char *name;
        std::vector<std::optional<int>> spelled; // A3 C4 E♭4 G♭4 as written
        const char *symbol;
    };
    const Case cases[] = {
        {"a stack on A", {3, 0, -3, -6}, "Adim7"},
        {"a stack on F♯", {3, 0, -3, 6}, "F♯dim7/A"},
        {"no stack: the tone leading to the next root", {3, 0, 9, -6}, "G♭dim7/A"},
        {"unspelled: the tone leading to the next root", {{}, {}, {}, {}}, "F♯dim7/A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Piece piece;
        piece.measureStarts = {0, 4};
        piece.end = 8;
        const int pitches[] = {57, 60, 63, 66};
        const int resolution[] = {55, 59, 62, 67};
        for (size_t i = 0; i < 4; ++i) {
            piece.notes.push_back({0, 4, pitches[i], static_cast<int>(i), c.spelled[i]});
            piece.notes.push_back({4, 8, resolution[i], static_cast<int>(i)});
        }
        const Analysis analysis = analyse(shippedList(), piece);
        ASSERT_EQ(analysis.steps.size(), 2u);
        EXPECT_EQ(analysis.steps[0].symbol, c.symbol);
    }
}

TEST(Spelling, AnAugmentedTriadIsNamedOnTheBottomOfItsSpelledThirds)
{
    // C, then E G♯ C over E: any of the three could be the root.
    struct Case {
        const char *name;
        std::vector<std::optional<int>> spelled; // E3 G♯4 C5 as written
        const char *symbol;
    };
    const Case cases[] = {
        {"a stack on C", {4, 8, 0}, "Caug/E"},
        {"a stack on E", {4, 8, 12}, "Eaug"},
        {"a stack on A♭", {4, -4, 0}, "A♭aug/E"},
        {"unspelled: the root before it", {{}, {}, {}}, "Caug/E"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Piece piece;
        piece.measureStarts = {0, 4};
        piece.end = 8;
        const int before[] = {48, 67, 72};
        const int pitches[] = {52, 68, 72};
        for (size_t i = 0; i < 3; ++i) {
            piece.notes.push_back({0, 4, before[i], static_cast<int>(i)});
            piece.notes.push_back({4, 8, pitches[i], static_cast<int>(i), c.spelled[i]});
        }
        const Analysis analysis = analyse(shippedList(), piece);
        ASSERT_EQ(analysis.steps.size(), 2u);
        EXPECT_EQ(analysis.steps[1].symbol, c.symbol);
    }
}
