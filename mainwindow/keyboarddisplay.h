#pragma once

#include "notes.h"

#include <QColor>

#include <array>

class QWidget;

namespace chordvane {

class KeyboardPicture;

// The one-octave keyboard under the rows: lights the pitch classes in use,
// the bass in orange over everything else.
class KeyboardDisplay {
public:
    explicit KeyboardDisplay(QWidget *parent);

    // Every key back to its natural colour.
    void reset();
    // Lights the keys of input slots 0..11; slot 11 is the bass.
    void paint(const std::array<Note, 13> &inputNotes);
    // The colour key (a pitch class, 1 = C) shows now.
    QColor keyColour(int key) const;

    KeyboardPicture *picture() const { return m_picture; }

private:
    KeyboardPicture *m_picture; // owned by the parent widget
};

} // namespace chordvane
