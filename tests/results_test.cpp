#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmpiano.h"
#include "keyboardpicture.h"
#include "playback.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

class ResultWindowsTest : public testing::Test {
protected:
    test::FakeHost host;
    ChordEngine engine{host};
    test::FakeDialogs dialogs;
    test::FakeSound sound;
    Playback playback{sound, dialogs};

    void search(const char *list, int bass, const std::vector<int> &others, int threshold = 65)
    {
        ParseChordList(list, engine.ChordNames, engine.ChordIntervals);
        test::setNotes(engine, bass, others);
        engine.MatchThreshold = static_cast<Note>(threshold);
        engine.SearchLoadedChords(11);
    }

    static QStringList lines(const frmCodeShow &window)
    {
        QStringList result;
        for (int i = 0; i < window.lstCodes->count(); ++i)
            result << window.lstCodes->item(i)->text();
        return result;
    }
};

const char *const kList = ":1,5,8\nm:1,4,8\n7:1,5,8,11\nm7:1,4,8,11\n";

} // namespace

TEST_F(ResultWindowsTest, ListsResultsInEngineOrderAndShowsTheFirst)
{
    search(kList, 13, {17, 20});
    frmCodeShow window(engine, dialogs, playback, nullptr);
    EXPECT_EQ(lines(window), (QStringList{"C", "C7", "Em on C"}));
    EXPECT_EQ(window.lstCodes->currentRow(), 0);
    EXPECT_EQ(window.lblMatchedRate->text(), "合致度：　100％");
    EXPECT_EQ(window.lblJunsei->text(), "C ： 0\nE ： -13.7\nG ： +2\n");
}

TEST_F(ResultWindowsTest, ArrowKeysUpdateRateAndTable)
{
    search(kList, 13, {17, 20});
    frmCodeShow window(engine, dialogs, playback, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The table follows the selection; the chord found on E over C is built on E.
    struct Step {
        Qt::Key key;
        const char *rate;
        const char *firstTone;
        int tones;
    };
    const Step steps[] = {
        {Qt::Key_Down, "合致度：　75％", "C ： 0", 4},
        {Qt::Key_Down, "合致度：　67％", "E ： 0", 3},
        {Qt::Key_Down, "合致度：　67％", "E ： 0", 3}, // the last line stays selected
        {Qt::Key_Up, "合致度：　75％", "C ： 0", 4},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.rate);
        QTest::keyClick(window.lstCodes, step.key);
        const QStringList table = window.junseiText().split("\r\n", Qt::SkipEmptyParts);
        EXPECT_EQ(window.lblMatchedRate->text(), step.rate);
        ASSERT_EQ(table.size(), step.tones);
        EXPECT_EQ(table.first(), step.firstTone);
    }
}

TEST_F(ResultWindowsTest, CopyPutsTheExactTableOnTheClipboard)
{
    search(kList, 10, {13, 17, 20}, 100); // Am7
    frmCodeShow window(engine, dialogs, playback, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QApplication::clipboard()->setText("old");
    QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
    // A button pressed by its access key clicks after a short animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.isEmpty(); }, 2000));
    EXPECT_EQ(QApplication::clipboard()->text(),
              "A ： 0\r\nC ： +15.6\r\nE ： +2\r\nG ： +17.9\r\n");
    EXPECT_EQ(dialogs.messages, QStringList{"information|確認|クリップボードにコピーしました"});
}

TEST_F(ResultWindowsTest, EmptyResultKeepsCaptionsAndOpensNothing)
{
    search(kList, 1, {2, 3}); // C C♯ D spells nothing
    ASSERT_FALSE(engine.ResultFound);
    frmCodeShow window(engine, dialogs, playback, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.lstCodes->count(), 0);
    EXPECT_EQ(window.lblMatchedRate->text(), "合致度：　");
    EXPECT_EQ(window.lblJunsei->text(), "");
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(dialogs.modalCount, 0);
    QApplication::clipboard()->setText("old");
    window.cmdJunseiCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "");
    EXPECT_EQ(dialogs.messages.size(), 1);
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
}

TEST_F(ResultWindowsTest, ShowsAtMost101Lines)
{
    std::string list;
    for (int i = 0; i < 61; ++i)
        list += "c" + std::to_string(i) + ":1,2,3,4,5,6,7,8\n";
    search(list.c_str(), 1, {2, 3}, 10);
    frmCodeShow window(engine, dialogs, playback, nullptr);
    EXPECT_EQ(window.lstCodes->count(), 101);
    EXPECT_EQ(window.lstCodes->item(100)->text(), "C♯/D♭c39 on C");
}

TEST_F(ResultWindowsTest, KeyboardColoursTonesAndBass)
{
    struct Case {
        const char *list;
        int bass;
        std::vector<int> others;
        int select;
        const char *name;
        std::vector<int> yellow, darkYellow;
        int orange;
    };
    const Case cases[] = {
        // D major over C: D, F♯, A lit, C orange though it is no chord tone.
        {kList, 1, {3, 7, 10}, 0, "D on C", {3, 10}, {7}, 1},
        // C7 on its bass: the root is orange.
        {kList, 1, {5, 8, 11}, 0, "C7", {5, 8}, {11}, 1},
        // 3 and 15 reach D twice: yellow first, then dark yellow.
        {"x:1,3,5,15\n", 1, {3, 5}, 0, "Cx", {5}, {3}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        search(c.list, c.bass, c.others, 65);
        frmCodeShow window(engine, dialogs, playback, nullptr);
        window.lstCodes->setCurrentRow(c.select);
        bool opened = false;
        dialogs.onModal = [&](QDialog *dialog) {
            auto *piano = qobject_cast<frmPiano *>(dialog);
            ASSERT_NE(piano, nullptr);
            opened = true;
            EXPECT_EQ(piano->lblName->text(), c.name);
            piano->show();
            const QImage image = piano->grab().toImage();
            const QPoint origin = piano->keyboard->pos();
            // Below the black keys and above the "C" at the foot of the C key.
            const int whiteY = origin.y() + piano->keyboard->keyRect(2).bottom() + 4;
            for (int key = 1; key <= 12; ++key) {
                SCOPED_TRACE(key);
                const bool black = key == 2 || key == 4 || key == 7 || key == 9 || key == 11;
                QColor expected = black ? Qt::black : Qt::white;
                if (std::count(c.yellow.begin(), c.yellow.end(), key))
                    expected = kLitWhiteKey;
                if (std::count(c.darkYellow.begin(), c.darkYellow.end(), key))
                    expected = kLitBlackKey;
                if (key == c.orange)
                    expected = kBassKey;
                EXPECT_EQ(piano->keyColour(key), expected);
                // What the user sees: the key's colour where no other key lies
                // over it, black keys over the white ones, in a black border.
                const QRect r = piano->keyboard->keyRect(key).translated(origin);
                const QPoint inside(r.center().x(), black ? r.center().y() : whiteY);
                EXPECT_EQ(image.pixelColor(inside), expected);
                EXPECT_EQ(image.pixelColor(r.left(), inside.y()), QColor(Qt::black));
            }
        };
        window.cmdShowPiano->click();
        EXPECT_TRUE(opened);
    }
}

TEST_F(ResultWindowsTest, PlayButtonsSoundTheSelectedChordTemperedOrJust)
{
    search(kList, 13, {17, 20}); // C, C7, Em on C
    playback.setChordSound(sound::ChordSound::Organ);
    frmCodeShow window(engine, dialogs, playback, nullptr);
    struct Case {
        int row;
        QPushButton *button;
        std::vector<sound::Tone> tones;
    };
    const Case cases[] = {
        {0, window.cmdPlay, {{60, 0, 19}, {64, 0, 19}, {67, 0, 19}, {48, 0, 19}}},
        {0, window.cmdPlayJust, {{60, 0, 19}, {64, -13.7f, 19}, {67, 2, 19}, {48, 0, 19}}},
        // Built on its own root E; the bass C is no tone of E minor: tempered.
        {2, window.cmdPlayJust, {{64, 0, 19}, {67, 15.6f, 19}, {71, 2, 19}, {48, 0, 19}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        window.lstCodes->setCurrentRow(c.row);
        sound.played.clear();
        c.button->click();
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_EQ(sound.played[0], c.tones);
    }
    EXPECT_EQ(sound.stops, 0);
    QTest::keyClick(&window, Qt::Key_Escape); // closes the window, and so the sound
    EXPECT_EQ(sound.stops, 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
