// MIDI files opened as scores in the window.
#include "midibytes.h"
#include "scorebrowsertesting.h"

using namespace chordvane;
using namespace chordvane::test;
using namespace chordvane::test::midi;

namespace {

class MidiScoreWindowTest : public ScoreBrowserTest {};

} // namespace

TEST_F(MidiScoreWindowTest, TracksFillTheRowsAndNothingIsWrittenIntoTheFile)
{
    // A trumpet track over a bass track, 4/4 at four ticks a quarter.
    const std::string file =
        header(1, 3) + track(keySignature(0, -1)) +
        track(meta(0, 0x03, "Trumpet 1") + program(0, 0, 56) + on(0, 0, 70) + off(8, 0, 70) +
              on(0, 0, 72) + off(8, 0, 72)) +
        track(program(0, 1, 32) + on(0, 1, 43) + on(0, 1, 53) + off(16, 1, 43) + off(0, 1, 53));
    const QString path = QString::fromStdString(data.write("band.mid", file));
    openScore(path);
    ASSERT_TRUE(browser().isOpen()) << dialogs.messages.join('\n').toStdString();
    EXPECT_TRUE(dialogs.fileRequests.value(0).contains("*.mid *.midi"));
    struct Case {
        int row;
        std::string shown;
    };
    // B♭ in F major on a treble staff, named so, the bass track's top note on a bass
    // staff, the lowest note in the bass row.
    const Case first[] = {
        {0, "11 in C G Trumpet 1 B♭"},
        {1, "18 in C F Acoustic Bass F"},
        {11, "8 in C F Acoustic Bass G"},
    };
    for (const Case &c : first) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(row(c.row), c.shown);
    }
    EXPECT_EQ(window->row(0).ctlNoteInput()->state().Accidental, -1);
    EXPECT_TRUE(status().startsWith("小節 1 / 1　拍 1　— band.mid / "));
    press(Qt::Key_Right);
    EXPECT_EQ(row(0), "13 in C G Trumpet 1 C");
    EXPECT_TRUE(status().startsWith("小節 1 / 1　拍 3　— band.mid / "));
    EXPECT_FALSE(browser().mnuScoreAnnotate->isEnabled());
    EXPECT_TRUE(browser().mnuScoreChart->isEnabled());

    openScore(kScores + "/band.musicxml");
    EXPECT_TRUE(browser().mnuScoreAnnotate->isEnabled());
}

TEST_F(MidiScoreWindowTest, ABrokenFileSaysWhereAndChangesNothing)
{
    openScore(kScores + "/band.musicxml");
    const std::string before = row(0);
    const QString statusBefore = status();
    struct Case {
        std::string file;
        QString reason;
    };
    const Case cases[] = {
        {header(0, 1) + "MTrk" + be(40, 4) + on(0, 0, 60),
         "MIDI ファイルが途中で終わっています。 (トラック 1、22 バイト目)"},
        {header(0, 1, 0xE728) + track(on(0, 0, 60) + off(4, 0, 60)),
         "時間を SMPTE で数える MIDI ファイルは読めません。"},
        {header(0, 1) + track(on(0, 9, 38) + off(4, 9, 38)), "パートがひとつもありません。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        dialogs.messages.clear();
        openScore(QString::fromStdString(data.write("broken.mid", c.file)));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].split('\n').value(1).startsWith(c.reason))
            << dialogs.messages[0].toStdString();
        EXPECT_EQ(row(0), before);
        EXPECT_EQ(status(), statusBefore);
    }
}
