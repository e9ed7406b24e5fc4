// Edit > 元に戻す / やり直し over the rows' hand edits.
#include "mainwindowtesting.h"
#include "scorebrowsertesting.h"

#include <QMenuBar>

using namespace chordvane;
using chordvane::test::kScores;

namespace {

class UndoTest : public test::MainWindowTest {
protected:
    // Every row as the user sees it, read from the controls.
    std::vector<std::string> rows() const
    {
        std::vector<std::string> shown;
        for (int r = 0; r < 12; ++r) {
            const InstrumentRow &row = window->row(r);
            const ctlNoteInput *staff = row.ctlNoteInput();
            shown.push_back(QStringList{
                QString::number(staff->Value()), QString::number(staff->state().Accidental),
                QString::number(staff->ScoreType()), row.cboInstName()->currentText(),
                row.cboTune()->currentText(),
                row.chkUse() && !row.chkUse()->isChecked() ? "-" : "+", row.lblResult()->text(),
                QString::number(window->engine().InputNotes[r])}
                                .join(' ')
                                .toStdString());
        }
        shown.push_back(std::to_string(window->engine().MatchThreshold));
        return shown;
    }
    void undo() { QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier); }
    void redo()
    {
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
};

TEST_F(UndoTest, EachHandEditIsUndoneAndRedoneWhole)
{
    write(11, 'C');
    write(0, 'G');
    write(1, 'E');
    window->mnuOptionCodeRate[0]->trigger(); // Clear takes the rate back to 65 %
    ctlNoteInput *staff = window->row(0).ctlNoteInput();
    QWidget *area = staff->picMain();
    const std::pair<const char *, std::function<void()>> edits[] = {
        {"note",
         [&] {
             write(0, 'A');
         }},
        {"accidental",
         [&] {
             QTest::mouseClick(area, Qt::RightButton, {}, test::staffPoint(area, 0));
         }},
        {"clef",
         [&] {
             QTest::mouseClick(staff->picToon(), Qt::LeftButton);
         }},
        {"instrument",
         [&] {
             choose(window->row(0).cboInstName(), "クラリネット");
         }},
        {"transposition",
         [&] {
             choose(window->row(0).cboTune(), "in F");
         }},
        {"in use",
         [&] {
             QTest::mouseClick(window->row(1).chkUse(), Qt::LeftButton);
         }},
        {"drag, as one edit",
         [&] {
             QTest::mousePress(area, Qt::LeftButton, {}, test::staffPoint(area, 4.2));
             for (const double y : {3.7, 3.2, 2.7})
                 QTest::mouseMove(area, test::staffPoint(area, y));
             QTest::mouseRelease(area, Qt::LeftButton, {}, test::staffPoint(area, 2.2));
         }},
        {"clear",
         [&] {
             QTest::mouseClick(window->cmdClear, Qt::LeftButton);
         }},
    };
    for (const auto &[what, edit] : edits) {
        SCOPED_TRACE(what);
        const std::vector<std::string> before = rows();
        edit();
        const std::vector<std::string> after = rows();
        ASSERT_NE(after, before);
        EXPECT_TRUE(window->mnuEditUndo->isEnabled());
        undo();
        EXPECT_EQ(rows(), before);
        EXPECT_TRUE(window->mnuEditRedo->isEnabled());
        redo();
        EXPECT_EQ(rows(), after);
        EXPECT_FALSE(window->mnuEditRedo->isEnabled());
    }
    // Back through every edit to where the history began.
    for (size_t i = 0; i < std::size(edits); ++i)
        window->mnuEditUndo->trigger();
    EXPECT_EQ(rows()[0].substr(0, 6), "8 0 1 ");
    EXPECT_EQ(window->engine().MatchThreshold, 10);
}

TEST_F(UndoTest, AStepInAScoreBeginsTheHistoryAnew)
{
    dialogs.chosenFile = kScores + "/flats.musicxml";
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(window->scoreBrowser().isOpen());
    EXPECT_FALSE(window->mnuEditUndo->isEnabled()); // opening is no edit
    const std::vector<std::string> opened = rows();
    EXPECT_EQ(window->row(3).lblResult()->text(), "D♭");
    write(3, 'E');
    write(4, 'G');
    undo();
    undo();
    EXPECT_EQ(rows(), opened); // the score's own spelling with it
    write(3, 'E');
    window->scoreBrowser().mnuScoreClose->trigger(); // the parts' names go for good
    const std::vector<std::string> closed = rows();
    undo();
    EXPECT_EQ(rows(), closed);
    dialogs.chosenFile = kScores + "/band.musicxml";
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    write(0, 'E');
    QTest::keyClick(window.get(), Qt::Key_Right, Qt::ControlModifier); // the next step
    EXPECT_FALSE(window->mnuEditUndo->isEnabled());
    const std::vector<std::string> stepped = rows();
    undo();
    EXPECT_EQ(rows(), stepped);
}

using UndoMenuTest = test::Bilingual<test::MainWindowTest>;

TEST_F(UndoMenuTest, NamesBothInEachLanguage)
{
    EXPECT_EQ(window->mnuEdit->actions().mid(0, 2),
              (QList<QAction *>{window->mnuEditUndo, window->mnuEditRedo}));
    const std::pair<Language, QStringList> cases[] = {
        {Language::Japanese, {"元に戻す(&U)", "やり直し(&R)", "バージョン情報(&V)"}},
        {Language::English, {"&Undo", "&Redo", "&About Chordvane"}},
    };
    for (const auto &[language, captions] : cases) {
        speak(language);
        EXPECT_EQ((QStringList{window->mnuEditUndo->text(), window->mnuEditRedo->text(),
                               window->mnuHelpVersion->text()}),
                  captions);
    }
}

} // namespace
