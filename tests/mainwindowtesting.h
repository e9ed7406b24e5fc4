#pragma once

#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "keyboardpicture.h"
#include "readmewindow.h"
#include "soundoutput.h"
#include "testsupport.h"
#include "windowfixture.h"
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
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

#include <map>
#include <string_view>

namespace chordvane::test {

// A move with no button held, sent to the widget: QTest would only move the
// cursor.
inline void hover(QWidget *target, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

// Where a staff area shows staff y (which runs from -3 to 7 down the area).
inline QPoint staffPoint(const QWidget *area, double y)
{
    return QPoint(area->width() / 2, qRound((y + 3) * area->height() / 10.0));
}

class MainWindowTest : public WindowFixture {
protected:
    // Enters a written note on row r by clicking its staff (treble clef);
    // each right click then cycles the accidental: 1 flat, 2 sharp.
    void write(int r, char note, int rightClicks = 0)
    {
        QWidget *area = window->row(r).ctlNoteInput()->picMain();
        // The natural notes' bands on the treble clef, from B (y 2.2) down.
        const double y = 2.2 + 0.5 * static_cast<double>(std::string_view("BAGFEDC").find(note));
        QTest::mouseClick(area, Qt::LeftButton, {}, staffPoint(area, y));
        for (int i = 0; i < rightClicks; ++i)
            QTest::mouseClick(area, Qt::RightButton, {}, staffPoint(area, 0));
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
};

// A fixture whose window speaks English too: it has the translators, and
// speak() switches as the language menu does.
template <typename Fixture> class Bilingual : public Fixture {
protected:
    Translation translator{QStringLiteral(CHORDVANE_QM_DIR)};

    void SetUp() override
    {
        Fixture::SetUp();
        this->translation = &translator;
        this->open();
    }
    void TearDown() override { this->window.reset(); } // before its translator goes
    void speak(Language language)
    {
        this->window->mnuLanguageItem[language == Language::English]->trigger();
        QCoreApplication::sendPostedEvents(); // the translators' LanguageChange
    }
};

} // namespace chordvane::test
