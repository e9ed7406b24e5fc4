#pragma once

#include "engine.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace chordvane {

class KeyboardPicture;

// Lights a chord on a keyboard, every other key back to its own colour: the
// tones of row (interval numbers) above root yellow, dark yellow on black
// keys or where the chord reaches a pitch class again, then the bass key
// orange. root and bass are note numbers in any octave.
void lightChord(KeyboardPicture &keyboard, const ChordRow &row, int root, int bass);

// Result `selected` on a one-octave keyboard: its tones yellow (dark yellow on
// black keys), the bass key orange, the result line above.
class frmPiano : public QDialog {
    Q_OBJECT

public:
    frmPiano(const ChordEngine &engine, int selected, const QString &line, QWidget *owner);

    KeyboardPicture *keyboard;
    QLabel *lblName;
    QLabel *Label2;
    QLabel *Label1;
    QPushButton *cmdOK;

    // The colour key (a pitch class, 1 = C) shows now.
    QColor keyColour(int key) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
};

} // namespace chordvane
