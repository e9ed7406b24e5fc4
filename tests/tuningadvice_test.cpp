// The results window's tuning guide as a director reads it: the just
// seventh chosen (and heard), the bass row not twice, a piano as the
// reference.
#include "mainwindowtesting.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace chordvane;
using namespace chordvane::test;

TEST_F(MainWindowTest, TheJustSeventhChosenIsKeptAndTakenByTheGuideAndTheJustPlayback)
{
    EXPECT_TRUE(window->mnuOptionSeventhItem[0]->isChecked()); // the just table's at first
    EXPECT_EQ(window->mnuOptionSeventh->title(), "短7度の純正(&7)");
    QStringList captions;
    for (QAction *item : window->mnuOptionSeventhItem)
        captions << item->text();
    EXPECT_EQ(captions, (QStringList{"9:5 (+17.9 ¢)", "16:9 (−3.9 ¢)", "7:4 (−31.2 ¢)"}));
    window->mnuOptionSeventhItem[2]->trigger();
    open(); // the next start keeps it
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->mnuOptionSeventhItem[i]->isChecked(), i == 2) << i;
    EXPECT_EQ(settings.value("tuning/seventh").toString(), "7:4");

    // C7 over the bass C: the B♭ is told the 7:4 seventh, and sounds it.
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    write(2, 'B', 1);
    QString heading, text;
    dialogs.onModal = [&](QDialog *dialog) {
        auto *results = qobject_cast<frmCodeShow *>(dialog);
        ASSERT_NE(results, nullptr);
        ASSERT_EQ(results->lstCodes->currentItem()->text(), "C7");
        heading = results->lblPlayers->text();
        text = results->playersText();
        results->cmdPlayJust->click();
        // The just table itself stays as it is.
        EXPECT_TRUE(results->junseiText().contains("A♯/B♭ ： +17.9\r\n"));
    };
    window->cmdSearchCode->click();
    EXPECT_EQ(heading, "奏者ごとの音程補正 (単位：セント、短7度 7:4)");
    EXPECT_EQ(text, "段 3\tB♭4\t♭7\t-31.2 ↓\r\n段 2\tG4\t5\t+2 ↑\r\n段 1\tE4\t3\t-13.7 ↓\r\n"
                    "ベース\tC4\t1\t0\r\n");
    ASSERT_EQ(sound.played.size(), 1u);
    std::vector<std::pair<int, int>> tenths; // key, cents in tenths
    for (const sound::Tone &tone : sound.played[0])
        tenths.emplace_back(tone.key, qRound(tone.cents * 10));
    EXPECT_EQ(tenths, (std::vector<std::pair<int, int>>{
                          {60, 0}, {64, -137}, {67, 20}, {70, -312}, {48, 0}}));
}

TEST_F(MainWindowTest, TheResultsGuideListsTheBassOnceAndThePianoAsTheReference)
{
    // A tuba's C on its own row and on the bass row: one player. A piano
    // cannot retune: the others tune to it.
    choose(window->row(0).cboInstName(), "テューバ");
    write(0, 'C');
    choose(window->row(1).cboInstName(), "ピアノ");
    write(1, 'E');
    write(2, 'G');
    write(11, 'C');
    QString text;
    dialogs.onModal = [&](QDialog *dialog) {
        text = qobject_cast<frmCodeShow *>(dialog)->playersText();
    };
    window->cmdSearchCode->click();
    EXPECT_EQ(text, "段 3\tG4\t5\t+2 ↑\r\nピアノ\tE4\t3\t基準\r\nテューバ\tC4\t1\t0\r\n");
}
