#include "rowhistory.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace chordvane {

namespace {

// A command is done already when it is pushed; its first redo does nothing.
class RowCommand : public QUndoCommand {
protected:
    explicit RowCommand(RowHistory &history)
        : m_history(history)
    {}
    bool firstRedo() { return std::exchange(m_pushed, true) == false; }
    RowHistory &m_history;

private:
    bool m_pushed = false;
};

class RowEdit : public RowCommand {
public:
    RowEdit(RowHistory &history, int row, const RowState &before, const RowState &after)
        : RowCommand(history)
        , m_row(row)
        , m_before(before)
        , m_after(after)
        // A drag on a staff enters a note at every move: one edit until the button is let go.
        , m_open(QGuiApplication::mouseButtons().testFlag(Qt::LeftButton))
    {}
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const RowEdit *>(other);
        if (!m_open || next->m_row != m_row)
            return false;
        m_after = next->m_after;
        m_open = next->m_open;
        setObsolete(m_after == m_before); // dragged back to where it began
        return true;
    }
    void undo() override { m_history.put(m_row, m_before); }
    void redo() override
    {
        if (!firstRedo())
            m_history.put(m_row, m_after);
    }

private:
    int m_row;
    RowState m_before;
    RowState m_after;
    bool m_open;
};

class ClearEdit : public RowCommand {
public:
    ClearEdit(RowHistory &history, const RowStates &before, const RowStates &after, int rateBefore,
              int rateAfter)
        : RowCommand(history)
        , m_before(before)
        , m_after(after)
        , m_rateBefore(rateBefore)
        , m_rateAfter(rateAfter)
    {}
    void undo() override { apply(m_before, m_rateBefore); }
    void redo() override
    {
        if (!firstRedo())
            apply(m_after, m_rateAfter);
    }

private:
    void apply(const RowStates &states, int rate)
    {
        for (int r = 0; r < rows::kRows; ++r)
            m_history.put(r, states[static_cast<size_t>(r)]);
        m_history.host().restoreRate(rate);
    }
    RowStates m_before;
    RowStates m_after;
    int m_rateBefore;
    int m_rateAfter;
};

} // namespace

RowHistory::RowHistory(RowHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_stack(new QUndoStack(this))
{}

RowStates RowHistory::current() const
{
    RowStates states;
    for (int r = 0; r < rows::kRows; ++r)
        states[static_cast<size_t>(r)] = m_host.rowState(r);
    return states;
}

void RowHistory::restart()
{
    m_stack->clear();
    m_shown = current();
}

void RowHistory::rowChanged(int r)
{
    if (m_putting)
        return;
    RowState &shown = m_shown[static_cast<size_t>(r)];
    const RowState now = m_host.rowState(r);
    if (now == shown)
        return;
    const RowState before = std::exchange(shown, now);
    m_stack->push(new RowEdit(*this, r, before, now));
}

void RowHistory::cleared(const RowStates &before, int rateBefore)
{
    m_shown = current();
    if (m_shown == before && rateBefore == m_host.rateItem())
        return; // nothing to undo
    m_stack->push(new ClearEdit(*this, before, m_shown, rateBefore, m_host.rateItem()));
}

void RowHistory::put(int r, const RowState &state)
{
    const QScopedValueRollback putting(m_putting, true);
    m_host.restoreRow(r, state);
    m_shown[static_cast<size_t>(r)] = m_host.rowState(r);
}

} // namespace chordvane
