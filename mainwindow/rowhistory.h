#pragma once

#include "instrumentrow.h"
#include "rowtables.h"

#include <QObject>

#include <array>

class QUndoStack;

namespace chordvane {

using RowStates = std::array<RowState, rows::kRows>;

// What the history needs of the window: the rows' states, read and put back
// (with the engine's slots, the labels and the keyboard brought up to date),
// and the match rate, which Clear resets too.
class RowHost {
public:
    virtual ~RowHost() = default;
    virtual RowState rowState(int r) const = 0;
    virtual void restoreRow(int r, const RowState &state) = 0;
    virtual int rateItem() const = 0;
    virtual void restoreRate(int item) = 0;
};

// The hand edits of the rows, to undo and redo: each change of a row's note,
// clef, instrument, transposition or tick (a drag on a staff as one), and
// Clear as one. What a score or a MIDI keyboard writes into the rows is no
// edit: it begins a new history.
class RowHistory : public QObject {
    Q_OBJECT

public:
    RowHistory(RowHost &host, QObject *parent);

    QUndoStack *stack() const { return m_stack; }
    // The rows as they stand now begin a new history.
    void restart();
    // Row r has changed: a hand edit, unless the history is putting it back.
    void rowChanged(int r);
    // Clear has run on rows that were `before`, at match-rate item rateBefore.
    void cleared(const RowStates &before, int rateBefore);

    // For the commands: puts row r back and keeps what it now shows.
    void put(int r, const RowState &state);
    RowHost &host() const { return m_host; }

private:
    RowStates current() const;

    RowHost &m_host;
    QUndoStack *m_stack;
    RowStates m_shown; // each row as last recorded or put back
    bool m_putting = false;
};

} // namespace chordvane
