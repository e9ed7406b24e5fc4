#include "ctlnoteinput.h"
#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "readmewindow.h"
#include "soundoutput.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

namespace {

const QColor kYellow(255, 255, 0), kOlive(192, 192, 0), kOrange(238, 128, 0);

// The staff y of each natural note on the treble clef, in the middle of its band.
double trebleY(char note)
{
    const std::string_view notes = "BAGFEDC"; // from 2.2 down, half a line apart
    return 2.2 + 0.5 * static_cast<double>(notes.find(note));
}

class MainWindowTest : public testing::Test {
protected:
    test::TempDir data;
    test::FakeDialogs dialogs;
    test::FakeSound sound;
    QSettings settings{QString::fromStdString(data.path() + "/settings.ini"), QSettings::IniFormat};
    std::unique_ptr<frmMain> window;
    QStringList shownLines; // the lines of the last results window

    void SetUp() override
    {
        data.write("CodeList.txt", test::kExampleList);
        data.write("CodeListB.txt", "B-list:1,5,8\r\n");
        data.write("使う前に.txt", "使う前に ♭\n");
        open();
        dialogs.onModal = [this](QDialog *dialog) {
            auto *results = qobject_cast<frmCodeShow *>(dialog);
            ASSERT_NE(results, nullptr);
            shownLines.clear();
            for (int i = 0; i < results->lstCodes->count(); ++i)
                shownLines << results->lstCodes->item(i)->text();
        };
    }
    void open()
    {
        window.reset(); // the old window first: one set of settings at a time
        window = std::make_unique<frmMain>(dialogs, sound, QString::fromStdString(data.path()),
                                           &settings);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
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
    // Chooses an entry as a user does: opens the list, walks to the entry
    // with the arrow keys and takes it with Enter.
    void choose(QComboBox *box, const QString &text)
    {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        QTest::keyClick(box, Qt::Key_F4);
        QAbstractItemView *list = box->view();
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, 2000));
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < target; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(list->isVisible());
    }
    QStringList search()
    {
        shownLines = {QStringLiteral("<not opened>")};
        window->cmdSearchCode->click();
        return shownLines;
    }
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
    bool labelWhite(int r) const
    {
        return window->lblResult[r]->palette().color(QPalette::Window) == QColor(Qt::white);
    }
    void expectStartState()
    {
        for (int r = 0; r < 12; ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(window->cboTune[r]->currentIndex(), 0);
            EXPECT_EQ(window->cboInstName[r]->currentIndex(), 0);
            EXPECT_EQ(window->lblResult[r]->text(), "");
            EXPECT_EQ(window->rowInUse(r), r == 11);
            EXPECT_EQ(labelWhite(r), r == 11);
        }
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
    EXPECT_EQ(window->ctlNoteInput[11]->Value(), 1); // the staff shows a C all the same
    EXPECT_EQ(search(), QStringList{"<not opened>"});
    EXPECT_EQ(dialogs.messages, QStringList{"exclamation|確認|ベース音を指定してください"});
}

TEST_F(MainWindowTest, EnterPressesTheSearchButtonWhereADefaultButtonWould)
{
    // Without a bass a search shows its message; row 0's name shows a Clear.
    struct Case {
        const char *focus;
        QWidget *widget;
        bool searches, clears, closes;
    };
    const Case cases[] = {
        {"check box", window->chkUse[0], true, false, false},
        {"closed list", window->cboTune[3], true, false, false},
        {"search button", window->cmdSearchCode, true, false, false},
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
        EXPECT_EQ(!dialogs.messages.isEmpty(), c.searches);
        EXPECT_EQ(window->lblResult[0]->text().isEmpty(), c.clears);
        EXPECT_EQ(!window->isVisible(), c.closes);
    }
    // In an open list Enter only takes the entry.
    window->show();
    dialogs.messages.clear();
    choose(window->cboTune[1], "in B♭");
    QTest::qWait(200);
    EXPECT_EQ(window->lblResult[1]->text(), "A♯/B♭");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, EnteringANoteTicksTheRowAndLightsItsKey)
{
    write(3, 'E');
    EXPECT_TRUE(window->chkUse[3]->isChecked());
    EXPECT_TRUE(labelWhite(3));
    EXPECT_EQ(window->lblResult[3]->text(), "E");
    EXPECT_EQ(window->engine().InputNotes[3], 5);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kYellow}}));

    write(4, 'F', 2); // F sharp: a black key, olive
    write(5, 'F', 2);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kYellow}, {7, kOlive}}));

    write(11, 'E'); // the bass on the same pitch class as row 3: orange wins
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}, {7, kOlive}}));

    QTest::mouseClick(window->chkUse[3], Qt::LeftButton);
    EXPECT_EQ(window->engine().InputNotes[3], NO_NOTE);
    EXPECT_EQ(window->lblResult[3]->text(), "E"); // the name stays, greyed
    EXPECT_FALSE(labelWhite(3));
    window->chkUse[4]->setChecked(false);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}, {7, kOlive}}));
    window->chkUse[5]->setChecked(false);
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{5, kOrange}}));

    // Ticking by hand counts the staff's note but names nothing yet.
    QTest::mouseClick(window->chkUse[2], Qt::LeftButton);
    EXPECT_EQ(window->engine().InputNotes[2], 1);
    EXPECT_EQ(window->lblResult[2]->text(), "");
    EXPECT_EQ(litKeys(), (std::map<int, QColor>{{1, kYellow}, {5, kOrange}}));

    // A transposition alone ticks an unticked row.
    choose(window->cboTune[6], "in B♭");
    EXPECT_TRUE(window->chkUse[6]->isChecked());
    EXPECT_EQ(window->lblResult[6]->text(), "A♯/B♭"); // written C in B flat
    EXPECT_EQ(window->engine().InputNotes[6], -1);
}

TEST_F(MainWindowTest, RowsNameTheConcertNoteOfTheirInstrument)
{
    // Every case starts from "in A" set by hand, so that choosing the
    // instrument the row already shows must restore its transposition.
    struct Case {
        const char *instrument, *tune; // chosen: the instrument, else the tune
        char written;
        int rightClicks; // 1 flat, 2 sharp
        const char *shownTune, *concert;
    };
    const Case cases[] = {
        {"Cl", nullptr, 'D', 0, "in B♭", "C"},          {"Cl", nullptr, 'C', 0, "in B♭", "A♯/B♭"},
        {"Al.Sax", nullptr, 'A', 0, "in E♭", "C"},      {"Hr", nullptr, 'G', 0, "in F", "C"},
        {"【 in Bb 】", nullptr, 'D', 0, "in B♭", "C"}, {"Tuba", nullptr, 'F', 2, "in C", "F♯/G♭"},
        {"(楽器名)", nullptr, 'C', 0, "in C", "C"},     {nullptr, "in A", 'E', 1, "in A", "C"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instrument ? c.instrument : c.tune);
        window->ctlNoteInput[1]->setValue(1); // no accidental left over
        choose(window->cboTune[1], "in A");
        if (c.instrument)
            choose(window->cboInstName[1], QString::fromUtf8(c.instrument));
        else
            choose(window->cboTune[1], QString::fromUtf8(c.tune));
        write(1, c.written, c.rightClicks);
        EXPECT_EQ(window->cboTune[1]->currentText(), QString::fromUtf8(c.shownTune));
        EXPECT_EQ(window->lblResult[1]->text(), QString::fromUtf8(c.concert));
        EXPECT_EQ(window->engine().InputNotes[1], window->concertNote(1));
        EXPECT_EQ(window->ctlNoteInput[1]->ScoreType(), 1); // no instrument sets the clef
    }
}

TEST_F(MainWindowTest, SearchesThroughTheWindow)
{
    // C major over the bass C, then in first inversion at the exact rate.
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "C7", "Em on C"}));
    window->mnuOptionCodeRate[5]->trigger();
    EXPECT_EQ(search(), QStringList{"C"});

    write(11, 'E');
    write(0, 'G');
    write(1, 'C');
    EXPECT_EQ(search(), QStringList{"C on E"});

    // Only the bass in use: the window opens with nothing.
    window->chkUse[0]->setChecked(false);
    window->chkUse[1]->setChecked(false);
    EXPECT_EQ(search(), QStringList{});
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
    EXPECT_FALSE(window->rankByRateAction()->isChecked());
    EXPECT_EQ(searchAOverC(), "A on C");
    window->rankByRateAction()->trigger();
    EXPECT_EQ(searchAOverC(), "Am on C");

    window->clear();
    EXPECT_TRUE(window->rankByRateAction()->isChecked());
    open();
    EXPECT_TRUE(window->rankByRateAction()->isChecked());
    EXPECT_EQ(searchAOverC(), "Am on C");
    window->rankByRateAction()->trigger();
    open();
    EXPECT_FALSE(window->rankByRateAction()->isChecked());
}

TEST_F(MainWindowTest, PlaySoundsTheRowsInUseOnTheirInstruments)
{
    window->cmdPlay->click(); // nothing entered: nothing sounds
    EXPECT_TRUE(sound.played.empty());
    choose(window->cboInstName[0], "Trp");
    write(0, 'D'); // sounds C4
    write(1, 'G'); // no instrument: piano, G4
    window->chkUse[1]->setChecked(false);
    choose(window->cboInstName[2], "Al.Sax");
    write(2, 'A');  // sounds the C a sixth below, C4
    write(11, 'E'); // the bass
    window->cmdPlay->click();
    window->mnuEditPlay->trigger();
    const std::vector<sound::Tone> expected = {{60, 0, 56}, {60, 0, 65}, {64, 0, 0}};
    EXPECT_EQ(sound.played, (std::vector<std::vector<sound::Tone>>{expected, expected}));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(sound.stops, 1);
}

TEST_F(MainWindowTest, ChordSoundIsRememberedAndUsedByTheResults)
{
    EXPECT_TRUE(window->mnuOptionSoundItem[3]->isChecked()); // piano at first
    window->mnuOptionSoundItem[1]->trigger();                // strings
    open();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->mnuOptionSoundItem[i]->isChecked(), i == 1);
    dialogs.onModal = [](QDialog *dialog) {
        qobject_cast<frmCodeShow *>(dialog)->cmdPlay->click();
    };
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    search();
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].front().program, 48);
}

TEST_F(MainWindowTest, MissingSoundFontIsToldOnceWithWhereItWasLookedFor)
{
    test::TempDir empty;
    sound::FluidPlayer player({empty.path()});
    frmMain window(dialogs, player, QString::fromStdString(data.path()));
    window.ctlNoteInput[11]->setValue(1);
    window.cmdPlay->click();
    window.cmdPlay->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString message = dialogs.messages[0];
    EXPECT_TRUE(message.startsWith("exclamation|試聴|音源ファイル (SoundFont) が見つかりません"));
    EXPECT_TRUE(message.contains("fluid-soundfont-gm"));
    EXPECT_TRUE(message.contains(QString::fromStdString(empty.path())));
}

TEST_F(MainWindowTest, JazzOptionChoosesTheListAndClearKeepsIt)
{
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    window->mnuOptionNotJazz->trigger();
    EXPECT_EQ(search(), QStringList{"CB-list"});

    window->mnuOptionCodeRate[0]->trigger();
    QTest::mouseClick(window->ctlNoteInput[4]->picToon(), Qt::LeftButton); // bass clef
    write(4, 'E');
    window->cmdClear->click();
    expectStartState();
    EXPECT_TRUE(window->mnuOptionNotJazz->isChecked());
    EXPECT_EQ(window->ctlNoteInput[4]->ScoreType(), 2);
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(window->ctlNoteInput[r]->Value(), 1);
    EXPECT_EQ(search(), QStringList{"<not opened>"});

    window->mnuOptionNotJazz->trigger();
    write(11, 'C');
    write(0, 'G');
    EXPECT_EQ(search(), (QStringList{"C", "Cm"})); // the full list again
}

TEST_F(MainWindowTest, MissingChordListIsAskedFor)
{
    std::filesystem::create_directory(data.path() + "/saved");
    std::filesystem::rename(data.path() + "/CodeList.txt", data.path() + "/saved/CodeList.txt");
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    dialogs.typedText = QString::fromStdString(data.path() + "/saved/CodeList.txt");
    EXPECT_EQ(search(), (QStringList{"C", "C7", "Em on C"}));
    EXPECT_EQ(dialogs.prompts.size(), 1);
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
            EXPECT_EQ(readMe->textView()->toPlainText(), "使う前に ♭\n");
            QTest::keyClick(readMe->textView(), Qt::Key_A);
            EXPECT_EQ(readMe->textView()->toPlainText(), "使う前に ♭\n");
            QTest::keyClick(readMe->textView(), Qt::Key_Escape);
            EXPECT_FALSE(readMe->isVisible());
        }
    }
}

TEST_F(MainWindowTest, MovingOverTheBackgroundWipesHoverNotes)
{
    QWidget *area = window->ctlNoteInput[2]->picMain();
    mouse(area, QEvent::MouseMove, 1.2, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(window->ctlNoteInput[2]->state().GhostShown);
    // Over a control (a result label) the hover note stays.
    QTest::mouseMove(window->lblResult[0], QPoint(5, 5));
    EXPECT_TRUE(window->ctlNoteInput[2]->state().GhostShown);
    QWidget *client = window->client();
    const QPoint empty(client->width() - 5, client->height() / 2);
    ASSERT_EQ(client->childAt(empty), nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(empty), client->mapToGlobal(QPointF(empty)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    EXPECT_FALSE(window->ctlNoteInput[2]->state().GhostShown);
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

TEST_F(MainWindowTest, AWindowTallerThanTheScreenScrolls)
{
    QScrollBar *across = window->scrollArea()->horizontalScrollBar();
    QScrollBar *down = window->scrollArea()->verticalScrollBar();
    const QSize design = window->size(); // the test screen has room for all of it
    window->fitInto(QSize(1000, design.height() / 2));
    QTest::qWait(50);
    EXPECT_EQ(window->height(), design.height() / 2);
    EXPECT_GT(down->maximum(), 0);
    EXPECT_EQ(across->maximum(), 0);
    window->fitInto(QSize(1600, 1200));
    QTest::qWait(50);
    EXPECT_EQ(window->size(), design);
    EXPECT_EQ(down->maximum(), 0);
    EXPECT_EQ(across->maximum(), 0);
}
