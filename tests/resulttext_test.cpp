#include "resulttext.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

// An engine holding one result: chord row `intervals` named `name`, found on
// `root` (NO_NOTE: on the bass) over `bass`.
struct OneResult {
    test::FakeHost host;
    ChordEngine engine{host};
    OneResult(const std::string &name, std::vector<int> intervals, int root, int bass)
    {
        engine.ChordNames[3] = name;
        for (size_t k = 0; k < intervals.size(); ++k)
            engine.ChordIntervals[3][k] = static_cast<Note>(intervals[k]);
        engine.ResultChords[0] = 3;
        engine.ResultRoot[0] = static_cast<Note>(root);
        engine.ResultRates[0] = 67;
        engine.BassNote = static_cast<Note>(bass);
        engine.ResultFound = true;
    }
};

} // namespace

TEST(ResultText, LinesAndJustTables)
{
    struct Case {
        const char *name;
        std::vector<int> intervals;
        int root, bass;
        const char *line;
        const char *table;
    };
    const Case cases[] = {
        {"", {1, 5, 8}, NO_NOTE, 1, "C", "C ： 0\r\nE ： -13.7\r\nG ： +2\r\n"},
        {"m7",
         {1, 4, 8, 11},
         NO_NOTE,
         10,
         "Am7",
         "A ： 0\r\nC ： +15.6\r\nE ： +2\r\nG ： +17.9\r\n"},
        // Found on A over the bass C: the table is built on A.
        {"m7",
         {1, 4, 8, 11},
         10,
         1,
         "Am7 on C",
         "A ： 0\r\nC ： +15.6\r\nE ： +2\r\nG ： +17.9\r\n"},
        {"m7",
         {1, 4, 8, 11},
         NO_NOTE,
         7,
         "F♯/G♭m7",
         "F♯/G♭ ： 0\r\nA ： +15.6\r\nC♯/D♭ ： +2\r\nE ： +17.9\r\n"},
        {"", {1, 5, 8}, 3, 1, "D on C", "D ： 0\r\nF♯/G♭ ： -13.7\r\nA ： +2\r\n"},
        {"x", {1, 15, 18}, NO_NOTE, 1, "Cx", "C ： 0\r\nD ： +3.9\r\nF ： -2\r\n"},
        {"all",
         {1, 2, 3, 4, 5, 6, 7, 8},
         NO_NOTE,
         1,
         "Call",
         "C ： 0\r\nC♯/D♭ ： +11.7\r\nD ： +3.9\r\nD♯/E♭ ： +15.6\r\nE ： -13.7\r\n"
         "F ： -2\r\nF♯/G♭ ： -9.8\r\nG ： +2\r\n"},
        {"", {}, NO_NOTE, 8, "G", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        OneResult result(c.name, c.intervals, c.root, c.bass);
        EXPECT_EQ(resultLine(result.engine, 0), c.line);
        EXPECT_EQ(justTableText(result.engine, 0), c.table);
    }
}
