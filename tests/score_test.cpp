#include "findcommand.h"
#include "harmonypiece.h"
#include "score.h"
#include "scoretesting.h"
#include "search.h"
#include "testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace chordvane;
using namespace chordvane::score;
using test::container;
using test::makeArchive;

namespace {

const std::string kData = CHORDVANE_SCORE_DATA;

QByteArray dataFile(const char *name)
{
    QFile file(QString::fromStdString(kData + '/' + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// An archive whose first member is a decoy: only the container names the root.
QByteArray bandArchive(bool stored = false)
{
    return makeArchive({{"decoy.musicxml", dataFile("timewise.musicxml")},
                        {"META-INF/container.xml", container("scores/band.musicxml")},
                        {"scores/band.musicxml", dataFile("band.musicxml"), stored}});
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome runScore(const test::TempDir &dir, const std::string &path)
{
    const std::string list = dir.write("list.txt", test::kExampleList);
    std::istringstream in;
    std::ostringstream out, err;
    const int status =
        cli::runFind({"--list", list, "--score", path}, in, out, err, "/nonexistent");
    return {status, out.str(), err.str()};
}

} // namespace

TEST(Fraction, StaysExactAndRefusesOverflow)
{
    EXPECT_EQ(Fraction(1, 10) + Fraction(2, 10), Fraction(3, 10));
    EXPECT_EQ(Fraction(6, -4), Fraction(-3, 2));
    EXPECT_EQ(Fraction(483, 840) * Fraction(7) / Fraction(483, 120), Fraction(1));
    EXPECT_LT(Fraction(1, 3), Fraction(334, 1000));
    const std::int64_t big = std::int64_t{1} << 62;
    EXPECT_THROW(Fraction(big) + Fraction(big), FractionOverflow);
    EXPECT_THROW(Fraction(1, big - 1) + Fraction(1, big - 3), FractionOverflow);
    EXPECT_THROW(Fraction(1) / Fraction(0), FractionOverflow);
}

TEST(BeatText, ThreeDecimalsAtMostWithoutTrailingZeros)
{
    // clang-format off
    const std::pair<Fraction, const char *> cases[] = {
        {Fraction(1), "1"}, {Fraction(5, 2), "2.5"}, {Fraction(10, 3), "3.333"},
        {Fraction(5, 3), "1.667"}, {Fraction(2001, 2000), "1.001"}, {Fraction(4001, 4000), "1"},
        {Fraction(19999, 10000), "2"}, {Fraction(21, 20), "1.05"},
    };
    // clang-format on
    for (const auto &[beat, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(beatText(beat), text);
    }
}

TEST(NameChord, BassIsTheLowestNoteAndOnlyPitchClassesCount)
{
    const ChordTable table = ChordTable::fromText(test::kExampleList);
    struct Case {
        std::vector<int> sounding;
        const char *name; // nullptr: no chord
        int rate;
    };
    const Case cases[] = {
        {{48, 57, 60, 64, 67}, "Am7 on C", 100},
        {{98, 102, 105}, "D", 100}, // MIDI 98 + 1 would be the engine's empty marker
        {{45, 60, 64, 64, 76}, "Am", 100},
        {{60, 72, 84}, nullptr, 0},
        {{}, nullptr, 0},
        {{60, 61, 62}, nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name ? c.name : "none");
        const auto chord = nameChord(table, c.sounding, 65);
        ASSERT_EQ(chord.has_value(), c.name != nullptr);
        if (chord) {
            EXPECT_EQ(chord->name, c.name);
            EXPECT_EQ(chord->rate, c.rate);
        }
    }
}

TEST(ScoreCommand, PrintsOneLinePerMomentInScoreOrder)
{
    test::TempDir dir;
    const std::string bandLines = "0\t1\t67\t-\t-\n"
                                  "1\t1\t48 57 60 64 67\tAm7 on C\t100\n"
                                  "1\t3\t43 57 64\tA7 on G\t75\n"
                                  "1\t4\t43 57 62\tD on G\t67\n"
                                  "2\t2\t43 60 62\t-\t-\n"
                                  "2\t3\t43 65 69\tF on G\t67\n"
                                  "2\t4\t43 71\tG\t67\n";
    // A lone middle C in a measure numbered as given.
    const auto oneNote = [&](const std::string &number) {
        return dir.write(
            "m" + std::to_string(number.size()) + ".musicxml",
            R"(<score-partwise><part-list><score-part id="P1"/></part-list><part id="P1">)"
            R"(<measure number=")" +
                number +
                R"("><note><pitch><step>C</step><octave>4</octave></pitch>)"
                R"(<duration>1</duration></note></measure></part></score-partwise>)");
    };
    struct Case {
        const char *name;
        std::string path;
        std::string lines;
    };
    const Case cases[] = {
        {"pickup, chord, backup, ties", kData + "/band.musicxml", bandLines},
        {"the same compressed", dir.write("band.mxl", bandArchive().toStdString()), bandLines},
        {"B♭, E♭, tenor saxophone, a change of transposition", kData + "/transposing.musicxml",
         "1\t1\t55 60 60 72\t-\t-\n"
         "2\t1\t55 60 64 69\tAm7 on G\t100\n"},
        {"concert pitch", kData + "/concert.musicxml", "1\t1\t60 64 67\tC\t100\n"},
        {"6/8, tenths and a septuplet", kData + "/rational.musicxml",
         "1\t1\t48 72\t-\t-\n"
         "1\t1.1\t48 76\tC\t67\n"
         "1\t1.3\t52 79\tEm\t67\n"
         "2\t1\t48 60\t-\t-\n"
         "2\t1.286\t48 62\t-\t-\n"
         "2\t1.571\t48 64\tC\t67\n"
         "2\t1.857\t48 65\t-\t-\n"
         "2\t2.143\t48 67\tC\t67\n"
         "2\t2.429\t48 69\tAm on C\t67\n"
         "2\t2.714\t48 71\t-\t-\n"
         "2\t3\t48 72\t-\t-\n"},
        {"control characters in a measure number", oneNote("1&#9;&#x9B;"), "1??\t1\t60\t-\t-\n"},
        {"cut after a whole character", oneNote(std::string(39, 'x') + "𝄞y"),
         std::string(39, 'x') + "𝄞…\t1\t60\t-\t-\n"},
        {"grace, cue, unpitched", kData + "/grace_cue.musicxml",
         "1\t1\t60 64\tC\t67\n"
         "1\t3\t45\t-\t-\n"
         "1\t4\t45 65\tF on A\t67\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = runScore(dir, c.path);
        EXPECT_EQ(outcome.status, cli::kExitFound);
        EXPECT_EQ(outcome.out, c.lines);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(ScoreCommand, RefusesBadInputWithAMessage)
{
    test::TempDir dir;
    const QByteArray band = dataFile("band.musicxml");
    QByteArray damaged = bandArchive(true);
    damaged[damaged.indexOf("<score-partwise") + 3] = 'X';
    QByteArray bomb(kMaxFileBytes + 1, ' ');
    const std::string bombArchive =
        makeArchive({{"META-INF/container.xml", container("a.xml")}, {"a.xml", bomb}})
            .toStdString();
    bomb.clear();
    const std::string huge = dir.write("huge.musicxml", "");
    std::filesystem::resize_file(huge, kMaxFileBytes + 1);
    struct Case {
        std::string path;
        const char *message;
    };
    const Case cases[] = {
        {kData + "/not_xml.musicxml", "not an XML file"},
        {dir.write("empty.musicxml", ""), "not an XML file"},
        {kData + "/not_score.xml", "not a MusicXML score"},
        {kData + "/timewise.musicxml",
         "timewise MusicXML scores (score-timewise) are not supported"},
        {kData + "/missing_part.musicxml", "part \"P2\" (Oboe) is missing"},
        {kData + "/empty_part.musicxml", "part \"P1\" is empty"},
        {kData + "/entity_expansion.musicxml", "declares XML entities"},
        {kData + "/external_entity.musicxml", "declares XML entities"},
        {dir.write("cut.musicxml", band.left(band.size() / 2).toStdString()), "truncated"},
        {dir.write("garbage.musicxml", band.toStdString() + "<more/>"), "broken XML at line"},
        {huge, "larger than 64 MiB"},
        {dir.path() + "/absent.musicxml", "no such file"},
        {dir.write("nocontainer.mxl", makeArchive({{"band.musicxml", band}}).toStdString()),
         "no \"META-INF/container.xml\""},
        {dir.write("noroot.mxl",
                   makeArchive({{"META-INF/container.xml", container("gone.musicxml")},
                                {"band.musicxml", band}})
                       .toStdString()),
         "no \"gone.musicxml\""},
        {dir.write("cut.mxl", bandArchive().left(300).toStdString()), "broken compressed"},
        {dir.write("damaged.mxl", damaged.toStdString()), "is broken"},
        {dir.write("bomb.mxl", bombArchive), "unpack to more than 64 MiB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const Outcome outcome = runScore(dir, c.path);
        EXPECT_EQ(outcome.status, cli::kExitError);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
}

// What the window shows per part: written and sounding notes, the
// transposition and the clef in force at each moment.
TEST(ScoreMoments, KeepWrittenAndSoundingNotesPerPart)
{
    const ReadResult read = readScoreData(dataFile("transposing.musicxml"));
    ASSERT_TRUE(read.ok) << englishMessage(read).toStdString();
    ASSERT_EQ(read.score.parts.size(), 4u);
    EXPECT_EQ(read.score.parts[0].name, QStringLiteral("Clarinet in B♭"));
    const std::vector<Moment> moments = test::momentsWithParts(read.score);
    ASSERT_EQ(moments.size(), 2u);
    struct Case {
        size_t moment, part;
        int written, sounding, transposition;
        const char *clef;
    };
    const Case cases[] = {
        {0, 0, 74, 72, -2, "G"},  {1, 0, 72, 69, -3, "G"}, {0, 1, 69, 60, -9, "G"},
        {1, 2, 78, 64, -14, "G"}, {1, 3, 55, 55, 0, "G"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "moment " << c.moment << " part " << c.part);
        const PartMoment &part = moments[c.moment].parts[c.part];
        EXPECT_EQ(part.written, std::vector<int>{c.written});
        EXPECT_EQ(part.sounding, std::vector<int>{c.sounding});
        EXPECT_EQ(part.transposition, c.transposition);
        EXPECT_EQ(part.clef, QString::fromLatin1(c.clef));
    }
    EXPECT_EQ(moments[1].beat, Fraction(1));
    EXPECT_EQ(moments[1].at, Fraction(4));

    // A pickup is as long as its notes, not its time signature.
    const std::vector<Moment> band = scoreMoments(readScoreData(dataFile("band.musicxml")).score);
    ASSERT_GE(band.size(), 2u);
    EXPECT_EQ(band[1].at, Fraction(1));
}

TEST(ScoreMoments, SizeIsCountedBeforeBuildingAndHugeOverlapsAreRefused)
{
    for (const char *name : {"band.musicxml", "transposing.musicxml", "rational.musicxml"}) {
        SCOPED_TRACE(name);
        const ReadResult read = readScoreData(dataFile(name));
        ASSERT_TRUE(read.ok) << englishMessage(read).toStdString();
        std::size_t listed = 0;
        for (const Moment &moment : scoreMoments(read.score))
            listed += moment.held.size();
        EXPECT_EQ(momentNoteCount(read.score), listed);
    }
    // 2400 notes, each held to the end while the next starts a division later:
    // small as a file, about 2.9 million notes over its moments.
    QByteArray xml = R"(<score-partwise><part-list><score-part id="P1"><part-name>P</part-name>
        </score-part></part-list><part id="P1"><measure number="1"><attributes>
        <divisions>1</divisions></attributes>)";
    for (int i = 0; i < 2400; ++i)
        xml += "<note><pitch><step>C</step><octave>4</octave></pitch><duration>10000</duration>"
               "</note><backup><duration>9999</duration></backup>";
    xml += "</measure></part></score-partwise>";
    const ReadResult read = readScoreData(xml);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, ReadError::TooManyNotes);
}

TEST(HarmonyPiece, NotesKeepTheirSpellingAtConcertPitch)
{
    struct Case {
        const char *name;
        Spelling written;
        int writtenKey;
        int transposition;
        std::optional<int> concert; // on the line of fifths: 0 = C, 7 = C♯, -5 = D♭
    };
    const Case cases[] = {
        {"a cello's C♯", {0, 1}, 61, 0, 7},
        {"a cello's D♭", {1, -1}, 61, 0, -5},
        {"a B♭ clarinet's D", {1, 0}, 62, -2, 0},
        {"a B♭ clarinet's F♯ is E", {3, 1}, 66, -2, 4},
        {"an alto saxophone's A", {5, 0}, 69, -9, 0},
        {"a horn's G", {4, 0}, 67, -7, 0},
        {"an E♭ clarinet's A is C", {5, 0}, 69, 3, 0},
        {"a written B♯ at an octave", {6, 1}, 72, -12, 12},
        {"a name that does not match its key", {0, 0}, 61, 0, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PartNote note;
        note.written = c.writtenKey;
        note.sounding = c.writtenKey + c.transposition;
        note.spelling = c.written;
        EXPECT_EQ(concertSpelling(note), c.concert);
    }
}

TEST(HarmonyPiece, ConcertKeyComesFromAPartInCElseMovesTheWrittenOne)
{
    const std::tuple<int, int, int> moved[] = {
        {2, -2, 0},   // a B♭ clarinet's D major is concert C
        {3, -9, 0},   // an alto saxophone's A major too
        {1, -7, 0},   // a horn's G major
        {-3, -2, -5}, // E♭ for a B♭ instrument is D♭
        {7, -2, 5},   // C♯ moved down a tone: B, not C♭
        {0, 12, 0},   // an octave changes no key
    };
    for (const auto &[written, transposition, concert] : moved)
        EXPECT_EQ(concertFifths(written, transposition), concert)
            << written << " " << transposition;

    // The clarinet writes D major; the flute in C gives the key once it
    // names one, and its change to E♭ is followed.
    Score score;
    score.measures = {{"1", Fraction(0), Fraction(4), 4, 4, {}, false},
                      {"2", Fraction(4), Fraction(4), 3, 4, {}, false}};
    score.parts.resize(2);
    Part &clarinet = score.parts[0];
    clarinet.settings = {{Fraction(0), -2, "G", "Cl", {}, 71, 2, false, true}};
    Part &flute = score.parts[1];
    flute.settings = {{Fraction(0), 0, "G", "Fl", {}, 73, 0, false, false},
                      {Fraction(4), 0, "G", "Fl", {}, 73, -3, true, true}};
    clarinet.notes = {{74, 72, Fraction(0), Fraction(8), 1, 1, {}}};
    flute.notes = {{79, 79, Fraction(0), Fraction(4), 1, 1, {}},
                   {79, 79, Fraction(4), Fraction(8), 2, 1, {}}};
    const harmony::Piece piece = harmonyPiece(score);
    ASSERT_EQ(piece.keys.size(), 2u);
    EXPECT_EQ(piece.keys[0].fifths, 0);
    EXPECT_EQ(piece.keys[1].fifths, -3);
    EXPECT_TRUE(piece.keys[1].minor);
    ASSERT_EQ(piece.meters.size(), 2u);
    EXPECT_EQ(piece.meters[1].beats, 3);
    EXPECT_EQ(piece.end, Fraction(8));
    // Each part's voice is a line of its own.
    ASSERT_EQ(piece.notes.size(), 3u);
    EXPECT_NE(piece.notes[0].line, piece.notes[1].line);
    EXPECT_NE(piece.notes[1].line, piece.notes[2].line);
}
