// The score view's way to the window: values and signals, not menu actions.
#include "frmmain.h"

#include "scorebrowser.h"
#include "tuningpanel.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>

namespace chordvane {

class frmMain::ScoreLink : public ScoreHost {
public:
    explicit ScoreLink(frmMain &window)
        : ScoreHost(&window)
        , m_window(window)
    {
        connect(&window, &frmMain::rowsChanged, this, &ScoreHost::rowsChanged);
        connect(&window, &frmMain::searchOptionsChanged, this, &ScoreHost::searchOptionsChanged);
        connect(&window, &frmMain::seventhChanged, this, &ScoreHost::seventhChanged);
    }

    InstrumentRow &row(int r) const override { return m_window.row(r); }
    const std::array<Note, kInputSlots> &inputNotes() const override
    {
        return m_window.m_engine.InputNotes;
    }
    SearchOptions searchOptions() const override { return m_window.searchOptions(); }
    JustSeventh justSeventh() const override { return m_window.justSeventh(); }
    bool readChordTable(ChordTable &table) override { return m_window.readChordTable(table); }
    Playback &playback() const override { return m_window.m_playback; }
    void clearRows() override { m_window.clearRows(); }
    void startRowHistory() override { m_window.startRowHistory(); }

private:
    frmMain &m_window;
};

SearchOptions frmMain::searchOptions() const
{
    return {m_engine.MatchThreshold, mnuOptionNotJazz->isChecked(), m_rankByRate->isChecked()};
}

void frmMain::buildScoreBrowser()
{
    m_scoreLink = new ScoreLink(*this);
    m_scoreBrowser = new ScoreBrowser(*this, *m_scoreLink, m_dialogs, m_dataFolder, m_settings);
    menuBar()->insertMenu(mnuEdit->menuAction(), m_scoreBrowser->mnuScore);
    connect(m_scoreBrowser, &ScoreBrowser::openChanged, this, &frmMain::updateStatusBar);
    // The window makes room for a panel and gives it back once its layout knows.
    for (QDockWidget *panel : m_scoreBrowser->panels())
        connect(panel, &QDockWidget::visibilityChanged, this, &frmMain::fitToScreen,
                Qt::QueuedConnection);
}

} // namespace chordvane
