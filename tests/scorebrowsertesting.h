#pragma once

// The score window's fixture: a main window with the example chord lists and
// the score browser reached through its menus and keys.

#include "chartview.h"
#include "chartwindow.h"
#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "instrumentrow.h"
#include "scorebrowser.h"
#include "scorerows.h"
#include "testsupport.h"
#include "tuningpanel.h"
#include "windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace chordvane::test {

inline const QString kScores = QStringLiteral(CHORDVANE_SCORE_DATA);

// The symbol the chart shows for a step; empty when it shows none.
inline std::string shownSymbol(const ChartView *view, int step)
{
    for (const ChartView::Item &item : view->items()) {
        if (item.kind == ChartView::Item::Symbol && item.step == step)
            return item.text.toStdString();
    }
    return {};
}

class ScoreBrowserTest : public WindowFixture {
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
        const QComboBox *instrument = window->row(r).cboInstName();
        const QVariant whole = instrument->currentData(Qt::ToolTipRole);
        const bool used = window->rowInUse(r);
        return QStringList{used ? QString::number(window->row(r).ctlNoteInput()->Value()) : "rest",
                           window->row(r).cboTune()->currentText(),
                           window->row(r).ctlNoteInput()->ScoreType() == 2 ? "F" : "G",
                           whole.isValid() ? whole.toString() : instrument->currentText(),
                           window->row(r).lblResult()->text() + (used ? "" : "-")}
            .join(' ')
            .toStdString();
    }
    QString status() const
    {
        return browser().lblScorePlace->text() + " / " + browser().lblScoreChord->text();
    }
    ScoreBrowser &browser() const { return window->scoreBrowser(); }
};

} // namespace chordvane::test
