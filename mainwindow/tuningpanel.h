#pragma once

#include "sheet.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QMainWindow;
class QTableWidget;

namespace chordvane {

class UserDialogs;

// The open score's tuning guide, docked beside the rows: for the harmonic
// step the rows stand in, each part's notes with their degree in the step's
// chord and the cents to move them; and the whole score's guide written out
// as a CSV sheet for a rehearsal.
class TuningPanel : public QDockWidget {
    Q_OBJECT

public:
    // Docked on the window's right, hidden until asked for.
    TuningPanel(QMainWindow &window, UserDialogs &dialogs);

    // The guide of every step, worked out at once; the step shown goes.
    void setSheet(const ChordTable &table, const std::vector<tuning::SheetStep> &steps);
    // Shows step `step`, an index into the sheet; an empty table when out of range.
    void showStep(int step);
    // Asks where to write the sheet, proposing "NAME (音程補正).csv" beside
    // the score, and writes it whole or not at all, saying how it went.
    void saveSheet(const QString &scorePath);

    QLabel *lblStep;        // "小節 1　拍 3　F7"
    QTableWidget *tblParts; // part, written, concert, degree, cents

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Step {
        tuning::SheetStep step;
        std::vector<tuning::SheetLine> lines;
        QString symbol; // empty for a step without a chord
    };
    void retranslate();

    UserDialogs &m_dialogs;
    std::vector<Step> m_steps;
    int m_shown = -1;
};

} // namespace chordvane
