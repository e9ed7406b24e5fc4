#pragma once

#include "engine.h"
#include "notes.h"

#include <QObject>

#include <array>

namespace chordvane {

class InstrumentRow;
class Playback;

// The search options as the menus set them.
struct SearchOptions {
    int threshold = 65;     // the smallest match rate listed, in percent; 100: exact only
    bool plainList = false; // the chord list without jazz chords
    bool rankByRate = false;
    bool operator==(const SearchOptions &) const = default;
};

// What the score view needs of the window whose rows it writes: the rows,
// their concert notes, the chord list and the options as values, the sound,
// and a signal for each change. The window's menus stay its own.
class ScoreHost : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Row r: 0..10 the ordinary rows, 11 the bass row.
    virtual InstrumentRow &row(int r) const = 0;
    // Each row's concert note, NO_NOTE while the row is not in use.
    virtual const std::array<Note, kInputSlots> &inputNotes() const = 0;
    virtual SearchOptions searchOptions() const = 0;
    virtual JustSeventh justSeventh() const = 0;
    // Reads the chord list the options choose (asking for its path when it
    // is missing); false, with table emptied, when no list could be read.
    virtual bool readChordTable(ChordTable &table) = 0;
    // The window's sound, with its instrument for chords.
    virtual Playback &playback() const = 0;
    // Empties every row: notes, clefs, instruments, part names.
    virtual void clearRows() = 0;
    // Forgets the hand edits so far: undo goes back no further than now.
    virtual void startRowHistory() = 0;

signals:
    // A row's note, transposition or tick changed, by hand or from a score.
    void rowsChanged();
    void searchOptionsChanged();
    void seventhChanged(JustSeventh seventh);
};

} // namespace chordvane
