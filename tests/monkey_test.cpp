// A long seeded run of random user actions on the real main window, checking
// after every step what a user relies on. CHORDVANE_MONKEY_STEPS and
// CHORDVANE_MONKEY_SEED make it longer or different.
#include "ctlnoteinput.h"
#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "frmpiano.h"

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

#include <deque>
#include <random>

using namespace chordvane;

namespace {

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

class Monkey {
public:
    Monkey(frmMain &window, test::FakeDialogs &dialogs, unsigned seed)
        : m_window(window)
        , m_random(seed)
    {
        dialogs.onModal = [this](QDialog *dialog) {
            playWithModal(dialog);
        };
    }

    // One random action; returns what it did, for the failure report.
    std::string step()
    {
        const int r = pick(12);
        switch (pick(16)) {
        case 0:
        case 1:
            mouse(r, QEvent::MouseButtonPress, y(), Qt::LeftButton, Qt::LeftButton);
            mouse(r, QEvent::MouseButtonRelease, y(), Qt::LeftButton, Qt::NoButton);
            return "click row " + std::to_string(r);
        case 2: {
            mouse(r, QEvent::MouseButtonPress, y(), Qt::LeftButton, Qt::LeftButton);
            for (int i = pick(5); i >= 0; --i)
                mouse(r, QEvent::MouseMove, pick(4) == 0 ? farY() : y(), Qt::NoButton,
                      Qt::LeftButton);
            mouse(r, QEvent::MouseButtonRelease, y(), Qt::LeftButton, Qt::NoButton);
            return "drag row " + std::to_string(r);
        }
        case 3:
            mouse(r, QEvent::MouseButtonPress, y(), Qt::RightButton, Qt::RightButton);
            mouse(r, QEvent::MouseButtonRelease, y(), Qt::RightButton, Qt::NoButton);
            return "right click row " + std::to_string(r);
        case 4:
            mouse(r, QEvent::MouseButtonRelease, y(), Qt::MiddleButton, Qt::NoButton);
            mouse(r, QEvent::MouseMove, y(), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
            return "middle click row " + std::to_string(r);
        case 5:
            mouse(r, QEvent::MouseMove, y(), Qt::NoButton, Qt::NoButton);
            return "hover row " + std::to_string(r);
        case 6: {
            auto *staff = m_window.ctlNoteInput[r];
            QTest::mouseClick(staff->ScoreType() == 1 ? staff->picToon() : staff->picHeon(),
                              Qt::LeftButton);
            return "clef row " + std::to_string(r);
        }
        case 7:
        case 8: {
            // Arrow keys on a closed list choose as the open list does.
            QComboBox *box = pick(2) ? m_window.cboInstName[r] : m_window.cboTune[r];
            const Qt::Key key = pick(3) ? Qt::Key_Down : pick(2) ? Qt::Key_Up : Qt::Key_Home;
            QTest::keyClick(box, key);
            return "list key row " + std::to_string(r);
        }
        case 9:
            if (r < 11)
                m_window.chkUse[r]->click();
            return "tick row " + std::to_string(r);
        case 10:
            m_window.mnuOptionCodeRate[pick(6)]->trigger();
            return "rate item";
        case 11:
            (pick(2) ? m_window.mnuOptionNotJazz : m_window.rankByRateAction())->trigger();
            return "jazz or rank option";
        case 12:
            if (pick(8) == 0) {
                (pick(2) ? m_window.cmdClear->click() : m_window.mnuEditClear->trigger());
                return "clear";
            }
            [[fallthrough]];
        case 13:
        case 14:
            m_window.cmdSearchCode->click();
            return "search";
        default: {
            QWidget *client = m_window.client();
            const QPointF at(client->width() - 3, client->height() / 2.0);
            QMouseEvent move(QEvent::MouseMove, at, client->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(client, &move);
            return "background";
        }
        }
    }

    int searchesShown = 0;
    int keyboardsShown = 0;

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    double y() { return std::uniform_real_distribution<double>(-3, 7)(m_random); }
    double farY() { return std::uniform_real_distribution<double>(-60, 70)(m_random); }

    void mouse(int r, QEvent::Type type, double staffY, Qt::MouseButton button,
               Qt::MouseButtons buttons)
    {
        QWidget *area = m_window.ctlNoteInput[r]->picMain();
        const QPointF local(area->width() / 2.0, (staffY + 3) * area->height() / 10.0);
        QMouseEvent event(type, local, area->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    }

    void playWithModal(QDialog *dialog)
    {
        if (auto *results = qobject_cast<frmCodeShow *>(dialog)) {
            ++searchesShown;
            const ChordEngine &engine = m_window.engine();
            EXPECT_EQ(results->lstCodes->count(), engine.ResultCount());
            if (m_window.rankByRateAction()->isChecked()) {
                for (int i = 1; i < engine.ResultCount(); ++i)
                    EXPECT_GE(engine.ResultRates[i - 1], engine.ResultRates[i]);
            }
            for (int i = pick(6); i > 0; --i) {
                QTest::keyClick(results->lstCodes, pick(3) ? Qt::Key_Down : Qt::Key_Up);
                const int row = results->lstCodes->currentRow();
                if (row >= 0) {
                    EXPECT_EQ(results->lblMatchedRate->text(),
                              QStringLiteral("合致度：　%1％").arg(engine.ResultRates[row]));
                }
            }
            if (pick(4) == 0)
                results->cmdJunseiCopy->click();
            if (pick(2) == 0)
                results->cmdShowPiano->click();
            results->cmdClose->click();
        } else if (auto *piano = qobject_cast<frmPiano *>(dialog)) {
            ++keyboardsShown;
            const int bassKey = FoldIntoOctave(m_window.engine().BassNote, 1);
            EXPECT_EQ(piano->keyColour(bassKey), QColor(238, 128, 0));
            piano->cmdOK->click();
        }
    }

    frmMain &m_window;
    std::mt19937 m_random;
};

// What a user relies on after any action.
void checkInvariants(const frmMain &window)
{
    const auto &notes = window.engine().InputNotes;
    for (int r = 0; r < 12; ++r) {
        SCOPED_TRACE(testing::Message() << "row " << r);
        const QString text = window.lblResult[r]->text();
        const bool white = window.lblResult[r]->palette().color(QPalette::Window) == Qt::white;
        EXPECT_EQ(white, window.rowInUse(r));
        if (r < 11) {
            EXPECT_EQ(notes[r], window.rowInUse(r) ? window.concertNote(r) : NO_NOTE);
        } else {
            // The bass counts from its first change, which also names it.
            EXPECT_EQ(notes[r], text.isEmpty() ? NO_NOTE : window.concertNote(r));
        }
        if (!text.isEmpty()) {
            EXPECT_EQ(text.toStdString(), NoteName(window.concertNote(r)));
        }
    }
    EXPECT_EQ(notes[12], NO_NOTE);

    std::array<QColor, 13> expected;
    for (int k = 1; k <= 12; ++k) {
        const bool black = k == 2 || k == 4 || k == 7 || k == 9 || k == 11;
        expected[k] = black ? Qt::black : Qt::white;
    }
    for (int r = 0; r < 11; ++r) {
        if (notes[r] == NO_NOTE)
            continue;
        const int k = FoldIntoOctave(notes[r], 1);
        expected[k] = expected[k] == Qt::black || expected[k] == QColor(192, 192, 0)
                          ? QColor(192, 192, 0)
                          : QColor(255, 255, 0);
    }
    if (notes[11] != NO_NOTE)
        expected[FoldIntoOctave(notes[11], 1)] = QColor(238, 128, 0);
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(window.keyboard->keyColour(k), expected[k]) << "key " << k;

    int checked = 0;
    for (const QAction *item : window.mnuOptionCodeRate)
        checked += item->isChecked();
    EXPECT_EQ(checked, 1);
}

} // namespace

TEST(Monkey, RandomUserActionsKeepTheWindowConsistent)
{
    const int steps = envInt("CHORDVANE_MONKEY_STEPS", 3000);
    const unsigned seed = static_cast<unsigned>(envInt("CHORDVANE_MONKEY_SEED", 20261207));
    test::FakeDialogs dialogs;
    test::FakeSound sound;
    frmMain window(dialogs, sound, QStringLiteral(CHORDVANE_DATA_DIR));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Monkey monkey(window, dialogs, seed);
    std::deque<std::string> recent;
    for (int i = 0; i < steps; ++i) {
        recent.push_back(monkey.step());
        if (recent.size() > 12)
            recent.pop_front();
        checkInvariants(window);
        if (testing::Test::HasFailure()) {
            std::string history;
            for (const auto &action : recent)
                history += "\n  " + action;
            FAIL() << "seed " << seed << ", step " << i << "; last actions:" << history;
        }
    }
    EXPECT_GT(monkey.searchesShown, steps / 20);
    std::printf("monkey: %d steps, %d results windows, %d keyboard windows\n", steps,
                monkey.searchesShown, monkey.keyboardsShown);
}
