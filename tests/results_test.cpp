#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmpiano.h"
#include "keyboardpicture.h"
#include "playback.h"
#include "resulttext.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

const char *const kList = ":1,5,8\nm:1,4,8\n7:1,5,8,11\nm7:1,4,8,11\n";

class ResultWindowsTest : public testing::Test {
protected:
    test::FakeHost host;
    ChordEngine engine{host};
    test::FakeDialogs dialogs;
    test::FakeSound sound;
    Playback playback{sound, dialogs};

    void search(const char *list, int bass, const std::vector<int> &others)
    {
        parseChordList(list, engine.ChordNames, engine.ChordIntervals);
        test::setNotes(engine, bass, others);
        engine.MatchThreshold = 65;
        engine.searchLoadedChords(11);
    }
    // The results window of a search, shown and active for keys.
    std::unique_ptr<frmCodeShow> open(int bass, const std::vector<int> &others)
    {
        search(kList, bass, others);
        auto window = std::make_unique<frmCodeShow>(engine, dialogs, playback, nullptr);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    QString table(int row) const { return QString::fromStdString(justTableText(engine, row)); }
};

} // namespace

TEST_F(ResultWindowsTest, ListsResultsFollowsTheSelectionAndCopiesItsTable)
{
    const auto window = open(13, {17, 20}); // E G over C
    QStringList lines;
    for (int i = 0; i < window->lstCodes->count(); ++i)
        lines << window->lstCodes->item(i)->text();
    EXPECT_EQ(lines, (QStringList{"C", "C7", "Em on C"}));
    EXPECT_EQ(window->lblMatchedRate->text(), "合致度：　100％");
    EXPECT_EQ(window->lblJunsei->text(), "C ： 0\nE ： -13.7\nG ： +2\n"); // lines, no CR
    // Down on the last line keeps it selected.
    const std::tuple<Qt::Key, int, int> steps[] = {
        {Qt::Key_Down, 1, 75}, {Qt::Key_Down, 2, 67}, {Qt::Key_Down, 2, 67}, {Qt::Key_Up, 1, 75}};
    for (const auto &[key, row, rate] : steps) {
        SCOPED_TRACE(row);
        QTest::keyClick(window->lstCodes, key);
        EXPECT_EQ(window->lblMatchedRate->text(), QStringLiteral("合致度：　%1％").arg(rate));
        EXPECT_EQ(window->junseiText(), table(row));
    }
    QApplication::clipboard()->setText("old");
    QTest::keyClick(window.get(), Qt::Key_J, Qt::AltModifier);
    // A button pressed by its access key clicks after a short animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.isEmpty(); }, 2000));
    EXPECT_EQ(QApplication::clipboard()->text(), table(1));
}

TEST_F(ResultWindowsTest, EmptyResultOpensNothingAndCopiesNothing)
{
    const auto window = open(1, {2, 3}); // C C♯ D spells nothing
    ASSERT_FALSE(engine.ResultFound);
    EXPECT_EQ(window->lstCodes->count(), 0);
    EXPECT_EQ(window->lblJunsei->text(), "");
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(dialogs.modalCount, 0);
    QApplication::clipboard()->setText("old");
    window->cmdJunseiCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "");
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
}

TEST_F(ResultWindowsTest, KeyboardColoursTonesAndBass)
{
    struct Case {
        const char *list;
        std::vector<int> others; // over the bass C
        const char *name;
        std::vector<int> yellow, darkYellow;
    };
    const Case cases[] = {
        // D major over C: D, F♯, A lit, C orange though it is no chord tone.
        {kList, {3, 7, 10}, "D on C", {3, 10}, {7}},
        // C7 on its bass: the root is orange.
        {kList, {5, 8, 11}, "C7", {5, 8}, {11}},
        // 3 and 15 reach D twice: yellow first, then dark yellow.
        {"x:1,3,5,15\n", {3, 5}, "Cx", {5}, {3}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        search(c.list, 1, c.others);
        frmCodeShow window(engine, dialogs, playback, nullptr);
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
                const bool black = KeyboardPicture::isBlackKey(key);
                QColor expected = black ? Qt::black : Qt::white;
                if (std::count(c.yellow.begin(), c.yellow.end(), key))
                    expected = kLitWhiteKey;
                if (std::count(c.darkYellow.begin(), c.darkYellow.end(), key))
                    expected = kLitBlackKey;
                if (key == 1)
                    expected = kBassKey;
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
    playback.setChordSound(sound::ChordSound::Organ);
    const auto window = open(13, {17, 20}); // C, C7, Em on C
    struct Case {
        int row;
        QPushButton *button;
        std::vector<sound::Tone> tones;
    };
    const Case cases[] = {
        {0, window->cmdPlay, {{60, 0, 19}, {64, 0, 19}, {67, 0, 19}, {48, 0, 19}}},
        {0, window->cmdPlayJust, {{60, 0, 19}, {64, -13.7f, 19}, {67, 2, 19}, {48, 0, 19}}},
        // Built on its own root E; the bass C is no tone of E minor: tempered.
        {2, window->cmdPlayJust, {{64, 0, 19}, {67, 15.6f, 19}, {71, 2, 19}, {48, 0, 19}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        window->lstCodes->setCurrentRow(c.row);
        sound.played.clear();
        c.button->click();
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_EQ(sound.played[0], c.tones);
    }
    EXPECT_EQ(sound.stops, 0);
    QTest::keyClick(window.get(), Qt::Key_Escape); // closes the window, and so the sound
    EXPECT_EQ(sound.stops, 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ResultWindowsTest, ThePlayersTableLiesInsideTheWindowBesideTheOtherControls)
{
    const auto window = open(13, {17, 20});
    const auto controls = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const QWidget *added[] = {window->lblPlayers, window->tblPlayers, window->cmdPlayersCopy};
    for (const QWidget *a : added) {
        SCOPED_TRACE(a->metaObject()->className());
        EXPECT_TRUE(window->rect().contains(a->geometry()));
        for (const QWidget *b : controls)
            EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()));
    }
}
