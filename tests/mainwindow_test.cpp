#include "ctlnoteinput.h"
#include "fakedialogs.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

const QColor kYellow(255, 255, 0), kOlive(192, 192, 0), kOrange(238, 128, 0);

// The staff y of each natural note on the treble clef, in the middle of its band.
double trebleY(char note)
{
    switch (note) {
    case 'C':
        return 5.2;
    case 'D':
        return 4.7;
    case 'E':
        return 4.2;
    case 'F':
        return 3.7;
    case 'G':
        return 3.2;
    case 'A':
        return 2.7;
    default:
        return 2.2; // B
    }
}

class MainWindowTest : public testing::Test {
protected:
    test::TempDir data;
    test::FakeDialogs dialogs;
    std::unique_ptr<frmMain> window;
    QStringList shownLines; // the lines of the last results window
    QString shownRate;

    void SetUp() override
    {
        data.write("CodeList.txt", test::kExampleList);
        data.write("CodeListB.txt", "B-list:1,5,8\r\n");
        data.write("使う前に.txt", "read me");
        window = std::make_unique<frmMain>(dialogs, QString::fromStdString(data.path()));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        dialogs.onModal = [this](QDialog *dialog) {
            auto *results = qobject_cast<frmCodeShow *>(dialog);
            ASSERT_NE(results, nullptr);
            shownLines.clear();
            for (int i = 0; i < results->lstCodes->count(); ++i)
                shownLines << results->lstCodes->item(i)->text();
            shownRate = results->lblMatchedRate->text();
        };
    }

    void mouse(QWidget *target, QEvent::Type type, double staffY, Qt::MouseButton button,
               Qt::MouseButtons buttons)
    {
        const QPointF local(target->width() / 2.0, (staffY + 3) * target->height() / 10.0);
        QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // Enters a written note on row r by clicking its staff (treble clef).
    void write(int r, char note, int rightClicks = 0)
    {
        QWidget *area = window->ctlNoteInput[r]->picMain();
        mouse(area, QEvent::MouseButtonPress, trebleY(note), Qt::LeftButton, Qt::LeftButton);
        mouse(area, QEvent::MouseButtonRelease, trebleY(note), Qt::LeftButton, Qt::NoButton);
        for (int i = 0; i < rightClicks; ++i) {
            mouse(area, QEvent::MouseButtonPress, 0, Qt::RightButton, Qt::RightButton);
            mouse(area, QEvent::MouseButtonRelease, 0, Qt::RightButton, Qt::NoButton);
        }
    }
    void choose(QComboBox *box, const QString &text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    QStringList search()
    {
        shownLines = {QStringLiteral("<not opened>")};
        window->cmdSearchCode->click();
        return shownLines;
    }
    // Lit keys as "key:colour" for a readable comparison.
    std::map<int, QColor> litKeys() const
    {
        std::map<int, QColor> lit;
        for (int k = 1; k <= 12; ++k) {
            const QColor c = window->keyboard->keyColour(k);
            if (c != Qt::white && c != Qt::black)
                lit[k] = c;
        }
        return lit;
    }
    void expectStartState()
    {
        for (int r = 0; r < 12; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(window->cboTune[r]->currentText(), "in C");
            EXPECT_EQ(window->cboInstName[r]->currentText(), "(楽器名)");
            EXPECT_EQ(window->lblResult[r]->text(), "");
            if (r < 11) {
                EXPECT_FALSE(window->chkUse[r]->isChecked());
                EXPECT_FALSE(window->rowInUse(r));
            }
        }
        EXPECT_TRUE(window->rowInUse(11));
        for (const Note n : window->engine().InputNotes)
            EXPECT_EQ(n, NO_NOTE);
        EXPECT_TRUE(litKeys().empty());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(window->mnuOptionCodeRate[i]->isChecked(), i == 3);
        EXPECT_EQ(window->engine().MatchThreshold, 65);
        EXPECT_TRUE(window->IsLoaded());
    }
};

} // namespace

TEST_F(MainWindowTest, StartsEmptyAndAsksForTheBass)
{
    expectStartState();
    EXPECT_EQ(window->windowTitle(), "Chordvane");
    EXPECT_EQ(window->ctlNoteInput[11]->Value(), 1); // the staff shows a C all the same
    EXPECT_EQ(search(), QStringList{"<not opened>"});
    EXPECT_EQ(dialogs.messages, QStringList{"exclamation|確認|ベース音を指定してください"});
    EXPECT_TRUE(window->cmdSearchCode->isDefault());
    // Enter presses the search button.
    dialogs.messages.clear();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !dialogs.messages.isEmpty(); }, 2000));
}

TEST_F(MainWindowTest, EnteringANoteTicksTheRowAndLightsItsKey)
{
    write(3, 'E');
    EXPECT_TRUE(window->chkUse[3]->isChecked());
    EXPECT_TRUE(window->rowInUse(3));
    EXPECT_EQ(window->lblResult[3]->text(), "E");
    EXPECT_EQ(window->lblResult[3]->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(window->engine().InputNotes[3], 5);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kYellow}}));

    write(4, 'F', 2); // F sharp: a black key, olive
    write(5, 'F', 2);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kYellow}, {7, kOlive}}));

    write(11, 'E'); // the bass on the same pitch class as row 3: orange wins
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}, {7, kOlive}}));

    window->chkUse[3]->setChecked(false);
    EXPECT_EQ(window->engine().InputNotes[3], NO_NOTE);
    EXPECT_EQ(window->lblResult[3]->text(), "E"); // the name stays, greyed
    EXPECT_NE(window->lblResult[3]->palette().color(QPalette::Window), QColor(Qt::white));
    window->chkUse[4]->setChecked(false);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}, {7, kOlive}}));
    window->chkUse[5]->setChecked(false);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}}));
}

TEST_F(MainWindowTest, TickingByHandUsesTheStaffsNoteAndKeepsTheTextEmpty)
{
    window->chkUse[2]->setChecked(true);
    EXPECT_EQ(window->engine().InputNotes[2], 1);
    EXPECT_EQ(window->lblResult[2]->text(), "");
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{1, kYellow}}));
}

TEST_F(MainWindowTest, TranspositionAloneTicksTheRow)
{
    choose(window->cboTune[6], "in B♭");
    EXPECT_TRUE(window->chkUse[6]->isChecked());
    EXPECT_EQ(window->lblResult[6]->text(), "A♯/B♭"); // written C in B flat
    EXPECT_EQ(window->engine().InputNotes[6], -1);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{11, kOlive}}));
}

TEST_F(MainWindowTest, InstrumentsSelectTheirTranspositionAndKeepTheClef)
{
    struct Case {
        const char *instrument, *tune;
    };
    const Case cases[] = {
        {"Cl", "in B♭"},          {"Al.Sax", "in E♭"}, {"Hr", "in F"},         {"Piano", "in C"},
        {"【 in Bb 】", "in B♭"}, {"Tuba", "in C"},    {"Es.Cl", "in E♭"},     {"St.Base", "in C"},
        {"T.Sax", "in B♭"},       {"その他", "in C"},  {"【 in F 】", "in F"}, {"(楽器名)", "in C"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instrument);
        choose(window->cboInstName[0], QString::fromUtf8(c.instrument));
        EXPECT_EQ(window->cboTune[0]->currentText(), QString::fromUtf8(c.tune));
        EXPECT_EQ(window->ctlNoteInput[0]->ScoreType(), 1);
    }
    choose(window->cboTune[0], "in A");
    choose(window->cboInstName[0], "Piano");
    EXPECT_EQ(window->cboTune[0]->currentText(), "in C");
}

TEST_F(MainWindowTest, ConcertNotesFollowTheTransposition)
{
    struct Case {
        const char *tune;
        char written;
        int sharps; // right clicks: 1 flat, 2 sharp
        const char *concert;
    };
    const Case cases[] = {
        {"in B♭", 'D', 0, "C"}, {"in E♭", 'A', 0, "C"},     {"in F", 'G', 0, "C"},
        {"in A", 'E', 1, "C"},  {"in B♭", 'C', 0, "A♯/B♭"}, {"in C", 'F', 2, "F♯/G♭"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tune);
        window->Clear();
        choose(window->cboTune[1], QString::fromUtf8(c.tune));
        write(1, c.written, c.sharps);
        EXPECT_EQ(window->lblResult[1]->text(), QString::fromUtf8(c.concert));
    }
    window->Clear();
    choose(window->cboInstName[2], "Cl");
    write(2, 'D');
    EXPECT_EQ(window->lblResult[2]->text(), "C");
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{1, kYellow}}));
}

TEST_F(MainWindowTest, SearchesThroughTheWindow)
{
    // C major over the bass C, then in first inversion at the exact rate.
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "C7", "Em on C"}));
    EXPECT_EQ(shownRate, "合致度：　100％");
    window->mnuOptionCodeRate[5]->trigger();
    EXPECT_EQ(window->engine().MatchThreshold, 100);
    EXPECT_EQ(search(), QStringList{"C"});

    write(11, 'E');
    write(0, 'G');
    write(1, 'C');
    EXPECT_EQ(search(), QStringList{"C on E"});

    // Only the bass in use: the window opens with nothing.
    window->chkUse[0]->setChecked(false);
    window->chkUse[1]->setChecked(false);
    EXPECT_EQ(search(), QStringList{});
    EXPECT_EQ(shownRate, "合致度：　");
}

TEST_F(MainWindowTest, JazzOptionChoosesTheListAndClearKeepsIt)
{
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    window->mnuOptionNotJazz->trigger();
    EXPECT_TRUE(window->mnuOptionNotJazz->isChecked());
    EXPECT_EQ(search(), QStringList{"CB-list"});
    EXPECT_EQ(window->engine().ChordListPath, data.path() + "/CodeListB.txt");

    window->mnuOptionCodeRate[0]->trigger();
    QTest::mouseClick(window->ctlNoteInput[4]->picToon(), Qt::LeftButton); // bass clef
    window->cmdClear->click();
    expectStartState();
    EXPECT_TRUE(window->mnuOptionNotJazz->isChecked());
    EXPECT_EQ(window->ctlNoteInput[4]->ScoreType(), 2);
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(window->ctlNoteInput[r]->Value(), 1);
    dialogs.messages.clear();
    EXPECT_EQ(search(), QStringList{"<not opened>"});
    EXPECT_EQ(dialogs.messages, QStringList{"exclamation|確認|ベース音を指定してください"});

    window->mnuOptionNotJazz->trigger();
    write(11, 'C');
    write(0, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "Cm"})); // the full list again
}

TEST_F(MainWindowTest, RateItemsKeepOneCheckMark)
{
    const int thresholds[] = {10, 30, 50, 65, 75, 100};
    for (int item : {0, 5, 5, 2, 4, 1, 3}) {
        window->mnuOptionCodeRate[item]->trigger();
        EXPECT_EQ(window->engine().MatchThreshold, thresholds[item]);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(window->mnuOptionCodeRate[i]->isChecked(), i == item);
    }
}

TEST_F(MainWindowTest, MissingChordListIsAskedFor)
{
    const std::string list = data.path() + "/CodeList.txt";
    std::filesystem::rename(list, data.path() + "/elsewhere.txt");
    std::filesystem::create_directory(data.path() + "/saved");
    data.write("saved/CodeList.txt", ":1,5,8\r\n");
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    dialogs.typedText = QString::fromStdString(data.path() + "/saved/CodeList.txt");
    EXPECT_EQ(search(), QStringList{"C"});
    EXPECT_EQ(
        dialogs.prompts,
        QStringList{"エラー|コードリストファイルが見つかりません。'正しいパスを入力してください"});
    dialogs.typedText.clear(); // Cancel: the table read last time is searched
    EXPECT_EQ(search(), QStringList{"C"});
    EXPECT_EQ(dialogs.prompts.size(), 2);
}

TEST_F(MainWindowTest, HelpAndVersion)
{
    window->mnuHelpHowto->trigger();
    EXPECT_EQ(dialogs.opened, QStringList{QString::fromStdString(data.path()) + "/使う前に.txt"});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    dialogs.viewerStarts = false;
    window->mnuHelpHowto->trigger();
    EXPECT_EQ(dialogs.messages,
              QStringList{"exclamation|Chordvane|ファイルのオープンに失敗しました"});
    dialogs.messages.clear();
    window->mnuHelpVersion->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QStringList parts = dialogs.messages.first().split('|');
    EXPECT_EQ(parts[0], "information");
    EXPECT_EQ(parts[1], "Chordvane");
    const QStringList lines = parts[2].split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(" Ver.1.1.0")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "");
    EXPECT_TRUE(lines[2].contains("©"));
}

TEST_F(MainWindowTest, MovingOverTheBackgroundWipesHoverNotes)
{
    QWidget *area = window->ctlNoteInput[2]->picMain();
    mouse(area, QEvent::MouseMove, 1.2, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(window->ctlNoteInput[2]->state().GhostShown);
    // Over a control (a result label) the hover note stays.
    QTest::mouseMove(window->lblResult[0], QPoint(5, 5));
    EXPECT_TRUE(window->ctlNoteInput[2]->state().GhostShown);
    QWidget *client = window->centralWidget();
    const QPoint empty(client->width() - 5, client->height() / 2);
    ASSERT_EQ(client->childAt(empty), nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(empty), client->mapToGlobal(QPointF(empty)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    EXPECT_FALSE(window->ctlNoteInput[2]->state().GhostShown);
}
