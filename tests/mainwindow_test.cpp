#include "mainwindowtesting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>

#include <filesystem>
#include <optional>

using namespace chordvane;
using namespace chordvane::test;

TEST_F(MainWindowTest, EnterPressesTheSearchButtonWhereADefaultButtonWould)
{
    // Without a bass a search only asks for one; row 0's name shows a Clear.
    struct Case {
        const char *focus;
        QWidget *widget;
        bool searches, clears, closes;
    };
    const Case cases[] = {
        {"check box", window->row(0).chkUse(), true, false, false},
        {"closed list", window->row(3).cboTune(), true, false, false},
        {"clear button", window->cmdClear, false, true, false},
        {"exit button", window->cmdExit, false, false, true},
    };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.focus);
        write(0, 'E');
        dialogs.messages.clear();
        c.widget->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), c.widget);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(200); // a shortcut's animated click lands later
        EXPECT_EQ(dialogs.messages.value(0),
                  c.searches ? "exclamation|確認|ベース音を指定してください" : "");
        EXPECT_EQ(window->row(0).lblResult()->text().isEmpty(), c.clears);
        EXPECT_EQ(!window->isVisible(), c.closes);
    }
    EXPECT_EQ(dialogs.modalCount, 0); // no search without a bass
    // In an open list Enter only takes the entry, which alone puts the
    // row's written C, sounding B flat, in use.
    window->show();
    dialogs.messages.clear();
    choose(window->row(1).cboTune(), "in B♭");
    QTest::qWait(200);
    EXPECT_EQ(window->engine().InputNotes[1], -1);
    EXPECT_EQ(window->row(1).lblResult()->text(), "A♯/B♭");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, EnteringANoteTicksTheRowAndLightsItsKey)
{
    write(3, 'E');
    EXPECT_TRUE(window->row(3).chkUse()->isChecked());
    EXPECT_EQ(window->row(3).lblResult()->text(), "E");
    EXPECT_EQ(window->engine().InputNotes[3], 5);
    write(4, 'F', 2); // F sharp: a black key, dark yellow
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kLitWhiteKey}, {7, kLitBlackKey}}));
    write(11, 'E'); // the bass on the same pitch class as row 3: orange wins
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kBassKey}, {7, kLitBlackKey}}));

    // Unticking keeps the name, greyed, and the bass's key still lit.
    QTest::mouseClick(window->row(3).chkUse(), Qt::LeftButton);
    window->row(4).chkUse()->setChecked(false);
    EXPECT_EQ(window->engine().InputNotes[3], NO_NOTE);
    EXPECT_EQ(window->row(3).lblResult()->text(), "E");
    EXPECT_NE(window->row(3).lblResult()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kBassKey}}));

    // Ticking by hand counts the staff's note but names nothing yet.
    QTest::mouseClick(window->row(2).chkUse(), Qt::LeftButton);
    EXPECT_EQ(window->engine().InputNotes[2], 1);
    EXPECT_EQ(window->row(2).lblResult()->text(), "");
}

TEST_F(MainWindowTest, RowsNameTheConcertNoteOfTheirInstrument)
{
    // Every case starts from "in A" set by hand, so that choosing the
    // instrument the row already shows must restore its transposition.
    struct Case {
        const char *instrument, *tune; // chosen: the instrument, else the tune
        char written;
        int rightClicks;
        const char *shownTune, *concert;
    };
    const Case cases[] = {
        {"クラリネット", nullptr, 'D', 0, "in B♭", "C"},
        {"クラリネット", nullptr, 'C', 0, "in B♭", "A♯/B♭"}, // the entry already shown
        {"テューバ", nullptr, 'F', 2, "in C", "F♯/G♭"},
        {nullptr, "in A", 'E', 1, "in A", "C"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instrument ? c.instrument : c.tune);
        window->row(1).ctlNoteInput()->setValue(1); // no accidental left over
        choose(window->row(1).cboTune(), "in A");
        if (c.instrument)
            choose(window->row(1).cboInstName(), QString::fromUtf8(c.instrument));
        else
            choose(window->row(1).cboTune(), QString::fromUtf8(c.tune));
        write(1, c.written, c.rightClicks);
        EXPECT_EQ(window->row(1).cboTune()->currentText(), QString::fromUtf8(c.shownTune));
        EXPECT_EQ(window->row(1).lblResult()->text(), QString::fromUtf8(c.concert));
    }
}

TEST_F(MainWindowTest, SearchesTheChosenListAtTheChosenRate)
{
    // The chord list is not where it belongs: the user is asked for it once.
    std::filesystem::create_directory(data.path() + "/saved");
    std::filesystem::rename(data.path() + "/CodeList.txt", data.path() + "/saved/CodeList.txt");
    dialogs.typedText = QString::fromStdString(data.path() + "/saved/CodeList.txt");
    // C major over the bass C, then at the exact rate.
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "C7", "Em on C"}));
    EXPECT_EQ(dialogs.prompts.size(), 1);
    window->mnuOptionCodeRate[5]->trigger();
    EXPECT_EQ(search(), QStringList{"C"});
    window->mnuOptionNotJazz->trigger();
    EXPECT_EQ(search(), QStringList{"CB-list"});
}

TEST_F(MainWindowTest, ASearchAfterTheListFileChangedReadsItAgain)
{
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "C7", "Em on C"}));
    data.write("CodeList.txt", "X:1,5,8\r\n");
    EXPECT_EQ(search(), QStringList{"CX"});
}

TEST_F(MainWindowTest, WithoutAChordListNoResultsWindowOpens)
{
    const QString path = QString::fromStdString(data.path() + "/CodeList.txt");
    const QString noList = "exclamation|確認|コードリストが読み込まれていないため、検索できません";
    struct Case {
        const char *what;
        std::optional<std::string> content; // none: no file, and the prompt is cancelled
        QStringList messages;
    };
    const Case cases[] = {
        {"cancelled prompt", std::nullopt, {noList}},
        {"empty list",
         "\r\n\r\n",
         {"exclamation|エラー|コードリストファイルにコードがひとつもありません。\n" + path,
          noList}},
        {"not text",
         std::string("m\0:\0"
                     "1\0,\0",
                     8),
         {"exclamation|エラー|コードリストファイルを文字として読めません。UTF-8 "
          "で保存してください。\n" +
              path,
          noList}},
    };
    write(11, 'C');
    write(0, 'E');
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(path.toStdString());
        if (c.content)
            data.write("CodeList.txt", *c.content);
        dialogs.typedText.clear();
        dialogs.messages.clear();
        dialogs.prompts.clear();
        window->cmdSearchCode->click();
        EXPECT_EQ(dialogs.prompts.size(), c.content ? 0 : 1);
        EXPECT_EQ(dialogs.modalCount, 0);
        EXPECT_EQ(dialogs.messages, c.messages);
    }
}

TEST_F(MainWindowTest, RankingByRateIsRememberedAndOrdersTheResults)
{
    // A over the bass C at 10 %: found as A (33 %), Am (67 %), A7, Am7.
    const auto searchAOverC = [this] {
        write(11, 'C');
        write(0, 'A');
        window->mnuOptionCodeRate[0]->trigger();
        return search().value(0);
    };
    EXPECT_EQ(searchAOverC(), "A on C");
    window->rankByRateAction()->trigger();
    EXPECT_EQ(searchAOverC(), "Am on C");
    window->clear();
    EXPECT_EQ(searchAOverC(), "Am on C");
    open();
    EXPECT_EQ(searchAOverC(), "Am on C");
    window->rankByRateAction()->trigger();
    open();
    EXPECT_FALSE(window->rankByRateAction()->isChecked());
}

TEST_F(MainWindowTest, ClearEmptiesTheRowsAndKeepsTheListChoiceAndTheClefs)
{
    write(11, 'C');
    window->mnuOptionNotJazz->trigger();
    window->mnuOptionCodeRate[0]->trigger();
    QTest::mouseClick(window->row(4).ctlNoteInput()->picToon(), Qt::LeftButton); // bass clef
    choose(window->row(4).cboInstName(), "ホルン");
    window->cmdClear->click();
    for (int r = 0; r < 12; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(window->row(r).cboTune()->currentIndex(), 0);
        EXPECT_EQ(window->row(r).cboInstName()->currentIndex(), 0);
        EXPECT_EQ(window->row(r).lblResult()->text(), "");
        EXPECT_EQ(window->rowInUse(r), r == 11);
        EXPECT_EQ(window->engine().InputNotes[r], NO_NOTE);
        EXPECT_EQ(window->row(r).ctlNoteInput()->Value(), 1);
    }
    EXPECT_TRUE(litKeys().empty());
    EXPECT_EQ(window->engine().MatchThreshold, 65);
    EXPECT_TRUE(window->mnuOptionCodeRate[3]->isChecked());
    EXPECT_TRUE(window->mnuOptionNotJazz->isChecked());
    EXPECT_EQ(window->row(4).ctlNoteInput()->ScoreType(), 2);
}

TEST_F(MainWindowTest, HowToAlwaysShowsTheReadMe)
{
    const QString path = QString::fromStdString(data.path()) + "/使う前に.txt";
    struct Case {
        const char *name;
        bool fileThere, viewerStarts;
        int opened;      // files handed to the viewer
        bool ownWindow;  // the program's own window shows it
        QString message; // what the user is told
    };
    const Case cases[] = {
        {"viewer", true, true, 1, false, ""},
        {"no viewer", true, false, 1, true, ""},
        {"no file", false, true, 0, false,
         "exclamation|Chordvane|ファイルのオープンに失敗しました\n" + path},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.fileThere)
            std::filesystem::remove(path.toStdString());
        dialogs.opened.clear();
        dialogs.messages.clear();
        dialogs.viewerStarts = c.viewerStarts;
        window->mnuHelpHowto->trigger();
        EXPECT_EQ(dialogs.opened.size(), c.opened);
        EXPECT_EQ(dialogs.messages.value(0), c.message);
        ReadMeWindow *readMe = window->readMe();
        EXPECT_EQ(readMe && readMe->isVisible(), c.ownWindow);
        if (c.ownWindow) {
            QTest::keyClick(readMe->textView(), Qt::Key_A); // read-only
            EXPECT_EQ(readMe->textView()->toPlainText(), "使う前に ♭\n");
            QTest::keyClick(readMe->textView(), Qt::Key_Escape);
            EXPECT_FALSE(readMe->isVisible());
        }
    }
}

TEST_F(MainWindowTest, MovingOverTheBackgroundWipesHoverNotes)
{
    QWidget *area = window->row(2).ctlNoteInput()->picMain();
    hover(area, staffPoint(area, 1.2));
    ASSERT_TRUE(window->row(2).ctlNoteInput()->state().GhostShown);
    // Over a control (a result label) the hover note stays.
    hover(window->row(0).lblResult(), QPoint(5, 5));
    EXPECT_TRUE(window->row(2).ctlNoteInput()->state().GhostShown);
    QWidget *client = window->client();
    const QPoint empty(client->width() - 5, client->height() / 2);
    ASSERT_EQ(client->childAt(empty), nullptr);
    hover(client, empty);
    EXPECT_FALSE(window->row(2).ctlNoteInput()->state().GhostShown);
}

TEST(WindowFit, ScrollsOnlyWhereTheScreenIsTooSmall)
{
    struct Case {
        QSize room;
        QSize size;
        bool scrolls;
    };
    const QSize design(682, 660);
    const Case cases[] = {
        {{1600, 1200}, design, false},   {design, design, false},
        {{1000, 600}, {698, 600}, true}, {{600, 1000}, {600, 676}, true},
        {{500, 400}, {500, 400}, true},  {{681, 660}, {681, 660}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.room.width() << "x" << c.room.height());
        const WindowFit fit = fitWindow(design, c.room, 16);
        EXPECT_EQ(fit.size, c.size);
        EXPECT_EQ(fit.scrolls, c.scrolls);
    }
}

TEST_F(MainWindowTest, AWindowTallerThanTheScreenShrinksAndScrolls)
{
    // fitWindow's choice must reach the window: it may shrink below its design.
    const int design = window->height(); // the test screen has room for all of it
    window->fitInto(QSize(1000, design / 2));
    QTest::qWait(50);
    EXPECT_EQ(window->height(), design / 2);
    EXPECT_GT(window->scrollArea()->verticalScrollBar()->maximum(), 0);
}

TEST_F(MainWindowTest, TheResultsWindowTellsEachRowItsDegreeAndCents)
{
    // A trumpet's written E, an E♭ row's written G♭ and an F♯ spell D major
    // over the bass C, which is no tone of D, then the seventh of D7.
    choose(window->row(0).cboInstName(), "トランペット");
    write(0, 'E');
    choose(window->row(1).cboTune(), "in E♭");
    write(1, 'G', 1);
    write(2, 'F', 2);
    write(11, 'C');
    const QString upper =
        "段 2\tG♭4\t5\t+2 ↑\r\n段 3\tF♯4\t3\t-13.7 ↓\r\nトランペット\tE4\t1\t0\r\n";
    const QStringList expected = {upper + "ベース\tC4\t—\t—\r\n",
                                  upper + "ベース\tC4\t♭7\t+17.9 ↑\r\n"};
    QStringList texts;
    dialogs.onModal = [&](QDialog *dialog) {
        auto *results = qobject_cast<frmCodeShow *>(dialog);
        ASSERT_NE(results, nullptr);
        for (const int row : {0, 1}) {
            results->lstCodes->setCurrentRow(row);
            QString shown; // the table as the user reads it
            for (int r = 0; r < results->tblPlayers->rowCount(); ++r) {
                for (int column = 0; column < 4; ++column)
                    shown +=
                        results->tblPlayers->item(r, column)->text() + (column < 3 ? "\t" : "\r\n");
            }
            EXPECT_EQ(shown, results->playersText());
            texts << results->playersText();
        }
        results->cmdPlayersCopy->click();
        EXPECT_EQ(QApplication::clipboard()->text(), expected[1]);
    };
    window->cmdSearchCode->click();
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(dialogs.messages, QStringList{"information|確認|クリップボードにコピーしました"});
}
