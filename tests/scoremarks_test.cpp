// Rehearsal marks and double bars as the reader keeps them for the chart.
#include "score.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace chordvane::score;

namespace {

// Each measure as "mark" plus "||" for a double bar at its end, joined by ",".
std::string marks(const QByteArray &parts)
{
    const ReadResult read = readScoreData(
        "<score-partwise><part-list><score-part id=\"P\"/><score-part id=\"Q\"/></part-list>" +
        parts + "</score-partwise>");
    if (!read.ok)
        return "not read";
    QStringList shown;
    for (const Measure &m : read.score.measures)
        shown << m.rehearsal + (m.doubleBar ? "||" : "");
    return shown.join(',').toStdString();
}

QByteArray part(const char *id, const QByteArray &first, const QByteArray &second = {})
{
    const QByteArray rest = "<note><rest/><duration>1</duration></note>";
    return "<part id=\"" + QByteArray(id) + "\"><measure number=\"1\">" + first + rest +
           "</measure><measure number=\"2\">" + second + rest + "</measure></part>";
}

QByteArray rehearsal(const QByteArray &text)
{
    return "<direction placement=\"above\"><direction-type><rehearsal enclosure=\"square\">" +
           text + "</rehearsal></direction-type><sound tempo=\"90\"/></direction>";
}

QByteArray barline(const char *location, const char *style)
{
    return "<barline location=\"" + QByteArray(location) + "\"><bar-style>" + style +
           "</bar-style></barline>";
}

} // namespace

TEST(ScoreMarks, RehearsalMarksAndDoubleBarsAreKeptByMeasure)
{
    struct Case {
        const char *name;
        QByteArray xml;
        std::string marks;
    };
    const Case cases[] = {
        {"none", part("P", "") + part("Q", ""), ","},
        {"the top part's first",
         part("P", rehearsal("A") + rehearsal("X"), rehearsal(" B\n ")) + part("Q", rehearsal("Q")),
         "A,B"},
        {"a lower part's when the top has none", part("P", "") + part("Q", {}, rehearsal("C")),
         ",C"},
        {"cut to 40 characters", part("P", rehearsal(QByteArray(50, 'x'))) + part("Q", ""),
         std::string(40, 'x') + ","},
        {"light-light and light-heavy at the right",
         part("P", barline("right", "light-light"), barline("right", "light-heavy")) +
             part("Q", ""),
         "||,||"},
        {"at the left: the measure before ends with it",
         part("P", "", barline("left", "light-light")) + part("Q", ""), "||,"},
        {"in a lower part", part("P", "") + part("Q", barline("right", "light-heavy")), "||,"},
        {"regular, heavy-light and a repeat are no double bars",
         part("P", barline("right", "regular"), barline("left", "heavy-light")) +
             part("Q", "<barline><repeat direction=\"backward\"/></barline>"),
         ","},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(marks(c.xml), c.marks);
    }
}
