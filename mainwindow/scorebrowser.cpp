#include "scorebrowser.h"

#include "ctlnoteinput.h"
#include "engine.h"
#include "frmmain.h"
#include "scorerows.h"
#include "uiplatform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace chordvane {

namespace {

const QString kLastFolderKey = QStringLiteral("score/lastFolder");
// Measure numbers are free text in MusicXML; a few characters say where.
constexpr qsizetype kLongestMeasureNumber = 12;

// The whole name of a part at the top of a row's instrument list; the
// entry's text may be shortened to fit the box.
constexpr int kPartNameRole = Qt::UserRole + 1;

bool hasPartName(const QComboBox *box)
{
    return box->count() > 0 && !box->itemData(0, kPartNameRole).toString().isEmpty();
}

QString fitted(const QComboBox *box, const QString &name)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    // The style draws the text a few pixels inside the field.
    // The middle goes, so that "Clarinet in B♭ 1" and "… 2" stay apart.
    return box->fontMetrics().elidedText(name, Qt::ElideMiddle, field.width() - 4);
}

// Shows a part's name as the row's instrument, whole in its tool tip;
// choosing it by hand restores the part's transposition, as any
// instrument's entry does.
void showPartName(QComboBox *box, const QString &name, int tune)
{
    if (name.isEmpty()) {
        if (hasPartName(box))
            box->removeItem(0);
        box->setToolTip(QString());
        box->setCurrentIndex(0);
        return;
    }
    if (!hasPartName(box))
        box->insertItem(0, QString());
    if (box->itemData(0, kPartNameRole).toString() != name) {
        box->setItemText(0, fitted(box, name));
        box->setItemData(0, name, kPartNameRole);
        box->setItemData(0, name, Qt::ToolTipRole);
        box->setToolTip(name);
    }
    box->setItemData(0, tune);
    box->setCurrentIndex(0);
}

QString fromStd(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ScoreBrowser::ScoreBrowser(frmMain &window, UserDialogs &dialogs, QString dataFolder,
                           QSettings *settings)
    : QObject(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_dataFolder(std::move(dataFolder))
    , m_settings(settings)
    , m_lastFolder(QDir::homePath())
{
    buildMenu();

    lblScorePlace = new QLabel(&m_window);
    lblScorePlace->setFont(gothicFont(10.5));
    // A long file name is cut at the bar's end rather than widen the window.
    lblScorePlace->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblScoreChord = new QLabel(&m_window);
    lblScoreChord->setFont(gothicFont(10.5, true));
    QStatusBar *bar = m_window.statusBar();
    bar->addWidget(lblScorePlace, 1);
    bar->addPermanentWidget(lblScoreChord);
    setOpen(false);

    // The chord follows the options it is named with.
    for (QAction *rate : m_window.mnuOptionCodeRate)
        connect(rate, &QAction::triggered, this, &ScoreBrowser::showChord);
    connect(m_window.mnuOptionNotJazz, &QAction::toggled, this, [this] {
        loadChordList();
        showChord();
    });
    connect(m_window.cmdClear, &QPushButton::clicked, this, &ScoreBrowser::showChord);
    connect(m_window.mnuEditClear, &QAction::triggered, this, &ScoreBrowser::showChord);
}

ScoreBrowser::~ScoreBrowser() = default;

void ScoreBrowser::buildMenu()
{
    mnuScore = new QMenu(QStringLiteral("スコア(&S)"), &m_window);
    m_window.menuBar()->insertMenu(m_window.mnuEdit->menuAction(), mnuScore);
    const auto add = [this](const char *caption, const QKeySequence &keys, auto slot) {
        QAction *action = mnuScore->addAction(QString::fromUtf8(caption));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    mnuScoreOpen = add("スコアを開く(&O)...", QKeySequence::Open, [this] { chooseScore(); });
    mnuScore->addSeparator();
    mnuScorePrevious =
        add("前の音へ(&P)", QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { step(-1); });
    mnuScoreNext = add("次の音へ(&N)", QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { step(1); });
    mnuScorePreviousMeasure =
        add("前の小節へ(&U)", QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { stepMeasure(-1); });
    mnuScoreNextMeasure =
        add("次の小節へ(&D)", QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { stepMeasure(1); });
    mnuScore->addSeparator();
    mnuScoreClose =
        add("スコアを閉じる(&C)", QKeySequence(Qt::CTRL | Qt::Key_W), [this] { closeScore(); });
}

void ScoreBrowser::chooseScore()
{
    const QString folder =
        m_settings ? m_settings->value(kLastFolderKey, m_lastFolder).toString() : m_lastFolder;
    const QString path = m_dialogs.openFile(
        &m_window, QStringLiteral("スコアを開く"), folder,
        QStringLiteral("MusicXML (*.musicxml *.mxl *.xml);;すべてのファイル (*)"));
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
    QString problem = score::englishMessage(read);
    if (read.ok) {
        moments = score::scoreMoments(read.score);
        if (moments.empty()) {
            read.ok = false;
            problem = QStringLiteral("音符がひとつもありません。");
        }
    }
    if (!read.ok) {
        m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"),
                              QStringLiteral("スコアを開けませんでした\n%1\n%2")
                                  .arg(problem, QDir::toNativeSeparators(path)));
        return false;
    }
    m_score = std::move(read.score);
    m_moments = std::move(moments);
    m_fileName = QFileInfo(path).fileName();
    lblScorePlace->setToolTip(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    loadChordList();
    setOpen(true);
    showMoment(0);
    return true;
}

void ScoreBrowser::closeScore()
{
    m_score = {};
    m_moments.clear();
    m_index = 0;
    for (QComboBox *box : m_window.cboInstName)
        showPartName(box, QString(), 0);
    setOpen(false);
}

void ScoreBrowser::setOpen(bool open)
{
    for (QAction *action : {mnuScorePrevious, mnuScoreNext, mnuScorePreviousMeasure,
                            mnuScoreNextMeasure, mnuScoreClose})
        action->setEnabled(open);
    m_window.statusBar()->setVisible(open);
}

void ScoreBrowser::step(int direction)
{
    if (!isOpen())
        return;
    const size_t next = m_index + static_cast<size_t>(direction);
    if (next < m_moments.size()) // an unsigned step below 0 wraps past the end
        showMoment(next);
}

void ScoreBrowser::stepMeasure(int direction)
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
    const score::Moment &moment = m_moments[index];
    const ScoreRows rows = scoreRows(m_score, moment);
    for (int r = 0; r < rows::kRows; ++r)
        showRow(r, rows[r]);
    QString measure =
        moment.measureNumber.isEmpty() ? QString::number(moment.measure + 1) : moment.measureNumber;
    if (measure.size() > kLongestMeasureNumber)
        measure = measure.left(kLongestMeasureNumber - 1) + QChar(0x2026);
    lblScorePlace->setText(QStringLiteral("小節 %1　拍 %2　— %3")
                               .arg(measure, fromStd(score::beatText(moment.beat)), m_fileName));
    showChord();
}

void ScoreBrowser::showRow(int r, const ScoreRow &row)
{
    ctlNoteInput *staff = m_window.ctlNoteInput[r];
    QComboBox *tune = m_window.cboTune[r];
    {
        // The row is refreshed once, below, with everything in place.
        const QSignalBlocker quietStaff(staff);
        const QSignalBlocker quietTune(tune);
        if (staff->ScoreType() != row.scoreType)
            staff->setScoreType(row.scoreType);
        if (row.value)
            staff->setValue(*row.value);
        tune->setCurrentIndex(tune->findData(row.tune));
    }
    showPartName(m_window.cboInstName[r], row.name, row.tune);
    if (row.value || r == rows::kBassRow) {
        m_window.ShowRowNote(r);
        return;
    }
    {
        const QSignalBlocker quietUse(m_window.chkUse[r]);
        m_window.chkUse[r]->setChecked(false);
    }
    m_window.lblResult[r]->clear(); // a rest names no note
    m_window.ShowRowNote(r, frmMain::RowChange::Tick);
}

void ScoreBrowser::loadChordList()
{
    if (!isOpen())
        return;
    const char *list = m_window.mnuOptionNotJazz->isChecked() ? kPlainListName : kFullListName;
    ChordNameTable names;
    ChordIntervalTable intervals;
    m_chordsRead = readChordListFile(joinPath(m_dataFolder.toStdString(), list), names, intervals);
    m_chords = m_chordsRead ? ChordTable(names, intervals) : ChordTable();
}

void ScoreBrowser::showChord()
{
    if (!isOpen())
        return;
    if (!m_chordsRead) {
        lblScoreChord->setText(QStringLiteral("コードリストを読めません"));
        return;
    }
    const auto chord =
        score::nameChord(m_chords, m_moments[m_index].sounding, m_window.engine().MatchThreshold);
    lblScoreChord->setText(chord ? QStringLiteral("%1　合致度 %2％")
                                       .arg(fromStd(chord->name), QString::number(chord->rate))
                                 : QStringLiteral("コードなし"));
}

} // namespace chordvane
