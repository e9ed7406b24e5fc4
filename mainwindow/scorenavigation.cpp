// Finding the way in a score: where the rows are, a measure by its number,
// and the scores opened lately.
#include "scorebrowser.h"

#include "spelling.h"
#include "uiplatform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>

#include <algorithm>

namespace chordvane {

namespace {

const QString kRecentKey = QStringLiteral("score/recent");
constexpr qsizetype kRecentScores = 8;

void keepRecent(QSettings *settings, const QStringList &recent)
{
    if (settings) {
        settings->setValue(kRecentKey, recent);
        settings->sync(); // kept even if the program does not end normally
    }
}

} // namespace

void ScoreBrowser::showPlace()
{
    const score::Moment &moment = m_moments[m_index];
    const QString measure = shortMeasureNumber(moment.measureNumber, moment.measure);
    const auto lastIndex = static_cast<qsizetype>(m_score.measures.size()) - 1;
    const QString last =
        lastIndex < 0 ? measure : shortMeasureNumber(m_score.measures.back().number, lastIndex);
    lblScorePlace->setText(
        tr("小節 %1 / %2　拍 %3　— %4")
            .arg(measure, last, QString::fromStdString(score::beatText(moment.beat)), m_fileName));
    m_window.setWindowTitle(tr("%1 — 小節 %2 / %3 — Chordvane").arg(m_fileName, measure, last));

    const harmony::Key key = harmony::keyAt(m_piece.keys, moment.at);
    const QString tonic =
        QString::fromStdString(harmony::noteName(key.minor ? key.fifths + 3 : key.fifths));
    QString signature = key.minor ? tr("%1 短調").arg(tonic) : tr("%1 長調").arg(tonic);
    if (moment.measure >= 0 && static_cast<size_t>(moment.measure) < m_score.measures.size()) {
        const score::Measure &in = m_score.measures[static_cast<size_t>(moment.measure)];
        if (in.beats > 0 && in.beatType > 0)
            signature =
                tr("%1　%2").arg(signature, tr("%1/%2 拍子").arg(in.beats).arg(in.beatType));
    }
    lblScoreSignature->setText(signature);
}

int ScoreBrowser::measureIndex(const QString &written) const
{
    for (size_t i = 0; i < m_score.measures.size(); ++i) {
        const QString &number = m_score.measures[i].number;
        // A measure the score leaves unnumbered goes by its position.
        if (number == written ||
            (number.isEmpty() && written == QString::number(static_cast<qsizetype>(i) + 1)))
            return static_cast<int>(i);
    }
    return -1;
}

int ScoreBrowser::askMeasure(const QString &title)
{
    const auto lastIndex = static_cast<qsizetype>(m_score.measures.size()) - 1;
    const QString first = shortMeasureNumber(m_score.measures.front().number, 0);
    const QString last = shortMeasureNumber(m_score.measures.back().number, lastIndex);
    const QString asked =
        m_dialogs.askText(&m_window, title, tr("小節番号 (%1～%2):").arg(first, last)).trimmed();
    if (asked.isEmpty())
        return -1;
    const int measure = measureIndex(asked);
    if (measure < 0) {
        m_dialogs.exclamation(&m_window, title,
                              tr("小節 %1 はこのスコアにありません。\n%2 から %3 までの"
                                 "小節番号を、楽譜に書かれているとおりに入力してください。")
                                  .arg(asked, first, last));
    }
    return measure;
}

void ScoreBrowser::goToMeasure()
{
    if (!isOpen())
        return;
    const int measure = askMeasure(tr("小節へ移動"));
    if (measure < 0)
        return;
    // A measure of rests only has no moment: the next one that sounds, or the last.
    const auto moment =
        std::lower_bound(m_moments.begin(), m_moments.end(), measure,
                         [](const score::Moment &m, int target) { return m.measure < target; });
    showMoment(moment == m_moments.end() ? m_moments.size() - 1
                                         : static_cast<size_t>(moment - m_moments.begin()));
}

void ScoreBrowser::readRecent()
{
    if (m_settings)
        m_recent = m_settings->value(kRecentKey).toStringList();
}

void ScoreBrowser::rememberRecent(const QString &path)
{
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > kRecentScores)
        m_recent.removeLast();
    keepRecent(m_settings, m_recent);
    fillRecentMenu();
}

void ScoreBrowser::fillRecentMenu()
{
    mnuScoreRecent->clear();
    if (m_recent.isEmpty()) {
        mnuScoreRecent->addAction(tr("(なし)"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < m_recent.size(); ++i) {
        const QString path = m_recent[i];
        // "&1 band.musicxml": the number is the access key; the whole path a tip away.
        QAction *action = mnuScoreRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    mnuScoreRecent->setToolTipsVisible(true);
}

void ScoreBrowser::openRecent(const QString &path)
{
    if (QFileInfo(path).isFile()) {
        openScore(path);
        return;
    }
    m_recent.removeAll(path);
    keepRecent(m_settings, m_recent);
    fillRecentMenu();
    m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"),
                          tr("スコアが見つかりません。最近使ったスコアから外しました。\n%1")
                              .arg(QDir::toNativeSeparators(path)));
}

} // namespace chordvane
