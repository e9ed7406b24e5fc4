// What the MusicXML reader makes of the notes, names and times a part writes.
#include "score.h"
#include "scoretesting.h"

#include <gtest/gtest.h>

using namespace chordvane::score;

namespace {

const QString kData = QStringLiteral(CHORDVANE_SCORE_DATA);

// A one-part score: the part list entry's content and the part's measures.
QByteArray onePart(const QByteArray &measures,
                   const QByteArray &scorePart = "<part-name>P</part-name>")
{
    return "<score-partwise><part-list><score-part id=\"P\">" + scorePart +
           "</score-part></part-list><part id=\"P\">" + measures + "</part></score-partwise>";
}

// A note one division long: `before` goes ahead of the pitch (<chord/>),
// `after` behind the duration (ties).
QByteArray note(const char *step, int alter, int octave, const QByteArray &before = {},
                const QByteArray &after = {}, int duration = 1)
{
    return "<note>" + before + "<pitch><step>" + step + "</step><alter>" +
           QByteArray::number(alter) + "</alter><octave>" + QByteArray::number(octave) +
           "</octave></pitch><duration>" + QByteArray::number(duration) + "</duration>" + after +
           "</note>";
}

// Parts P and Q of one measure each.
QByteArray twoParts(const QByteArray &first, const QByteArray &second)
{
    return "<score-partwise><part-list><score-part id=\"P\"/><score-part id=\"Q\"/></part-list>"
           "<part id=\"P\"><measure>" +
           first + "</measure></part><part id=\"Q\"><measure>" + second +
           "</measure></part></score-partwise>";
}

QByteArray shift(const char *kind, int duration)
{
    return "<" + QByteArray(kind) + "><duration>" + QByteArray::number(duration) + "</duration></" +
           kind + ">";
}

// Deep enough that the reader's element-name storage grows while the
// element's text is read.
QByteArray deeplyNested(int depth)
{
    return QByteArray("<x>").repeated(depth) + QByteArray("</x>").repeated(depth);
}

} // namespace

TEST(ScoreReader, NumbersHoldingNestedElementsKeepTheirMeaning)
{
    struct Case {
        const char *name;
        QByteArray measure;
        int written, sounding;
    };
    for (int depth = 50; depth <= 400; depth += 25) {
        const Case cases[] = {
            {"alter",
             "<note><pitch><step>F</step><alter>1" + deeplyNested(depth) +
                 "</alter><octave>4</octave></pitch><duration>1</duration></note>",
             66, 66},
            {"chromatic",
             "<attributes><transpose><chromatic>-2" + deeplyNested(depth) +
                 "</chromatic></transpose></attributes>" + note("C", 0, 4),
             60, 58},
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " nested " << depth << " deep");
            const ReadResult read =
                readScoreData(onePart("<measure number=\"1\">" + c.measure + "</measure>"));
            ASSERT_TRUE(read.ok);
            ASSERT_EQ(read.score.parts[0].notes.size(), 1u);
            EXPECT_EQ(read.score.parts[0].notes[0].written, c.written);
            EXPECT_EQ(read.score.parts[0].notes[0].sounding, c.sounding);
        }
    }
}

// The window words errors from the code and its details, so they must say
// which element, value, part and place without any English around them.
TEST(ScoreReader, ErrorsNameTheirCauseInShortDetails)
{
    const QByteArray longValue = QByteArray("9").repeated(30) + QByteArray("x").repeated(30);
    struct Case {
        const char *name;
        QByteArray xml;
        ReadError error;
        const char *detail, *value, *measure;
        qint64 line, column;
    };
    const Case cases[] = {
        {"a bad duration, cut to 40 characters",
         onePart("<measure number=\"7\">\n<note><rest/><duration>" + longValue +
                 "</duration></note></measure>"),
         ReadError::BadNumber, "duration", "999999999999999999999999999999xxxxxxxxxx", "7", 2, 94},
        {"a bad alter",
         onePart("<measure number=\"2\"><note><pitch><step>C</step><alter>sharp</alter>"
                 "<octave>4</octave></pitch><duration>1</duration></note></measure>"),
         ReadError::BadNumber, "alter", "sharp", "2", 1, 175},
        {"no divisions",
         onePart("<measure number=\"1\"><attributes><divisions>0</divisions></attributes>"
                 "</measure>"),
         ReadError::BadNumber, "divisions", "0", "1", 1, 164},
        {"a MIDI program counted from 0",
         onePart("<measure/>", "<score-instrument id=\"I\"/><midi-instrument id=\"I\">"
                               "<midi-program>0</midi-program></midi-instrument>"),
         ReadError::BadNumber, "midi-program", "0", "", 1, 126},
        {"broken XML", onePart("<measure number=\"1\">\n\n  </note></measure>"),
         ReadError::BrokenXml, "Opening and ending tag mismatch.", "", "", 3, 9},
        {"another root element", "<opus/>", ReadError::NotMusicXml, "opus", "", "", 0, 0},
        {"a part the part list names but the score lacks",
         "<score-partwise><part-list><score-part id=\"P\"/><score-part id=\"Q\"><part-name>"
         "Oboe</part-name></score-part></part-list><part id=\"P\"><measure/></part>"
         "</score-partwise>",
         ReadError::PartMissing, "Q", "Oboe", "", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readScoreData(c.xml);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.detail, QString::fromUtf8(c.detail));
        EXPECT_EQ(read.value, QString::fromUtf8(c.value));
        EXPECT_EQ(read.part, QString::fromUtf8(*c.measure ? "P" : ""));
        EXPECT_EQ(read.measure, QString::fromUtf8(c.measure));
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.column, c.column);
    }
}

TEST(ScoreReader, NotesKeepTheSpellingThePartWrites)
{
    // A♭ major over D♭, the D♭ tied on to a C♯ (the same key) under a G♭.
    const QByteArray xml = onePart(
        "<measure number=\"1\"><attributes><key><fifths>-4</fifths></key></attributes>" +
        note("A", -1, 4) + note("C", 0, 5, "<chord/>") + note("E", -1, 5, "<chord/>") +
        note("D", -1, 4, "<chord/>", "<tie type=\"start\"/>") + "</measure><measure number=\"2\">" +
        note("C", 1, 4, {}, "<tie type=\"stop\"/>") + note("G", -1, 4, "<chord/>") + "</measure>");
    const ReadResult read = readScoreData(xml);
    ASSERT_TRUE(read.ok);
    const std::vector<Moment> moments = chordvane::test::momentsWithParts(read.score);
    ASSERT_EQ(moments.size(), 2u);
    struct Case {
        std::vector<int> written;
        std::vector<Spelling> spelling;
    };
    const Case cases[] = {
        {{61, 68, 72, 75}, {{1, -1}, {5, -1}, {0, 0}, {2, -1}}},
        {{61, 66}, {{1, -1}, {4, -1}}},
    };
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(testing::Message() << "moment " << i);
        EXPECT_EQ(moments[i].parts[0].written, cases[i].written);
        EXPECT_EQ(moments[i].parts[0].spelling, cases[i].spelling);
    }
}

// What the window names each part by at each moment.
TEST(ScoreReader, NamesAndProgramsChangeMidScore)
{
    const ReadResult read = readScoreFile(kData + "/instruments.musicxml");
    ASSERT_TRUE(read.ok) << englishMessage(read).toStdString();
    ASSERT_EQ(read.score.parts.size(), 2u);
    const Part &clarinet = read.score.parts[0];
    EXPECT_EQ(clarinet.name, QStringLiteral("Clarinet in B♭"));
    EXPECT_EQ(clarinet.abbreviation, QStringLiteral("Cl. in B♭"));
    EXPECT_EQ(clarinet.program, 71);
    EXPECT_EQ(read.score.parts[1].program, -1);

    const std::vector<Moment> moments = chordvane::test::momentsWithParts(read.score);
    ASSERT_EQ(moments.size(), 5u);
    struct Case {
        const char *name, *abbreviation;
        int program, transposition;
    };
    const Case cases[] = {
        {"Clarinet in B♭", "Cl. in B♭", 71, -2}, {"Clarinet in A", "Cl. in A", 71, -3},
        {"Alto Saxophone", "A. Sax.", 65, -9},   {"Clarinet", "", 71, -2},
        {"Alto Saxophone", "A. Sax.", 65, -9},
    };
    for (size_t i = 0; i < moments.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "measure " << i + 1);
        const PartMoment &part = moments[i].parts[0];
        EXPECT_EQ(part.name, QString::fromUtf8(cases[i].name));
        EXPECT_EQ(part.abbreviation, QString::fromUtf8(cases[i].abbreviation));
        EXPECT_EQ(part.program, cases[i].program);
        EXPECT_EQ(part.transposition, cases[i].transposition);
        EXPECT_EQ(moments[i].parts[1].name, QStringLiteral("Horn in F"));
    }
}

TEST(ScoreReader, DisplayedNamesSpellAccidentalsAsSigns)
{
    const std::pair<const char *, const char *> cases[] = {
        {"flat", "E♭"},         {"sharp", "E♯"},      {"natural", "E♮"},     {"double-flat", "E𝄫"},
        {"double-sharp", "E𝄪"}, {"flat-flat", "E♭♭"}, {"quarter-flat", "E"},
    };
    for (const auto &[accidental, name] : cases) {
        SCOPED_TRACE(accidental);
        const ReadResult read = readScoreData(
            onePart("<measure/>", QByteArray("<part-name>Alto</part-name><part-name-display>"
                                             "<display-text>E</display-text><accidental-text>") +
                                      accidental + "</accidental-text></part-name-display>"));
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.score.parts[0].name, QString::fromUtf8(name));
    }
}

TEST(ScoreReader, NotesStartWhereTiesChordsAndShiftsPutThem)
{
    const QByteArray start = "<tie type=\"start\"/>", stop = "<tie type=\"stop\"/>";
    struct Sounding {
        int sounding;
        Fraction start, end;
        bool operator==(const Sounding &) const = default;
    };
    struct Case {
        const char *name;
        QByteArray measure;
        std::vector<Sounding> notes;
    };
    const Case cases[] = {
        {"three tied notes",
         note("C", 0, 4, {}, start) + note("C", 0, 4, {}, stop + start) + note("C", 0, 4, {}, stop),
         {{60, 0, 3}}},
        {"a chord of unequal notes",
         note("C", 0, 4, {}, {}, 2) + note("E", 0, 4, "<chord/>") + note("G", 0, 4),
         {{60, 0, 2}, {64, 0, 1}, {67, 2, 3}}},
        {"forward after a note and after a backup",
         note("C", 0, 4, {}, {}, 4) + shift("backup", 4) + shift("forward", 1) + note("E", 0, 4) +
             shift("forward", 1) + note("G", 0, 4),
         {{60, 0, 4}, {64, 1, 2}, {67, 3, 4}}},
        {"a backup past the bar line",
         note("C", 0, 4) + shift("backup", 3) + note("E", 0, 4),
         {{60, 0, 1}, {64, 0, 1}}},
        {"two voices tying one pitch, the later tie stopping first",
         "<note><rest/><duration>1</duration><voice>2</voice></note>" +
             note("C", 0, 4, {}, start + "<voice>2</voice>") +
             note("C", 0, 4, {}, stop + "<voice>2</voice>") + shift("backup", 3) +
             note("C", 0, 4, {}, start, 2) + note("C", 0, 4, {}, stop, 3),
         {{60, 0, 5}, {60, 1, 3}}},
        {"a staff's transposition, then the whole part's",
         "<attributes><transpose number=\"2\"><chromatic>-12</chromatic></transpose></attributes>" +
             note("C", 0, 4) + note("C", 0, 4, {}, "<staff>2</staff>") +
             "<attributes><transpose><chromatic>-2</chromatic></transpose></attributes>" +
             note("C", 0, 4, {}, "<staff>2</staff>"),
         {{60, 0, 1}, {48, 1, 2}, {58, 2, 3}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readScoreData(onePart("<measure>" + c.measure + "</measure>"));
        ASSERT_TRUE(read.ok);
        std::vector<Sounding> notes;
        for (const PartNote &n : read.score.parts[0].notes)
            notes.push_back({n.sounding, n.start, n.end});
        EXPECT_EQ(notes, c.notes);
    }
}

TEST(ScoreReader, QuarterTonesRoundToTheNearestSemitoneHalvesUp)
{
    struct Case {
        const char *alter;
        int written, spelt;
    };
    const Case cases[] = {{"0.5", 66, 1}, {"-0.5", 65, 0}, {"-1.5", 64, -1}, {"1.25", 66, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.alter);
        const ReadResult read = readScoreData(
            onePart("<measure><note><pitch><step>F</step><alter>" + QByteArray(c.alter) +
                    "</alter><octave>4</octave></pitch><duration>1</duration></note></measure>"));
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.score.parts[0].notes[0].written, c.written);
        EXPECT_EQ(read.score.parts[0].notes[0].spelling.alter, c.spelt);
    }
}

// First part's signature; a measure lasts its notes, an empty one its signature unless implicit.
TEST(ScoreReader, MeasuresFollowTheFirstPartsTimeSignature)
{
    const auto time = [](const char *beats, const char *type, const QByteArray &staff = {}) {
        return "<attributes><time" + staff + "><beats>" + beats + "</beats><beat-type>" + type +
               "</beat-type></time></attributes>";
    };
    const QByteArray c4 = note("C", 0, 4), fivePulses = time("3+2", "8") + c4;
    const auto measures = [&](const std::vector<QByteArray> &contents) {
        QByteArray xml;
        for (const QByteArray &content : contents)
            xml += "<measure>" + content + "</measure>";
        return onePart(xml);
    };
    struct Case {
        const char *name;
        QByteArray xml;
        std::vector<std::pair<int, int>> signatures; // per measure
        Fraction lastLength;
    };
    const Case cases[] = {
        {"none, 6/8, held, 2/2 beside staff 2's 3/4",
         measures(
             {c4, time("6", "8") + c4, c4, time("2", "2") + time("3", "4", " number=\"2\"") + c4}),
         {{0, 0}, {6, 8}, {6, 8}, {2, 2}},
         Fraction(1)},
        {"3+2/8, then empty", measures({fivePulses, ""}), {{5, 8}, {5, 8}}, Fraction(5, 2)},
        {"3+2/8, empty and implicit",
         onePart("<measure implicit=\"yes\">" + time("3+2", "8") + "</measure>"),
         {{5, 8}},
         Fraction(0)},
        {"notes beyond 3+2/8",
         measures({fivePulses + note("C", 0, 4, {}, {}, 2)}),
         {{5, 8}},
         Fraction(3)},
        {"2/4 + 3/8",
         measures({"<attributes><time><beats>2</beats><beat-type>4</beat-type><beats>3</beats>"
                   "<beat-type>8</beat-type></time></attributes>" +
                   c4}),
         {{7, 8}},
         Fraction(1)},
        {"senza misura after 4/4",
         measures(
             {time("4", "4") + c4, "<attributes><time><senza-misura/></time></attributes>" + c4}),
         {{4, 4}, {0, 0}},
         Fraction(1)},
        {"the second part's",
         twoParts(time("4", "4") + c4, time("6", "8") + c4 + c4),
         {{4, 4}},
         Fraction(2)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readScoreData(c.xml);
        ASSERT_TRUE(read.ok);
        std::vector<std::pair<int, int>> signatures;
        for (const Measure &m : read.score.measures)
            signatures.emplace_back(m.beats, m.beatType);
        EXPECT_EQ(signatures, c.signatures);
        EXPECT_EQ(read.score.measures.back().length, c.lastLength);
    }
}

TEST(ScoreReader, PartsKeepTheKeyInForceAsWritten)
{
    const auto key = [](const QByteArray &content, const QByteArray &attributes = {}) {
        return "<attributes><key" + attributes + ">" + content + "</key></attributes>";
    };
    const QByteArray c4 = note("C", 0, 4);
    struct Case {
        const char *name;
        QByteArray measure;
        std::vector<std::tuple<int, bool, bool>> keys; // fifths, minor, given at each note
    };
    const Case cases[] = {
        {"none, D major, then C minor mid-measure, held",
         c4 + key("<fifths>2</fifths>") + c4 + key("<fifths>-3</fifths><mode>minor</mode>") + c4 +
             c4,
         {{0, false, false}, {2, false, true}, {-3, true, true}, {-3, true, true}}},
        {"a transposing part's written key, dorian counting as major",
         "<attributes><transpose><chromatic>-2</chromatic></transpose><key><fifths>2</fifths>"
         "<mode>dorian</mode></key></attributes>" +
             c4,
         {{2, false, true}}},
        {"steps and alterations count as C major",
         key("<fifths>3</fifths><mode>minor</mode>") + c4 +
             key("<key-step>B</key-step><key-alter>-1</key-alter><key-step>E</key-step>"
                 "<key-alter>-0.5</key-alter>") +
             c4,
         {{3, true, true}, {0, false, true}}},
        {"staff 1's or the whole part's, never staff 2's",
         key("<fifths>1</fifths>", " number=\"1\"") + key("<fifths>-1</fifths>", " number=\"2\"") +
             c4 + key("<fifths>-2</fifths>") + c4,
         {{1, false, true}, {-2, false, true}}},
        {"past seven, the same key enharmonically",
         key("<fifths>8</fifths><mode>minor</mode>") + c4 + key("<fifths>-9</fifths>") + c4,
         {{-4, true, true}, {3, false, true}}},
        {"no fifths, no change",
         key("<fifths>4</fifths>") + c4 + key("<mode>minor</mode>") + c4,
         {{4, false, true}, {4, false, true}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A second part that gives no key keeps none.
        const ReadResult read = readScoreData(
            twoParts(c.measure, "<attributes><divisions>2</divisions></attributes>" + c4));
        ASSERT_TRUE(read.ok);
        std::vector<std::tuple<int, bool, bool>> keys;
        for (const Moment &m : chordvane::test::momentsWithParts(read.score)) {
            keys.emplace_back(m.parts[0].fifths, m.parts[0].minor, m.parts[0].keyGiven);
            EXPECT_EQ(std::tuple(m.parts[1].fifths, m.parts[1].minor, m.parts[1].keyGiven),
                      std::tuple(0, false, false));
        }
        EXPECT_EQ(keys, c.keys);
    }
}
