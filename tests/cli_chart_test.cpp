// chordvane-find --chart, --annotate and --tuning: the harmony of a score,
// printed, written into a copy, and told to each player.
#include "clirun.h"
#include "testsupport.h"
#include "textdecode.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace chordvane;
using chordvane::test::expectPrints;
using chordvane::test::Outcome;
using chordvane::test::readFile;
using chordvane::test::run;

namespace {

const std::string kScores = CHORDVANE_SCORE_DATA;
const std::string kChorale = kScores + "/chorale.musicxml";

// The passing B♭ in bar 1 and the suspended A♭ in bar 3 make no steps of
// their own; every symbol is spelled with the flats of A♭ major.
const std::string kChoraleChart = "1\t1\tG♯/A♭\t100\tA♭\n"
                                  "1\t3\tC♯/D♭\t100\tD♭\n"
                                  "2\t1\tD♯/E♭7\t100\tE♭7\n"
                                  "2\t3\tG♯/A♭ on C\t100\tA♭/C\n"
                                  "3\t1\tFm\t100\tFm\n"
                                  "3\t3\tC♯/D♭\t100\tD♭\n"
                                  "3\t4\tD♯/E♭\t67\tE♭\n"
                                  "4\t1\tG♯/A♭\t100\tA♭\n";

// One measure of a note alone for two beats, then with a third above it for
// two; after an empty pickup when asked.
std::string lonelyNote(const std::string &number, bool thenThird = true, bool emptyPickup = false)
{
    const std::string third =
        R"(<backup><duration>2</duration></backup><note><voice>2</voice>)"
        R"(<pitch><step>E</step><octave>4</octave></pitch><duration>2</duration></note>)";
    return std::string(
               R"(<score-partwise><part-list><score-part id="P1"/></part-list><part id="P1">)") +
           (emptyPickup ? R"(<measure number="0" implicit="yes"/>)" : "") + R"(<measure number=")" +
           number +
           R"("><attributes><divisions>1</divisions></attributes>)"
           R"(<note><pitch><step>C</step><octave>4</octave></pitch><duration>4</duration></note>)" +
           (thenThird ? third : "") + "</measure></part></score-partwise>";
}

} // namespace

TEST(RunFind, ChartPrintsOneLinePerHarmonicStep)
{
    test::TempDir dir;
    const std::string lonely = dir.write("lonely.musicxml", lonelyNote("12a"));
    const std::string longNumber = dir.write("long.musicxml", lonelyNote(std::string(50, '7')));
    const std::string cut = std::string(40, '7') + "…";
    const std::string pickup = dir.write("pickup.musicxml", lonelyNote("12a", true, true));
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"--score", kChorale, "--chart"}, kChoraleChart},
        {{"--chart", "--no-jazz", "--score=" + kChorale}, kChoraleChart},
        // The note alone is read with the rest of its measure.
        {{"--score", lonely, "--chart"}, "12a\t1\tC\t67\tC\n"},
        {{"--score", lonely, "--chart", "--rate", "100"}, "12a\t1\t-\t-\tN.C.\n"},
        {{"--score", longNumber, "--chart"}, cut + "\t1\tC\t67\tC\n"},
        // A measure without length charts nothing of its own.
        {{"--score", pickup, "--chart"}, "12a\t1\tC\t67\tC\n"},
        // The C sounds alone at the step's first attack: nothing to tune to.
        {{"--score", pickup, "--tuning"}, "12a\t1\tC\tP1\tC4\tC4\tunison\t-\n"},
    };
    for (const Case &c : cases)
        expectPrints(c.args, c.out);
}

TEST(RunFind, ChartAndAnnotateRefuseWhatTheyCannotDo)
{
    test::TempDir dir;
    // B9 is MIDI 131: the reader takes it, the analysis does not.
    const std::string high =
        dir.write("high.musicxml",
                  R"(<score-partwise><part-list><score-part id="P1"/></part-list><part id="P1">)"
                  R"(<measure number="1"><note><pitch><step>B</step><octave>9</octave></pitch>)"
                  R"(<duration>1</duration></note></measure></part></score-partwise>)");
    const std::string out = dir.path() + "/out.musicxml";
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--chart", "C", "E"}, "not without --score"},
        {{"--tuning"}, "not without --score"},
        {{"--score", kChorale, "--tuning", "--chart"}, "--tuning prints lines of its own"},
        {{"--score", kChorale, "--seventh", "7:4"}, "not without --tuning"},
        {{"--score", kChorale, "--chart", "--seventh=9:5"}, "not without --tuning"},
        {{"--score", kChorale, "--tuning", "--seventh", "3:2"},
         "--seventh takes 9:5, 16:9 or 7:4, not \"3:2\""},
        {{"--score", kChorale, "--tuning", "--seventh"}, "--seventh needs a value"},
        {{"--annotate", out, "--batch"}, "not without --score"},
        {{"--score", kChorale, "--chart", "--batch"}, "--score takes no notes, --batch"},
        {{"--score", kChorale, "--chart", "C"}, "--score takes no notes"},
        {{"--score", kChorale, "--chart", "--wav", dir.path() + "/a.wav"}, "not with --batch or "},
        {{"--score", kChorale, "--annotate", out, "--annotate", out}, "--annotate given twice"},
        {{"--score", kChorale, "--annotate"}, "--annotate needs a value"},
        {{"--score", dir.path() + "/none.musicxml", "--chart"}, "cannot read the score"},
        {{"--score", high, "--chart"},
         "cannot chart the score " + quoteForMessage(high) +
             ": note 1 has a pitch outside MIDI 0..127"},
        {{"--score", high, "--annotate", out}, "cannot chart the score"},
        {{"--score", kChorale, "--annotate", kChorale},
         "--annotate " + quoteForMessage(kChorale) +
             ": the annotated copy would replace the score itself"},
        {{"--score", kChorale, "--annotate", dir.path() + "/out.txt"}, "must end in .mxl"},
        {{"--score", kChorale, "--chart", "--transpose-for", "H"},
         "--transpose-for takes Bb, Eb, F, A, D, G or C, not \"H\""},
        {{"--score", kChorale, "--transpose-for", "Bb"}, "not without --chart"},
        {{"--score", kChorale, "--chart", "--annotate-part", "2"}, "not without --annotate"},
        {{"--score", kChorale, "--annotate", out, "--annotate-part", "P9"},
         "the score has no part P9"},
        {{"--score", kChorale, "--annotate", dir.path() + "/no/such/out.xml"},
         "cannot write the annotated copy"},
    };
    const std::string chorale = readFile(kChorale);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("chordvane-find: ", 0), 0u);
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(readFile(kChorale), chorale);
}

TEST(RunFind, ChartForATransposingPlayerMovesLettersWithTheKey)
{
    // The chorale is in A♭ major: F major for E♭ players, B major (not
    // C♭) for A players.
    struct Case {
        const char *instrument;
        std::vector<std::string> symbols;
    };
    const Case cases[] = {
        {"C", {"A♭", "D♭", "E♭7", "A♭/C", "Fm", "D♭", "E♭", "A♭"}},
        {"Bb", {"B♭", "E♭", "F7", "B♭/D", "Gm", "E♭", "F", "B♭"}},
        {"B♭", {"B♭", "E♭", "F7", "B♭/D", "Gm", "E♭", "F", "B♭"}},
        {"Eb", {"F", "B♭", "C7", "F/A", "Dm", "B♭", "C", "F"}},
        {"F", {"E♭", "A♭", "B♭7", "E♭/G", "Cm", "A♭", "B♭", "E♭"}},
        {"A", {"B", "E", "F♯7", "B/D♯", "G♯m", "E", "F♯", "B"}},
        {"D", {"F♯", "B", "C♯7", "F♯/A♯", "D♯m", "B", "C♯", "F♯"}}, // six sharps, not flats
        {"G", {"D♭", "G♭", "A♭7", "D♭/F", "B♭m", "G♭", "A♭", "D♭"}},
    };
    // Each line's symbol, and the lines without them.
    const auto split = [](const std::string &chart) {
        std::pair<std::vector<std::string>, std::string> parts;
        for (size_t from = 0; from < chart.size();) {
            const size_t end = chart.find('\n', from);
            const std::string text = chart.substr(from, end - from);
            parts.first.push_back(text.substr(text.rfind('\t') + 1));
            parts.second += text.substr(0, text.rfind('\t')) + '\n';
            from = end + 1;
        }
        return parts;
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instrument);
        const Outcome o = run({"--score", kChorale, "--chart", "--transpose-for", c.instrument});
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.err, "");
        // Everything but the symbol stays at concert pitch.
        const auto [symbols, rest] = split(o.out);
        EXPECT_EQ(symbols, c.symbols);
        EXPECT_EQ(rest, split(kChoraleChart).second);
    }
}

TEST(RunFind, AnnotateWritesOneSymbolPerStepWithAChord)
{
    test::TempDir dir;
    struct Case {
        std::string out;
        bool compressed;
    };
    const Case cases[] = {{dir.path() + "/chorale.musicxml", false},
                          {dir.path() + "/chorale.MXL", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.out);
        const Outcome o = run({"--score", kChorale, "--annotate", c.out});
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.out, kChoraleChart);
        EXPECT_EQ(o.err, "");
        const std::string written = readFile(c.out);
        if (!c.compressed)
            EXPECT_EQ(written, readFile(kScores + "/chorale-annotated.musicxml"));
        else
            EXPECT_EQ(written.substr(0, 2), "PK");
    }
    // Chordless steps write nothing: the copy of a lone note is the score itself.
    const std::string lonely = dir.write("lonely.musicxml", lonelyNote("1", false));
    EXPECT_EQ(run({"--score", lonely, "--annotate", dir.path() + "/copy.xml"}).out,
              "1\t1\t-\t-\tN.C.\n");
    EXPECT_EQ(readFile(dir.path() + "/copy.xml"), readFile(lonely));
}

TEST(ChordvaneFind, AnnotateKeepsTheCopyItWouldReplaceWhenWritingFails)
{
    // A file size limit cuts the copy short, for root too: the write is
    // reported as it would be on a full disk, whether or not the caller
    // left SIGXFSZ ignored, and the old copy stays.
    test::TempDir dir;
    const std::string keep = dir.write("copy.musicxml", "the copy before");
    const std::string err = dir.path() + "/err.txt";
    for (const char *trap : {"trap '' XFSZ;", ""}) {
        SCOPED_TRACE(trap);
        EXPECT_EQ(test::shell(std::string(trap) + " ulimit -f 2; exec " + CHORDVANE_FIND +
                              " --score " + kChorale + " --annotate " + keep + " >/dev/null 2>" +
                              err),
                  2);
        const std::string said = readFile(err);
        EXPECT_EQ(said.rfind("chordvane-find: --annotate " + quoteForMessage(keep) +
                                 ": cannot write the annotated copy: only ",
                             0),
                  0u)
            << said;
        EXPECT_NE(said.find(" bytes could be written\n"), std::string::npos) << said;
        EXPECT_EQ(readFile(keep), "the copy before");
        const auto entries = std::filesystem::directory_iterator(dir.path());
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 2); // no temporary file left
    }
}

TEST(RunFind, TuningTellsEachPlayerTheDegreeAndTheCentsToMove)
{
    // B♭, F7, Cm and E♭ over the tuba's F, then the tuba alone: the
    // trumpet's two notes from the top, the horn's written B♭ a flat.
    const Outcome o = run({"--score", kScores + "/tuning_band.musicxml", "--tuning"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, "1\t1\tB♭\tTrumpet in B♭\tE5\tD5\t3\t-13.7\n"
                     "1\t1\tB♭\tTrumpet in B♭\tC5\tB♭4\t1\t0\n"
                     "1\t1\tB♭\tAlto Saxophone\tD5\tF4\t5\t+2\n"
                     "1\t1\tB♭\tHorn in F\tF4\tB♭3\t1\t0\n"
                     "1\t1\tB♭\tTuba\tB♭2\tB♭2\t1\t0\n"
                     "1\t3\tF7\tTrumpet in B♭\tF5\tE♭5\t♭7\t+17.9\n"
                     "1\t3\tF7\tAlto Saxophone\tA5\tC5\t5\t+2\n"
                     "1\t3\tF7\tHorn in F\tE4\tA3\t3\t-13.7\n"
                     "1\t3\tF7\tTuba\tF2\tF2\t1\t0\n"
                     "2\t1\tCm\tTrumpet in B♭\tA4\tG4\t5\t+2\n"
                     "2\t1\tCm\tAlto Saxophone\tA5\tC5\t1\t0\n"
                     "2\t1\tCm\tHorn in F\tB♭4\tE♭4\t♭3\t+15.6\n"
                     "2\t1\tCm\tTuba\tC3\tC3\t1\t0\n"
                     "2\t3\tE♭/F\tTrumpet in B♭\tA5\tG5\t3\t-13.7\n"
                     "2\t3\tE♭/F\tAlto Saxophone\tG5\tB♭4\t5\t+2\n"
                     "2\t3\tE♭/F\tHorn in F\tB♭4\tE♭4\t1\t0\n"
                     "2\t3\tE♭/F\tTuba\tF2\tF2\t-\t-\n"
                     "3\t1\tN.C.\tTuba\tB♭2\tB♭2\tno chord\t-\n");
}

TEST(RunFind, TuningGivesNoCentsToAFixedPitchOrInAUnisonAndNumbersEqualNames)
{
    // A song's band: the analysis reads the opening unison E as C/E, the
    // chord of its measure; the piano is the reference; two trombones.
    const std::string score = kScores + "/tuning_advice.musicxml";
    const std::string opening = "1\t1\tC/E\tTrombone 1\tE4\tE4\tunison\t-\n"
                                "1\t1\tC/E\tTrombone 2\tE3\tE3\tunison\t-\n"
                                "1\t1\tC/E\tPiano\tE5\tE5\tunison\tfixed\n"
                                "1\t1\tC/E\tTuba\tE2\tE2\tunison\t-\n"
                                "1\t3\tC\tTrombone 1\tE4\tE4\t3\t-13.7\n"
                                "1\t3\tC\tTrombone 2\tC4\tC4\t1\t0\n"
                                "1\t3\tC\tPiano\tC5\tC5\t1\tfixed\n"
                                "1\t3\tC\tPiano\tG4\tG4\t5\tfixed\n"
                                "1\t3\tC\tTuba\tC2\tC2\t1\t0\n";
    const auto seventh = [](const char *cents) {
        return "2\t1\tF7\tTrombone 1\tA3\tA3\t3\t-13.7\n"
               "2\t1\tF7\tTrombone 2\tE♭4\tE♭4\t♭7\t" +
               std::string(cents) +
               "\n"
               "2\t1\tF7\tPiano\tC5\tC5\t5\tfixed\n"
               "2\t1\tF7\tTuba\tF2\tF2\t1\t0\n";
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, opening + seventh("+17.9")},
        {{"--seventh", "9:5"}, opening + seventh("+17.9")},
        {{"--seventh", "16:9"}, opening + seventh("-3.9")},
        {{"--seventh=7:4"}, opening + seventh("-31.2")},
    };
    for (const auto &[more, out] : cases) {
        std::vector<std::string> args = {"--score", score, "--tuning"};
        args.insert(args.end(), more.begin(), more.end());
        expectPrints(args, out);
    }
}

TEST(RunFind, TuningCleansThePartsNameAndLeavesTheBeat)
{
    // A name with a tab in it and longer than a line holds, a measure
    // number as long; the beat and the notes as they are.
    test::TempDir dir;
    const std::string score = dir.write(
        "named.musicxml",
        R"(<score-partwise><part-list><score-part id="P1"><part-name>Solo&#9;)" +
            std::string(50, 'x') +
            R"(</part-name></score-part></part-list><part id="P1"><measure number=")" +
            std::string(45, '7') +
            R"("><note><pitch><step>C</step><octave>4</octave></pitch><duration>1</duration></note>)"
            R"(</measure></part></score-partwise>)");
    const Outcome o = run({"--score", score, "--tuning"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, std::string(40, '7') + "…\t1\tN.C.\tSolo?" + std::string(35, 'x') +
                         "…\tC4\tC4\tno chord\t-\n");
}
