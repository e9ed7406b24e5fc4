#pragma once

#include "engine.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace chordvane {

// Result `selected` on a one-octave keyboard: its tones yellow (dark yellow on
// black keys), the bass key orange, the result line above.
class frmPiano : public QDialog {
    Q_OBJECT

public:
    frmPiano(const ChordEngine &engine, int selected, const QString &line, QWidget *owner);

    // Keys by pitch class, lblKey[1] = C ... lblKey[12] = B; index 0 is unused.
    std::array<QLabel *, 13> lblKey{};
    QLabel *lblName;
    QLabel *lblC;
    QLabel *Label2;
    QLabel *Label1;
    QPushButton *cmdOK;

    // The background a key shows now.
    QColor keyColour(int key) const;

private:
    void setKeyColour(int key, const QColor &colour);
};

} // namespace chordvane
