#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "scorebrowser.h"
#include "scorerows.h"
#include "testsupport.h"
#include "windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

const QString kScores = QStringLiteral(CHORDVANE_SCORE_DATA);

class ScoreBrowserTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        data.write("CodeListB.txt", ":1,5,8\r\n");
    }
    // Chooses a file through the menu's shortcut.
    void openScore(const QString &path)
    {
        dialogs.chosenFile = path;
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    }
    void press(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::ControlModifier); }
    // Row r as the user reads it: staff note, transposition, clef,
    // instrument (whole: its entry may be shortened) and concert name, or
    // "rest" and the row's settings.
    std::string row(int r) const
    {
        const QComboBox *instrument = window->cboInstName[r];
        const QVariant whole = instrument->currentData(Qt::ToolTipRole);
        const bool used = window->rowInUse(r);
        return QStringList{used ? QString::number(window->ctlNoteInput[r]->Value()) : "rest",
                           window->cboTune[r]->currentText(),
                           window->ctlNoteInput[r]->ScoreType() == 2 ? "F" : "G",
                           whole.isValid() ? whole.toString() : instrument->currentText(),
                           window->lblResult[r]->text() + (used ? "" : "-")}
            .join(' ')
            .toStdString();
    }
    QString status() const
    {
        return browser().lblScorePlace->text() + " / " + browser().lblScoreChord->text();
    }
    ScoreBrowser &browser() const { return window->scoreBrowser(); }
};

} // namespace

TEST(ScoreRows, TranspositionPicksTheListEntryOfItsPitchClass)
{
    // Horn, octave, a second up and down: the sample scores have the rest.
    const std::pair<int, std::optional<int>> cases[] = {
        {-7, 5}, {5, 5}, {12, 0}, {2, std::nullopt}, {-1, std::nullopt}};
    for (const auto &[transposition, tune] : cases)
        EXPECT_EQ(tuneForTransposition(transposition), tune) << transposition;
}

TEST(ScoreRows, NotesFoldIntoTheStaffsSight)
{
    const std::array<int, 3> cases[] = {
        // MIDI key, clef, note number
        {60, 1, 1}, {55, 1, -4}, {86, 1, 27}, {87, 1, 28}, // own octave: G3 .. D♯6
        {54, 1, 7}, {96, 1, 25}, {88, 1, 17},              // F♯3 up, C7 and E6 down
        {43, 2, 8}, {40, 2, 5},  {60, 2, 25},              // bass clef: G2, E2, middle C
        {28, 2, 5}, {84, 2, 25},                           // E1 up, C6 down
    };
    for (const auto &[midi, scoreType, note] : cases)
        EXPECT_EQ(staffNote(midi, scoreType), note) << midi << " clef " << scoreType;
}

TEST(ScoreRows, NotesNoRowShowsGoToRowsNoPartOrARestingPartHas)
{
    // Twelve parts: D4 in the first eleven but the second, which rests, and C4
    // E4 F♯4 for the last. The C is the bass row's; from the top, the F♯
    // takes the one free row, the resting part's, and the E finds none.
    score::Score score;
    score::Moment moment;
    for (int p = 1; p <= 12; ++p) {
        score.parts.emplace_back().name = QString("Part %1").arg(p);
        const std::vector<int> notes = p == 2   ? std::vector<int>{}
                                       : p < 12 ? std::vector<int>{62}
                                                : std::vector<int>{60, 64, 66};
        moment.parts.push_back({notes, notes, 0, "G"});
        moment.sounding.insert(moment.sounding.end(), notes.begin(), notes.end());
    }
    std::sort(moment.sounding.begin(), moment.sounding.end());
    const ScoreRows rows = scoreRows(score, moment);
    const std::pair<int, ScoreRow> expected[] = {
        {0, {3, 1, 0, "Part 1"}},   {1, {7, 1, 0, "Part 12"}},  {2, {3, 1, 0, "Part 3"}},
        {10, {3, 1, 0, "Part 11"}}, {11, {1, 1, 0, "Part 12"}},
    };
    for (const auto &[r, row] : expected)
        EXPECT_TRUE(rows[r] == row) << r;
}

TEST_F(ScoreBrowserTest, StepsThroughTheMomentsIntoTheRows)
{
    openScore(kScores + "/band.musicxml");
    EXPECT_TRUE(window->statusBar()->isVisible());

    // Piano and Bass own rows 0 and 1; the piano's lower notes fill the
    // free rows at concert pitch unless a row shows their pitch class.
    struct Step {
        Qt::Key key;
        const char *status;
        std::vector<std::string> rows; // 0, 1, 2, 3 and the bass row
        QStringList search;
    };
    const std::string empty = "rest in C G (楽器名) -";
    const Step steps[] = {
        {Qt::Key_unknown,
         "小節 0　拍 1　— band.musicxml / コードなし",
         {"8 in C G Piano G", "rest in C F Bass -", empty, empty, "8 in C G Piano G"},
         {}},
        {Qt::Key_Right,
         "小節 1　拍 1　— band.musicxml / Am7 on C　合致度 100％",
         {"8 in C G Piano G", "13 in C F Bass C", "5 in C G Piano E", "22 in C F Piano A",
          "13 in C F Bass C"},
         {"A7 on C", "Am7 on C"}}, // in the order found; the chord is the best
        {Qt::Key_Right,
         "小節 1　拍 3　— band.musicxml / A7 on G　合致度 75％",
         {"5 in C G Piano E", "8 in C F Bass G", "22 in C F Piano A", empty, "8 in C F Bass G"},
         {"A on G", "Am on G", "A7 on G", "Am7 on G"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.status);
        if (s.key != Qt::Key_unknown)
            press(s.key);
        EXPECT_EQ(status(), s.status);
        const std::vector<std::string> shown = {row(0), row(1), row(2), row(3), row(11)};
        EXPECT_EQ(shown, s.rows);
        for (int r = 4; r < 11; ++r)
            EXPECT_EQ(row(r), empty) << r;
        if (!s.search.isEmpty()) {
            window->cmdSearchCode->click();
            EXPECT_EQ(shownLines, s.search);
        }
    }

    // The chord follows the options at once: the chord list, the rate.
    window->mnuOptionNotJazz->trigger();
    EXPECT_EQ(browser().lblScoreChord->text(), "A on G　合致度 67％");
    window->mnuOptionCodeRate[5]->trigger();
    EXPECT_EQ(browser().lblScoreChord->text(), "コードなし");
}

TEST_F(ScoreBrowserTest, PartsAreWrittenInTheirOwnTransposition)
{
    openScore(kScores + "/transposing.musicxml");
    const auto rows = [this] {
        return std::vector<std::string>{row(0), row(1), row(2), row(3)};
    };
    EXPECT_EQ(rows(), (std::vector<std::string>{
                          "15 in B♭ G Clarinet in B♭ C", "10 in E♭ G Alto Saxophone C",
                          "15 in B♭ G Tenor Saxophone C", "-4 in C G Tenor G"}));
    press(Qt::Key_Down); // the clarinet changes to A; the tenor saxophone plays F♯
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"13 in A G Clarinet in B♭ A", "10 in E♭ G Alto Saxophone C",
                                        "19 in B♭ G Tenor Saxophone E", "-4 in C G Tenor G"}));
    // Instruments are still chosen by hand; the part's entry restores its
    // transposition.
    QTest::keyClick(window->cboInstName[1], Qt::Key_Down);
    EXPECT_EQ(row(1), "10 in C G (楽器名) A");
    QTest::keyClick(window->cboInstName[1], Qt::Key_Up);
    EXPECT_EQ(row(1), "10 in E♭ G Alto Saxophone C");
}

TEST_F(ScoreBrowserTest, MomentAndMeasureKeysMoveAndStopAtTheEnds)
{
    openScore(kScores + "/band.musicxml");
    // Moments: 0 (m. 0), 1 2 3 (m. 1), 4 5 6 (m. 2).
    const std::pair<Qt::Key, size_t> steps[] = {
        {Qt::Key_Left, 0},  {Qt::Key_Up, 0},   {Qt::Key_Right, 1}, {Qt::Key_Right, 2},
        {Qt::Key_Down, 4},  {Qt::Key_Down, 4}, {Qt::Key_Right, 5}, {Qt::Key_Right, 6},
        {Qt::Key_Right, 6}, {Qt::Key_Up, 1},   {Qt::Key_Up, 0},    {Qt::Key_Down, 1},
        {Qt::Key_Right, 2}, {Qt::Key_Left, 1},
    };
    int i = 0;
    for (const auto &[key, moment] : steps) {
        SCOPED_TRACE(i++);
        press(key);
        EXPECT_EQ(browser().momentIndex(), moment);
    }
}

TEST_F(ScoreBrowserTest, AHandEditLastsUntilTheNextStep)
{
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_Right);
    window->ctlNoteInput[3]->setValue(3);   // the A row now holds a D, as a click would
    window->cboTune[4]->setCurrentIndex(1); // a free row taken into use
    EXPECT_EQ(row(3), "3 in C F Piano D");
    EXPECT_EQ(row(4), "1 in B♭ G (楽器名) A♯/B♭");
    window->cmdSearchCode->click();
    EXPECT_EQ(shownLines, QStringList{}); // C, E, G, D and B♭ over C spell nothing here
    press(Qt::Key_Left);
    press(Qt::Key_Right);
    EXPECT_EQ(row(3), "22 in C F Piano A");
    EXPECT_EQ(row(4), "rest in C G (楽器名) -");
}

TEST_F(ScoreBrowserTest, ABadFileIsReportedAndChangesNothing)
{
    const QString noNotes = QString::fromStdString(
        data.write("rests.musicxml", "<score-partwise><part-list><score-part id='P'/></part-list>"
                                     "<part id='P'><measure><note><rest/><duration>1</duration>"
                                     "</note></measure></part></score-partwise>"));
    struct Case {
        QString path;
        const char *reason; // part of the line that says why
    };
    const Case cases[] = {
        {kScores + "/not_xml.musicxml", ""},
        {kScores + "/empty_part.musicxml", "part \"P1\" is empty"},
        {kScores + "/no such file.musicxml", ""},
        {noNotes, "音符がひとつもありません"},
    };
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_Right);
    window->ctlNoteInput[5]->setValue(6);
    const auto rowsNow = [this] {
        return std::vector{row(0), row(3), row(5), row(11)};
    };
    const std::vector<std::string> before = rowsNow();
    const QString statusBefore = status();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs.messages.clear();
        openScore(c.path);
        const QStringList lines = dialogs.messages.value(0).split('\n');
        EXPECT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(lines.value(0) + lines.value(2),
                  "exclamation|Chordvane|スコアを開けませんでした" + c.path);
        EXPECT_TRUE(lines.size() == 3 && lines[1].size() > 5 && lines[1].contains(c.reason))
            << lines.value(1).toStdString();
        EXPECT_EQ(rowsNow(), before);
        EXPECT_EQ(status(), statusBefore);
    }
}

TEST_F(ScoreBrowserTest, TheFileChooserStartsInTheLastFolder)
{
    openScore(QString()); // cancelled
    openScore(kScores + "/band.musicxml");
    openScore(QString());
    open(); // the next run
    openScore(QString());
    QStringList folders;
    for (const QString &request : dialogs.fileRequests)
        folders << request.section('|', 1, 1);
    EXPECT_EQ(folders, (QStringList{QDir::homePath(), QDir::homePath(), kScores, kScores}));
}

TEST_F(ScoreBrowserTest, ClosingKeepsTheRowsAndClearKeepsTheScore)
{
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_Right);
    window->cmdClear->click();
    EXPECT_EQ(row(0), "rest in C G (楽器名) -");
    EXPECT_EQ(browser().lblScoreChord->text(), "Am7 on C　合致度 100％");
    press(Qt::Key_Right);
    EXPECT_EQ(row(0), "5 in C G Piano E");

    press(Qt::Key_W);
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_EQ(row(0), "5 in C G (楽器名) E");
    EXPECT_EQ(window->cboInstName[0]->count(), static_cast<int>(rows::kInstruments.size()));
    press(Qt::Key_Right); // nothing to step through
    EXPECT_EQ(row(0), "5 in C G (楽器名) E");
}
