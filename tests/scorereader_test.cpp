// What the MusicXML reader makes of the notes, names and times a part writes.
#include "score.h"

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
