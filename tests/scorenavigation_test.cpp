// Finding the way in a score, the results beside it, and hearing a passage.
#include "mainwindowtesting.h"
#include "resultspanel.h"
#include "scorebrowsertesting.h"

#include <QFile>
#include <QMenu>

#include <algorithm>

using namespace chordvane;
using test::kScores;

namespace {

class ScoreNavigationTest : public test::ScoreBrowserTest {
protected:
    QStringList recentItems() const
    {
        QStringList items;
        for (const QAction *action : browser().mnuScoreRecent->actions())
            items << action->text();
        return items;
    }
    QString place() const
    {
        return browser().lblScorePlace->text() + " | " + browser().lblScoreSignature->text();
    }
    // Waits for the passage to end, as long as it takes at its tempo.
    void waitForPassage() const
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !browser().isPlaying(); }, 10000));
    }
    static QStringList lines(const QListWidget *list)
    {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        return shown;
    }
};

TEST_F(ScoreNavigationTest, GoToMeasureTakesTheNumberAsWrittenAndRefusesAnyOther)
{
    openScore(kScores + "/leadsheet.musicxml");
    struct Case {
        const char *typed;
        const char *place; // what shows afterwards: unchanged when refused
        bool refused;
    };
    const Case cases[] = {
        {"4", "小節 4 / 9　拍 1　— leadsheet.musicxml | E♭ 長調　4/4 拍子", false},
        {" 2 ", "小節 2 / 9　拍 1　— leadsheet.musicxml | C 長調　3/4 拍子", false},
        {"10", "小節 2 / 9　拍 1　— leadsheet.musicxml | C 長調　3/4 拍子", true},
        {"4a", "小節 2 / 9　拍 1　— leadsheet.musicxml | C 長調　3/4 拍子", true},
        {"", "小節 2 / 9　拍 1　— leadsheet.musicxml | C 長調　3/4 拍子", false}, // Cancel
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.messages.clear();
        dialogs.typedText = c.typed;
        QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
        EXPECT_EQ(dialogs.prompts.last(), "小節へ移動|小節番号 (1～9):");
        EXPECT_EQ(place(), c.place);
        EXPECT_EQ(dialogs.messages.size(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_TRUE(dialogs.messages.value(0).contains(
                QStringLiteral("小節 %1 はこのスコアにありません").arg(c.typed)));
        }
    }
    EXPECT_EQ(window->windowTitle(), "leadsheet.musicxml — 小節 2 / 9 — Chordvane");
    // A pickup is measure 0 as the score writes it.
    openScore(kScores + "/band.musicxml");
    dialogs.typedText = "0";
    QTest::keyClick(window.get(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(place(), "小節 0 / 2　拍 1　— band.musicxml | C 長調　4/4 拍子");
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "Chordvane");
}

TEST_F(ScoreNavigationTest, RecentScoresKeepTheLastEightAndDropAMissingOneWithAMessage)
{
    QFile band(kScores + "/band.musicxml");
    ASSERT_TRUE(band.open(QIODevice::ReadOnly));
    const std::string bytes = band.readAll().toStdString();
    const auto path = [this](int i) {
        return QString::fromStdString(data.path()) + QStringLiteral("/s%1.musicxml").arg(i);
    };
    EXPECT_EQ(recentItems(), QStringList{"(なし)"});
    for (int i = 1; i <= 9; ++i) {
        data.write("s" + std::to_string(i) + ".musicxml", bytes);
        openScore(path(i));
    }
    openScore(path(5)); // again: to the top, once
    const QStringList kept = {"&1 s5.musicxml", "&2 s9.musicxml", "&3 s8.musicxml",
                              "&4 s7.musicxml", "&5 s6.musicxml", "&6 s4.musicxml",
                              "&7 s3.musicxml", "&8 s2.musicxml"};
    EXPECT_EQ(recentItems(), kept);
    open(); // the next run
    EXPECT_EQ(recentItems(), kept);

    QFile::remove(path(9));
    browser().mnuScoreRecent->actions()[1]->trigger();
    EXPECT_FALSE(browser().isOpen());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("最近使ったスコアから外しました"));
    EXPECT_TRUE(dialogs.messages[0].contains(QDir::toNativeSeparators(path(9))));
    EXPECT_EQ(recentItems().size(), 7);
    EXPECT_FALSE(settings.value("score/recent").toStringList().contains(path(9)));
    browser().mnuScoreRecent->actions()[2]->trigger(); // now s7
    EXPECT_TRUE(browser().lblScorePlace->text().endsWith("s7.musicxml"));
    EXPECT_EQ(recentItems().value(0), "&1 s7.musicxml");
}

TEST_F(ScoreNavigationTest, TheScoreViewFollowsTheSearchOptionsAsTheyAreChosen)
{
    openScore(kScores + "/band.musicxml");
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Right); // measure 1, beat 4
    const QLabel *chord = browser().lblScoreChord;
    EXPECT_EQ(chord->text(), "コード D/G (67%)");
    window->mnuOptionCodeRate[5]->trigger(); // exact chords only
    EXPECT_EQ(chord->text(), "コード なし");
    window->mnuOptionCodeRate[3]->trigger();
    EXPECT_EQ(chord->text(), "コード D/G (67%)");
    // Once edited, the rows' own chord, first by rate when so ordered.
    press(Qt::Key_Left);
    QTest::mouseClick(window->row(3).chkUse(), Qt::LeftButton);
    QTest::mouseClick(window->row(3).chkUse(), Qt::LeftButton);
    const QString unranked = chord->text();
    window->rankByRateAction()->trigger();
    EXPECT_EQ(unranked + " | " + chord->text(),
              "行のコード A on G (67%) | 行のコード A7 on G (75%)");
}

TEST_F(ScoreNavigationTest, TheResultsPanelFollowsStepsAndEditsWithoutBlockingTheWindow)
{
    openScore(kScores + "/band.musicxml");
    browser().mnuScoreResults->trigger();
    ResultsPanel *panel = browser().resultsPanel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    QStringList sounded; // what the results window sounds for the line the panel selects
    dialogs.onModal = [&](QDialog *dialog) {
        auto *results = qobject_cast<frmCodeShow *>(dialog);
        ASSERT_NE(results, nullptr);
        shownLines = lines(results->lstCodes);
        const QList<QListWidgetItem *> same =
            results->lstCodes->findItems(panel->lstCodes->currentItem()->text(), Qt::MatchExactly);
        ASSERT_EQ(same.size(), 1);
        results->lstCodes->setCurrentItem(same[0]);
        results->cmdPlayJust->click();
    };
    const auto check = [&](const char *selected) {
        window->cmdSearchCode->click();
        const auto fromWindow = sound.played.back();
        QTest::mouseClick(panel->cmdPlayJust, Qt::LeftButton);
        EXPECT_EQ(sound.played.back(), fromWindow);
        EXPECT_EQ(lines(panel->lstCodes), shownLines);
        EXPECT_EQ(panel->lstCodes->currentItem()->text(), selected);
    };
    press(Qt::Key_Right); // measure 1, beat 1: A, C, E, G over C
    EXPECT_EQ(lines(panel->lstCodes), QStringList({"A7 on C", "Am7 on C"}));
    QListWidget *list = panel->lstCodes;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(panel->lblMatchedRate->text(), "合致度：　100％");
    EXPECT_EQ(panel->lblJunsei->text(), "A ： 0\nC ： +15.6\nE ： +2\nG ： +17.9\n");
    std::map<int, QColor> lit;
    for (int k = 1; k <= 12; ++k) {
        if (panel->keyboard->keyColour(k) != KeyboardPicture::naturalColour(k))
            lit[k] = panel->keyboard->keyColour(k);
    }
    EXPECT_EQ(lit, (std::map<int, QColor>{
                       {1, kBassKey}, {5, kLitWhiteKey}, {8, kLitWhiteKey}, {10, kLitWhiteKey}}));
    check("Am7 on C");
    // The next step keeps the chord chosen, over its new bass.
    press(Qt::Key_Right);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    check("Am7 on G");
    // A hand edit: the piano's A taken out; the chord kept is gone, so the first line.
    QTest::mouseClick(window->row(2).chkUse(), Qt::LeftButton);
    check("Em on G");
    browser().mnuScoreClose->trigger();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(panel->lstCodes->count(), 0);
}

TEST_F(ScoreNavigationTest, APassagePlaysOnThePartsWithTheRowsFollowingAndEscStopsIt)
{
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_Right); // measure 1, beat 1, in the step of Am7/C
    ScoreBrowser &score = browser();
    const auto keysOf = [](const std::vector<sound::Tone> &tones) {
        std::vector<int> keys;
        for (const sound::Tone &tone : tones)
            keys.push_back(tone.key);
        std::sort(keys.begin(), keys.end());
        return keys;
    };

    score.mnuScorePlayMeasure->trigger();
    EXPECT_TRUE(score.isPlaying());
    waitForPassage();
    ASSERT_EQ(sound.played.size(), 3u); // beats 1, 3 and 4
    EXPECT_EQ(keysOf(sound.played[0]), (std::vector<int>{48, 57, 60, 64, 67}));
    EXPECT_EQ(keysOf(sound.played[2]), (std::vector<int>{43, 57, 62}));
    for (const auto &tones : sound.played) {
        for (const sound::Tone &tone : tones)
            EXPECT_EQ(tone.cents, 0.0);
    }
    EXPECT_TRUE(place().startsWith("小節 1 / 2　拍 4"));
    EXPECT_EQ(row(0), "3 in C G Piano D"); // the rows followed to the last attack

    // Just, from the step's start: A0, C+15.6, E+2, G+17.9 over Am7.
    score.mnuScorePlayJust->trigger();
    press(Qt::Key_Left);
    sound.played.clear();
    score.mnuScorePlayStep->trigger();
    waitForPassage();
    ASSERT_EQ(sound.played.size(), 2u); // beats 1 and 3
    std::map<int, double> cents;
    for (const sound::Tone &tone : sound.played[0])
        cents[tone.key] = tone.cents;
    const std::map<int, double> expected = {{48, 15.6}, {57, 0}, {60, 15.6}, {64, 2}, {67, 17.9}};
    for (const auto &[key, value] : expected)
        EXPECT_NEAR(cents[key], value, 0.05) << key;

    // In a loop it starts again, until Esc.
    score.mnuScorePlayLoop->trigger();
    sound.played.clear();
    score.mnuScorePlayStep->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return sound.played.size() >= 3; }, 10000));
    const int stops = sound.stops;
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(score.isPlaying());
    EXPECT_GT(sound.stops, stops);
    const size_t played = sound.played.size();
    QTest::qWait(1500);
    EXPECT_EQ(sound.played.size(), played);

    // To a measure before the one shown: refused, nothing sounds.
    dialogs.typedText = "0";
    score.mnuScorePlayTo->trigger();
    EXPECT_FALSE(score.isPlaying());
    EXPECT_EQ(sound.played.size(), played);
    EXPECT_TRUE(dialogs.messages.value(0).contains("小節 0 は今の位置より前にあります。"));
}

} // namespace
