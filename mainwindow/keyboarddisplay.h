#pragma once

#include "notes.h"

#include <QColor>

#include <array>

class QLabel;
class QWidget;

namespace chordvane {

// The one-octave keyboard under the rows: lights the pitch classes in use,
// the bass in orange over everything else.
class KeyboardDisplay {
public:
    explicit KeyboardDisplay(QWidget *parent);

    // Every key back to its natural colour.
    void reset();
    // Lights the keys of input slots 0..11; slot 11 is the bass.
    void paint(const std::array<Note, 13> &inputNotes);
    QColor keyColour(int key) const;

    // Keys by pitch class 1..12 (index 0 unused).
    std::array<QLabel *, 13> lblKey{};
    QLabel *lblC;
};

} // namespace chordvane
