#pragma once

#include "harmony.h"
#include "score.h"
#include "sheet.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QMainWindow;
class QTableWidget;

namespace chordvane {

class UserDialogs;

// The open score's tuning guide, docked beside the rows: for the moment the
// rows show, each part's notes with their degree in the chord of the
// harmonic step the moment lies in and the cents to move them; and the
// whole score's guide, step by step, written out as a CSV sheet for a
// rehearsal.
class TuningPanel : public QDockWidget {
    Q_OBJECT

public:
    // Docked on the window's right, hidden until asked for.
    TuningPanel(QMainWindow &window, UserDialogs &dialogs);

    // Shows a moment (score::momentSheet), its notes' parts named by parts,
    // with chords from table, which must outlive what is shown.
    void showMoment(const ChordTable &table, tuning::SheetStep moment,
                    std::vector<tuning::SheetPart> parts);
    // An empty table and heading.
    void clearMoment();
    // The just minor seventh the cents take; the heading names it.
    void setSeventh(JustSeventh seventh);
    // Asks where to write the sheet of the score's steps, proposing
    // "NAME (音程補正).csv" beside the score, and writes it whole or not at
    // all, saying how it went.
    void saveSheet(const QString &scorePath, const ChordTable &table, const score::Score &opened,
                   const harmony::Piece &piece, const std::vector<harmony::Step> &steps);

    QLabel *lblStep;        // "小節 1　拍 3　F7"
    QLabel *lblSeventh;     // "短7度の純正 9:5"
    QTableWidget *tblParts; // part, written, concert, degree, cents

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showShown();
    // The guide's words in the window's language, none for a note that is no chord tone.
    tuning::GuideWords words(std::string_view none) const;

    UserDialogs &m_dialogs;
    const ChordTable *m_table = nullptr; // none: nothing shown
    tuning::SheetStep m_moment;
    std::vector<tuning::SheetPart> m_parts;
    JustSeventh m_seventh = JustSeventh::NineFive;
};

} // namespace chordvane
