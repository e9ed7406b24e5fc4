// What the MusicXML reader makes of the notes, names and times a part writes.
#include "score.h"
#include "scoretesting.h"

#include <gtest/gtest.h>

using namespace chordvane::score;

namespace {

// A one-part score: the part list entry's content and the part's measures.
QByteArray onePart(const QByteArray &measures,
                   const QByteArray &scorePart = "<part-name>P</part-name>")
{
    return "<score-partwise><part-list><score-part id=\"P\">" + scorePart +
           "</score-part></part-list><part id=\"P\">" + measures + "</part></score-partwise>";
}

QByteArray note(const char *step, int octave, const QByteArray &more = {})
{
    return "<note><pitch><step>" + QByteArray(step) + "</step><octave>" +
           QByteArray::number(octave) + "</octave></pitch><duration>1</duration>" + more +
           "</note>";
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
                 "</chromatic></transpose></attributes>" + note("C", 4),
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
