#include "scorebrowser.h"

#include "chartsheet.h"
#include "chartwindow.h"
#include "harmonypiece.h"
#include "resultspanel.h"
#include "rowtables.h"
#include "tuningpanel.h"
#include "tuningsheet.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

#include <algorithm>

// The score view's companions: the chart window, the tuning panel and the
// results panel.
namespace chordvane {

void ScoreBrowser::showTuning()
{
    if (m_tuning->isHidden() || !isOpen())
        return;
    if (!m_chordsRead)
        return m_tuning->clearMoment();
    std::vector<tuning::SheetPart> parts;
    tuning::SheetStep moment =
        score::momentSheet(m_score, m_piece, m_steps, stepIndex(), m_moments[m_index], parts);
    m_tuning->showMoment(m_chords, std::move(moment), std::move(parts));
}

std::vector<QDockWidget *> ScoreBrowser::panels() const
{
    return {m_tuning, m_results};
}

void ScoreBrowser::showResults()
{
    if (m_results->isHidden() || !isOpen())
        return;
    const std::array<Note, kInputSlots> &inputs = m_host.inputNotes();
    auto found = m_chordsRead ? searchInputs(m_chords, inputs, rows::kBassRow, m_options.threshold,
                                             m_options.rankByRate)
                              : std::nullopt;
    if (!found)
        return m_results->clearResults();
    m_results->showResults(m_chords, std::move(*found), inputs[rows::kBassRow]);
}

ChartWindow *ScoreBrowser::chartWindow()
{
    if (!m_chart) {
        m_chart = new ChartWindow(&m_window, m_dialogs);
        connect(m_chart, &ChartWindow::stepChosen, this, &ScoreBrowser::goToStep);
        connect(m_chart, &ChartWindow::chartChanged, this, [this] {
            fillChart();
            showChord();
        });
        fillChart();
    }
    return m_chart;
}

void ScoreBrowser::showChart()
{
    if (!isOpen())
        return;
    chartWindow()->show();
    m_chart->raise();
    showChord();
}

void ScoreBrowser::fillChart()
{
    const QString title = m_score.title.isEmpty() ? m_fileName : m_score.title;
    const score::ChartSheet sheet =
        score::chartSheet(m_chords, m_score, m_piece, m_steps, m_chart->transposition(), title,
                          m_chart->chartWords());
    QStringList tips;
    for (const harmony::Step &step : m_steps) {
        const score::Measure &measure = m_score.measures[static_cast<size_t>(step.measure)];
        // The beat as the status line counts it.
        const QString place = shortMeasureNumber(measure.number, step.measure);
        const QString beat =
            QString::fromStdString(score::beatText(Fraction(1) + (step.start - measure.start)));
        tips << (step.chord ? tr("小節 %1　拍 %2　合致度 %3%").arg(place, beat).arg(step.rate)
                            : tr("小節 %1　拍 %2　コード なし").arg(place, beat));
    }
    m_chart->showChart(sheet, tips);
    const QFileInfo file(m_path);
    m_chart->setChartText(score::chartText(sheet), title,
                          file.dir().filePath(file.completeBaseName() + tr(" (コード進行)")));
}

void ScoreBrowser::goToStep(int step)
{
    if (step < 0 || step >= static_cast<int>(m_steps.size()))
        return;
    const Fraction &start = m_steps[static_cast<size_t>(step)].start;
    const auto moment =
        std::lower_bound(m_moments.begin(), m_moments.end(), start,
                         [](const score::Moment &m, const Fraction &t) { return m.at < t; });
    if (moment != m_moments.end())
        showMoment(static_cast<size_t>(moment - m_moments.begin()));
}

} // namespace chordvane
