#include "scorebrowser.h"

#include "annotate.h"
#include "chartsheet.h"
#include "chartwindow.h"
#include "engine.h"
#include "harmonypiece.h"
#include "instrumentrow.h"
#include "passageplayer.h"
#include "resultspanel.h"
#include "rowchord.h"
#include "scoreproblem.h"
#include "scorerows.h"
#include "search.h"
#include "tuningpanel.h"
#include "tuningsheet.h"
#include "uiplatform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStatusBar>

#include <utility>

namespace chordvane {

namespace {

const QString kLastFolderKey = QStringLiteral("score/lastFolder");
// Measure numbers are free text in MusicXML; a few characters say where.
constexpr qsizetype kLongestMeasureNumber = 12;

} // namespace

QString ScoreBrowser::shortMeasureNumber(const QString &number, qsizetype index)
{
    if (number.isEmpty())
        return QString::number(index + 1);
    if (number.size() > kLongestMeasureNumber)
        return number.left(kLongestMeasureNumber - 1) + QChar(0x2026);
    return number;
}

ScoreBrowser::ScoreBrowser(QMainWindow &window, ScoreHost &host, UserDialogs &dialogs,
                           QString dataFolder, QSettings *settings)
    : QObject(&window)
    , m_window(window)
    , m_host(host)
    , m_dialogs(dialogs)
    , m_dataFolder(std::move(dataFolder))
    , m_settings(settings)
    , m_lastFolder(QDir::homePath())
    , m_options(host.searchOptions())
{
    m_tuning = new TuningPanel(m_window, m_dialogs);
    // The panel works out only the moment it shows, and only while it shows.
    connect(m_tuning, &QDockWidget::visibilityChanged, this, &ScoreBrowser::showTuning);
    m_tuning->setSeventh(m_host.justSeventh());
    connect(&m_host, &ScoreHost::seventhChanged, m_tuning, &TuningPanel::setSeventh);
    m_results = new ResultsPanel(m_window, m_host.playback());
    connect(m_results, &QDockWidget::visibilityChanged, this, &ScoreBrowser::showResults);
    m_player = new PassagePlayer(m_host.playback(), &m_window);
    readRecent();
    buildMenu();

    lblScorePlace = new QLabel(&m_window);
    lblScorePlace->setFont(gothicFont(10.5));
    // A long file name is cut at the bar's end rather than widen the window.
    lblScorePlace->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblScoreSignature = new QLabel(&m_window);
    lblScoreSignature->setFont(gothicFont(10.5));
    lblScoreChord = new QLabel(&m_window);
    lblScoreChord->setFont(gothicFont(10.5, true));
    QStatusBar *bar = m_window.statusBar();
    bar->addWidget(lblScorePlace, 1);
    bar->addPermanentWidget(lblScoreSignature);
    bar->addPermanentWidget(lblScoreChord);
    setOpen(false);

    // At a step the status names the score's chord there; once the rows are
    // edited, the rows' own chord, which follows every edit.
    connect(&m_host, &ScoreHost::rowsChanged, this, [this] {
        if (m_filling)
            return;
        m_edited = true;
        showChord();
    });
    connect(&m_host, &ScoreHost::searchOptionsChanged, this, &ScoreBrowser::optionsChanged);
}

void ScoreBrowser::optionsChanged()
{
    const SearchOptions before = std::exchange(m_options, m_host.searchOptions());
    if (before.plainList != m_options.plainList)
        loadChordList();
    if (before.plainList != m_options.plainList || before.threshold != m_options.threshold)
        analyse();
    else
        showChord();
}

ScoreBrowser::~ScoreBrowser() = default;

void ScoreBrowser::buildMenu()
{
    mnuScore = new QMenu(&m_window);
    const auto add = [this](const QKeySequence &keys, auto slot) {
        QAction *action = mnuScore->addAction(QString());
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    mnuScoreOpen = add(QKeySequence::Open, [this] { chooseScore(); });
    mnuScoreRecent = mnuScore->addMenu(QString());
    mnuScore->addSeparator();
    mnuScorePrevious = add(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { step(-1); });
    mnuScoreNext = add(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { step(1); });
    mnuScorePreviousMeasure =
        add(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveByMeasure(-1); });
    mnuScoreNextMeasure = add(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveByMeasure(1); });
    mnuScoreGoToMeasure = add(QKeySequence(Qt::CTRL | Qt::Key_L), [this] { goToMeasure(); });
    mnuScore->addSeparator();
    mnuScoreChart = add(QKeySequence(Qt::CTRL | Qt::Key_H), [this] { showChart(); });
    // The chart window's exports, its window made (hidden) when not yet shown.
    mnuScoreChartText = add(QKeySequence(), [this] { chartWindow()->saveText(); });
    mnuScoreChartPdf = add(QKeySequence(), [this] { chartWindow()->savePdf(); });
    mnuScoreChartPrint = add(QKeySequence(), [this] { chartWindow()->printChart(); });
    mnuScoreAnnotate = add(QKeySequence(), [this] { saveAnnotated(); });
    mnuScoreTuning = m_tuning->toggleViewAction();
    mnuScoreTuning->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuScore->addAction(mnuScoreTuning);
    mnuScoreTuningSave = mnuScore->addAction(QString());
    connect(mnuScoreTuningSave, &QAction::triggered, this,
            [this] { m_tuning->saveSheet(m_path, m_chords, m_score, m_piece, m_steps); });
    mnuScoreResults = m_results->toggleViewAction();
    mnuScore->addAction(mnuScoreResults);
    mnuScore->addSeparator();
    buildPlayMenu();
    mnuScore->addSeparator();
    mnuScoreClose = add(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { closeScore(); });
    retranslate();
}

void ScoreBrowser::retranslate()
{
    mnuScore->setTitle(tr("スコア(&S)"));
    mnuScoreOpen->setText(tr("スコアを開く(&O)..."));
    mnuScoreRecent->setTitle(tr("最近使ったスコア(&R)"));
    fillRecentMenu();
    mnuScorePrevious->setText(tr("前の音へ(&P)"));
    mnuScoreNext->setText(tr("次の音へ(&N)"));
    mnuScorePreviousMeasure->setText(tr("前の小節へ(&U)"));
    mnuScoreNextMeasure->setText(tr("次の小節へ(&D)"));
    mnuScoreGoToMeasure->setText(tr("小節へ移動(&M)..."));
    mnuScoreChart->setText(tr("コード進行(&H)"));
    mnuScoreChartText->setText(tr("コード進行をテキストで保存(&X)..."));
    mnuScoreChartPdf->setText(tr("コード進行を PDF で保存(&F)..."));
    mnuScoreChartPrint->setText(tr("コード進行を印刷(&I)..."));
    mnuScoreAnnotate->setText(tr("コード名を書き込んで保存(&W)..."));
    mnuScoreTuning->setText(tr("音程補正(&G)"));
    mnuScoreTuningSave->setText(tr("音程補正表を書き出す(&T)..."));
    mnuScoreResults->setText(tr("結果を表示(&K)"));
    retranslatePlayMenu();
    mnuScoreClose->setText(tr("スコアを閉じる(&C)"));
    if (isOpen()) {
        showPlace();
        showChord();
    }
}

void ScoreBrowser::chooseScore()
{
    const QString folder =
        m_settings ? m_settings->value(kLastFolderKey, m_lastFolder).toString() : m_lastFolder;
    const QString path = m_dialogs.openFile(
        &m_window, tr("スコアを開く"), folder,
        tr("スコア (*.musicxml *.mxl *.xml *.mid *.midi);;MusicXML (*.musicxml *.mxl *.xml);;"
           "MIDI (*.mid *.midi);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    // Where the user went is worth keeping even when the file fails.
    m_lastFolder = QFileInfo(path).absolutePath();
    if (m_settings) {
        m_settings->setValue(kLastFolderKey, m_lastFolder);
        m_settings->sync();
    }
    openScore(path);
}

bool ScoreBrowser::openScore(const QString &path)
{
    score::ReadResult read = score::readScoreFile(path);
    std::vector<score::Moment> moments;
    QString problem = readProblem(read);
    if (read.ok) {
        moments = score::scoreMoments(read.score);
        if (moments.empty()) {
            read.ok = false;
            problem = tr("音符がひとつもありません。");
        }
    }
    if (!read.ok) {
        m_dialogs.exclamation(
            &m_window, QStringLiteral("Chordvane"),
            tr("スコアを開けませんでした\n%1\n%2").arg(problem, QDir::toNativeSeparators(path)));
        return false;
    }
    m_host.clearRows(); // nothing of the last score stays in a row this one leaves alone
    m_score = std::move(read.score);
    m_moments = std::move(moments);
    m_index = 0; // the last score's moment may lie past this one's end
    m_fileName = QFileInfo(path).fileName();
    m_path = QFileInfo(path).absoluteFilePath();
    m_digest = annotate::fileDigest(m_path);
    lblScorePlace->setToolTip(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    m_piece = score::harmonyPiece(m_score);
    m_player->stop(); // its moments were the last score's
    rememberRecent(m_path);
    setOpen(true);
    loadChordList();
    analyse();
    showMoment(0);
    return true;
}

void ScoreBrowser::closeScore()
{
    m_player->stop();
    m_score = {};
    m_moments.clear();
    m_steps.clear();
    m_piece = {};
    m_index = 0;
    if (m_chart)
        m_chart->hide();
    m_tuning->hide();
    m_tuning->clearMoment();
    m_results->hide();
    m_results->clearResults();
    m_window.setWindowTitle(QStringLiteral("Chordvane"));
    for (int r = 0; r < rows::kRows; ++r)
        m_host.row(r).clearPart();
    m_host.startRowHistory(); // an undo would bring the part names back
    setOpen(false);
}

void ScoreBrowser::setOpen(bool open)
{
    for (QAction *action :
         {mnuScorePrevious, mnuScoreNext, mnuScorePreviousMeasure, mnuScoreNextMeasure,
          mnuScoreGoToMeasure, mnuScoreChart, mnuScoreChartText, mnuScoreChartPdf,
          mnuScoreChartPrint, mnuScoreAnnotate, mnuScoreTuning, mnuScoreTuningSave, mnuScoreResults,
          mnuScorePlayStep, mnuScorePlayMeasure, mnuScorePlayTo, mnuScoreClose})
        action->setEnabled(open);
    // A MIDI file has no notation to write chord symbols into.
    mnuScoreAnnotate->setEnabled(open && !m_score.fromMidi);
    emit openChanged(open);
}

void ScoreBrowser::step(int direction)
{
    if (!isOpen())
        return;
    const size_t next = m_index + static_cast<size_t>(direction);
    if (next < m_moments.size()) // an unsigned step below 0 wraps past the end
        showMoment(next);
}

void ScoreBrowser::moveByMeasure(int direction)
{
    if (!isOpen())
        return;
    const int measure = m_moments[m_index].measure;
    size_t i = m_index;
    if (direction > 0) {
        while (i < m_moments.size() && m_moments[i].measure == measure)
            ++i;
        if (i < m_moments.size())
            showMoment(i);
        return;
    }
    // To the first moment of the measure before; from the first measure to
    // the first moment.
    while (i > 0 && m_moments[i].measure == measure)
        --i;
    const int target = m_moments[i].measure;
    while (i > 0 && m_moments[i - 1].measure == target)
        --i;
    showMoment(i);
}

void ScoreBrowser::showMoment(size_t index)
{
    m_index = index;
    m_edited = false;
    const score::Moment &moment = m_moments[index];
    const ScoreRows rows = scoreRows(m_score, score::withParts(m_score, moment));
    {
        // The chord is named once, for all rows.
        const QScopedValueRollback filling(m_filling, true);
        for (int r = 0; r < rows::kRows; ++r)
            showRow(r, rows[r]);
    }
    m_host.startRowHistory(); // hand edits are undone back to the step, no further
    showPlace();
    showChord();
}

void ScoreBrowser::showRow(int r, const ScoreRow &row)
{
    InstrumentRow &target = m_host.row(r);
    target.showPart(row.part);
    if (row.note)
        target.showNote(*row.note);
    else if (r != rows::kBassRow)
        target.showRest(row.scoreType);
}

void ScoreBrowser::loadChordList()
{
    if (isOpen())
        m_chordsRead = m_host.readChordTable(m_chords);
}

void ScoreBrowser::analyse()
{
    if (!isOpen())
        return;
    m_steps.clear();
    if (m_chordsRead)
        m_steps = harmony::analyse(m_chords, m_piece, m_options.threshold).steps;
    if (m_chart)
        fillChart();
    showChord();
}

int ScoreBrowser::stepIndex() const
{
    return stepAt(m_moments[m_index].at);
}

int ScoreBrowser::stepAt(const Fraction &at) const
{
    const auto after =
        std::upper_bound(m_steps.begin(), m_steps.end(), at,
                         [](const Fraction &t, const harmony::Step &s) { return t < s.start; });
    return static_cast<int>(after - m_steps.begin()) - 1;
}

void ScoreBrowser::showChord()
{
    if (!isOpen() || m_filling)
        return;
    if (m_chart)
        m_chart->markStep(m_edited ? -1 : stepIndex());
    showTuning();
    showResults();
    if (!m_chordsRead) {
        lblScoreChord->setText(tr("コードリストが読み込まれていません"));
        return;
    }
    if (!m_edited) {
        const int step = stepIndex();
        const harmony::Step *s = step >= 0 ? &m_steps[static_cast<size_t>(step)] : nullptr;
        lblScoreChord->setText(
            s && s->chord ? tr("コード %1 (%2%)")
                                .arg(QString::fromStdString(s->symbol), QString::number(s->rate))
                          : tr("コード なし"));
        return;
    }
    lblScoreChord->setText(
        rowChordText(m_chords, m_host.inputNotes(), m_options.threshold, m_options.rankByRate));
}

} // namespace chordvane
