// The score window: opening, stepping through, rows and messages.
#include "scorebrowsertesting.h"

using namespace chordvane;
using chordvane::test::kScores;
using chordvane::test::ScoreBrowserTest;

TEST_F(ScoreBrowserTest, APartNameThatDoesNotFitShowsItsAbbreviation)
{
    InstrumentRow &row = window->row(0);
    const std::pair<RowPart, const char *> cases[] = {
        {{"Fl", "", 0, {}}, "Fl"},
        {{"Contrabass Clarinet in B♭", "Cb. Cl.", -2, {}}, "Cb. Cl."},
        {{"Contrabass Clarinet in B♭", "", -2, {}}, nullptr}, // cut, not abbreviated
    };
    for (const auto &[part, shown] : cases) {
        SCOPED_TRACE(part.name.toStdString());
        row.showPart(part);
        const QString text = row.cboInstName()->currentText();
        if (shown)
            EXPECT_EQ(text.toStdString(), shown);
        else
            EXPECT_TRUE(text.endsWith(QChar(0x2026))) << text.toStdString();
        EXPECT_EQ(row.cboInstName()->toolTip(), part.name);
        EXPECT_EQ(row.cboTune()->currentData().toInt(), part.tune);
    }
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
         "小節 0 / 2　拍 1　— band.musicxml / コード なし",
         {"8 in C G Piano G", "rest in C F Bass -", empty, empty, "8 in C G Piano G"},
         {}},
        {Qt::Key_Right,
         "小節 1 / 2　拍 1　— band.musicxml / コード Am7/C (100%)",
         {"8 in C G Piano G", "13 in C F Bass C", "5 in C G Piano E", "22 in C F Piano A",
          "13 in C F Bass C"},
         {"A7 on C", "Am7 on C"}},
        {Qt::Key_Right,
         "小節 1 / 2　拍 3　— band.musicxml / コード Am7/C (100%)",
         {"5 in C G Piano E", "8 in C F Bass G", "22 in C F Piano A", empty, "8 in C F Bass G"},
         {"A on G", "Am on G", "A7 on G", "Am7 on G"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.status);
        if (s.key != Qt::Key_unknown)
            press(s.key);
        EXPECT_EQ(status().toStdString(), s.status);
        const std::vector<std::string> shown = {row(0), row(1), row(2), row(3), row(11)};
        EXPECT_EQ(shown, s.rows);
        for (int r = 4; r < 11; ++r)
            EXPECT_EQ(row(r), empty) << r;
        if (!s.search.isEmpty()) {
            window->cmdSearchCode->click();
            EXPECT_EQ(shownLines, s.search);
        }
    }

    // The score's chord follows the chord list at once.
    window->mnuOptionNotJazz->trigger();
    EXPECT_EQ(browser().lblScoreChord->text().toStdString(), "コード なし");
    window->mnuOptionNotJazz->trigger();
    // Once the rows are edited, the status names their own chord: the line
    // the results window opens on, ranked or not, never the stale one.
    press(Qt::Key_Left);
    window->row(0).ctlNoteInput()->setValue(20); // the G an octave up
    for (const char *first : {"A7 on C", "Am7 on C"}) {
        if (first[1] == 'm')
            window->rankByRateAction()->trigger();
        window->cmdSearchCode->click();
        EXPECT_EQ(shownLines.value(0).toStdString(), first);
        EXPECT_EQ(browser().lblScoreChord->text().toStdString(),
                  "行のコード " + std::string(first) + (first[1] == 'm' ? " (100%)" : " (75%)"));
    }
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
    press(Qt::Key_Down); // the clarinet changes to A, and its name with it; the tenor plays F♯
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"13 in A G Clarinet in A A", "10 in E♭ G Alto Saxophone C",
                                        "19 in B♭ G Tenor Saxophone E", "-4 in C G Tenor G"}));
    // Instruments are still chosen by hand; the part's entry restores its
    // transposition.
    QTest::keyClick(window->row(1).cboInstName(), Qt::Key_Down);
    EXPECT_EQ(row(1), "10 in C G (楽器名) A");
    QTest::keyClick(window->row(1).cboInstName(), Qt::Key_Up);
    EXPECT_EQ(row(1), "10 in E♭ G Alto Saxophone C");
}

TEST_F(ScoreBrowserTest, RowsSoundOnTheirPartsInstrumentAndOctave)
{
    // A clarinet (program 72) that takes up the alto saxophone (66) in
    // measure 3, over a horn in F.
    openScore(kScores + "/instruments.musicxml");
    struct Step {
        const char *name;
        std::vector<sound::Tone> tones; // the clarinet's row, then the horn's and the bass
    };
    const Step steps[] = {
        {"Clarinet in B♭", {{72, 0, 71}, {60, 0, 0}, {60, 0, 0}}}, // D5 in B♭ sounds C5
        {"Clarinet in A", {{69, 0, 71}, {69, 0, 71}}},             // C5 in A sounds A4
        {"Alto Saxophone", {{60, 0, 65}, {60, 0, 65}}}, // A4 in E♭ sounds C4, a sixth below
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        sound.played.clear();
        window->cmdPlay->click();
        EXPECT_EQ(window->row(0).cboInstName()->toolTip().toStdString(), s.name);
        ASSERT_EQ(sound.played.size(), 1u);
        EXPECT_EQ(sound.played[0], s.tones);
        press(Qt::Key_Down);
    }
}

TEST_F(ScoreBrowserTest, NotesAreSpelledAsThePartWritesThem)
{
    openScore(kScores + "/flats.musicxml");
    // Row: staff value and accidental (-1 flat), as each part writes its note.
    const std::pair<int, std::pair<int, int>> expected[] = {
        {0, {11, -1}}, // the horn's written B♭4
        {1, {9, -1}},  // the trombone's A♭2 on the bass clef
        {2, {6, 0}},   // the piano's F4
        {3, {2, -1}},  // its D♭4 in a free row, still a flat
        {11, {9, -1}}, // the bass: the trombone's A♭2
    };
    for (const auto &[r, note] : expected) {
        SCOPED_TRACE(r);
        const ctlNoteInput *staff = window->row(r).ctlNoteInput();
        EXPECT_EQ(staff->Value(), note.first);
        EXPECT_EQ(staff->state().Accidental, note.second);
    }
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
    window->row(3).ctlNoteInput()->setValue(3);   // the A row now holds a D, as a click would
    window->row(4).cboTune()->setCurrentIndex(1); // a free row taken into use
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
        {kScores + "/empty_part.musicxml", "パート「P1」に小節がありません。"},
        {kScores + "/no such file.musicxml", ""},
        {noNotes, "音符がひとつもありません"},
    };
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_Right);
    window->row(5).ctlNoteInput()->setValue(6);
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

TEST_F(ScoreBrowserTest, AMissingChordListIsAskedForWhenTheScoreOpens)
{
    std::filesystem::remove(data.path() + "/CodeList.txt");
    dialogs.typedText.clear(); // cancelled
    openScore(kScores + "/band.musicxml");
    EXPECT_EQ(dialogs.prompts.size(), 1);
    EXPECT_EQ(browser().lblScoreChord->text(), "コードリストが読み込まれていません");
    press(Qt::Key_Right); // a step reads no file and asks nothing
    EXPECT_EQ(dialogs.prompts.size(), 1);
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
    const QSize before = window->size();
    openScore(kScores + "/band.musicxml");
    EXPECT_GT(window->height(), before.height()); // room for the status bar
    press(Qt::Key_Right);
    window->cmdClear->click();
    EXPECT_EQ(row(0), "rest in C G (楽器名) -");
    EXPECT_EQ(browser().lblScoreChord->text(), ""); // no stale chord beside empty rows
    press(Qt::Key_Right);
    EXPECT_EQ(row(0), "5 in C G Piano E");

    press(Qt::Key_W);
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_EQ(window->size(), before); // and no band where it was
    EXPECT_EQ(row(0), "5 in C G (楽器名) E");
    EXPECT_EQ(window->row(0).cboInstName()->count(), static_cast<int>(sound::kInstruments.size()));
    press(Qt::Key_Right); // nothing to step through
    EXPECT_EQ(row(0), "5 in C G (楽器名) E");
}
