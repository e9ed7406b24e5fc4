// Hearing a passage of the score: the harmonic step, the measure, or on to
// a measure chosen, the rows following.
#include "scorebrowser.h"

#include "passageplayer.h"
#include "playback.h"
#include "uiplatform.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>

#include <algorithm>

namespace chordvane {

namespace {

const QString kJustKey = QStringLiteral("playback/passageJust");
const QString kLoopKey = QStringLiteral("playback/passageLoop");

} // namespace

void ScoreBrowser::buildPlayMenu()
{
    mnuScorePlay = mnuScore->addMenu(QString());
    mnuScorePlayStep = mnuScorePlay->addAction(QString());
    connect(mnuScorePlayStep, &QAction::triggered, this, &ScoreBrowser::playStep);
    mnuScorePlayMeasure = mnuScorePlay->addAction(QString());
    connect(mnuScorePlayMeasure, &QAction::triggered, this, &ScoreBrowser::playMeasure);
    mnuScorePlayTo = mnuScorePlay->addAction(QString());
    connect(mnuScorePlayTo, &QAction::triggered, this, &ScoreBrowser::playTo);
    mnuScorePlay->addSeparator();
    // Both choices last between runs, as the other sound options do.
    const auto option = [this](const QString &key) {
        QAction *action = mnuScorePlay->addAction(QString());
        action->setCheckable(true);
        if (m_settings)
            action->setChecked(m_settings->value(key, false).toBool());
        connect(action, &QAction::toggled, this, [this, key](bool checked) {
            if (m_settings) {
                m_settings->setValue(key, checked);
                m_settings->sync();
            }
        });
        return action;
    };
    mnuScorePlayJust = option(kJustKey);
    mnuScorePlayLoop = option(kLoopKey);
    connect(mnuScorePlayLoop, &QAction::toggled, m_player, &PassagePlayer::setLoop);
    mnuScorePlay->addSeparator();
    // Esc stops the passage while one plays; otherwise the window's own Esc
    // lets the sound go.
    mnuScorePlayStop = mnuScorePlay->addAction(QString());
    mnuScorePlayStop->setShortcut(QKeySequence(Qt::Key_Escape));
    mnuScorePlayStop->setEnabled(false);
    connect(mnuScorePlayStop, &QAction::triggered, m_player, &PassagePlayer::stop);
    connect(m_player, &PassagePlayer::playingChanged, mnuScorePlayStop, &QAction::setEnabled);
    connect(m_player, &PassagePlayer::reached, this, [this](size_t moment) {
        if (moment < m_moments.size())
            showMoment(moment);
    });
}

void ScoreBrowser::retranslatePlayMenu()
{
    mnuScorePlay->setTitle(tr("再生(&Y)"));
    mnuScorePlayStep->setText(tr("このコードの区間を再生(&S)"));
    mnuScorePlayMeasure->setText(tr("この小節を再生(&M)"));
    mnuScorePlayTo->setText(tr("指定の小節まで再生(&T)..."));
    mnuScorePlayJust->setText(tr("純正律で再生(&J)"));
    mnuScorePlayLoop->setText(tr("くり返し再生(&L)"));
    mnuScorePlayStop->setText(tr("再生を止める"));
}

bool ScoreBrowser::isPlaying() const
{
    return m_player->isPlaying();
}

void ScoreBrowser::playPassage(const Fraction &from, const Fraction &to)
{
    const sound::Tuning tuning =
        mnuScorePlayJust->isChecked() ? sound::Tuning::Just : sound::Tuning::Equal;
    const int otherProgram = sound::programOf(m_host.playback().chordSound());
    std::vector<PassageAttack> passage;
    auto moment =
        std::lower_bound(m_moments.begin(), m_moments.end(), from,
                         [](const score::Moment &m, const Fraction &t) { return m.at < t; });
    for (; moment != m_moments.end() && moment->at < to; ++moment) {
        const auto next = moment + 1;
        const Fraction until = next != m_moments.end() && next->at < to ? next->at : to;
        const int step = stepAt(moment->at);
        passage.push_back({static_cast<size_t>(moment - m_moments.begin()),
                           momentTones(score::withParts(m_score, *moment),
                                       step >= 0 ? &m_steps[static_cast<size_t>(step)] : nullptr,
                                       m_chords, tuning, m_host.justSeventh(), otherProgram),
                           passageMilliseconds(until - moment->at)});
    }
    m_player->play(std::move(passage), mnuScorePlayLoop->isChecked());
}

Fraction ScoreBrowser::stepStart() const
{
    const int step = stepIndex();
    return step >= 0 ? m_steps[static_cast<size_t>(step)].start : m_moments[m_index].at;
}

Fraction ScoreBrowser::measureEnd(int measure) const
{
    const score::Measure &in = m_score.measures[static_cast<size_t>(measure)];
    return in.start + in.length;
}

void ScoreBrowser::playStep()
{
    if (!isOpen())
        return;
    const int step = stepIndex();
    // Without harmonic steps (no chord list), the moment shown alone.
    Fraction to = m_index + 1 < m_moments.size() ? m_moments[m_index + 1].at
                                                 : measureEnd(m_moments[m_index].measure);
    if (step >= 0) {
        to = static_cast<size_t>(step) + 1 < m_steps.size()
                 ? m_steps[static_cast<size_t>(step) + 1].start
                 : measureEnd(static_cast<int>(m_score.measures.size()) - 1);
    }
    playPassage(stepStart(), to);
}

void ScoreBrowser::playMeasure()
{
    if (!isOpen())
        return;
    const int measure = m_moments[m_index].measure;
    playPassage(m_score.measures[static_cast<size_t>(measure)].start, measureEnd(measure));
}

void ScoreBrowser::playTo()
{
    if (!isOpen())
        return;
    const QString title = tr("指定の小節まで再生");
    const int measure = askMeasure(title);
    if (measure < 0)
        return;
    if (measure < m_moments[m_index].measure) {
        m_dialogs.exclamation(
            &m_window, title,
            tr("小節 %1 は今の位置より前にあります。")
                .arg(shortMeasureNumber(m_score.measures[static_cast<size_t>(measure)].number,
                                        measure)));
        return;
    }
    playPassage(stepStart(), measureEnd(measure));
}

} // namespace chordvane
