#include "tuningpanel.h"

#include "guide.h"
#include "uiplatform.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string_view>

namespace chordvane {

TuningPanel::TuningPanel(QMainWindow &window, UserDialogs &dialogs)
    : QDockWidget(&window)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("tuningPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    auto *content = new QWidget(this);
    lblStep = new QLabel(content);
    lblStep->setFont(gothicFont(10.5, true));
    tblParts = new QTableWidget(0, 5, content);
    tblParts->setFont(gothicFont(10.5));
    tblParts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblParts->setSelectionMode(QAbstractItemView::NoSelection);
    tblParts->setFocusPolicy(Qt::NoFocus);
    tblParts->verticalHeader()->hide();
    tblParts->verticalHeader()->setDefaultSectionSize(tblParts->fontMetrics().height() + 4);
    tblParts->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 5; ++column)
        tblParts->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    tblParts->setMinimumWidth(twips(5400));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lblStep);
    layout->addWidget(tblParts);
    setWidget(content);
    retranslate();
    hide();
    window.addDockWidget(Qt::RightDockWidgetArea, this);
}

void TuningPanel::setSheet(const ChordTable &table, const std::vector<tuning::SheetStep> &steps)
{
    m_steps.clear();
    for (const tuning::SheetStep &step : steps) {
        m_steps.push_back(
            {step, tuning::sheetLines(table, step), QString::fromStdString(step.symbol)});
    }
    showStep(-1);
}

void TuningPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void TuningPanel::retranslate()
{
    setWindowTitle(tr("音程補正"));
    tblParts->setHorizontalHeaderLabels(
        {tr("パート"), tr("記譜音"), tr("実音"), tr("度数"), tr("補正")});
    showStep(m_shown);
}

void TuningPanel::showStep(int step)
{
    m_shown = step;
    const bool known = step >= 0 && step < static_cast<int>(m_steps.size());
    static const std::vector<tuning::SheetLine> kNone;
    const std::vector<tuning::SheetLine> &lines =
        known ? m_steps[static_cast<size_t>(step)].lines : kNone;
    if (known) {
        const Step &shown = m_steps[static_cast<size_t>(step)];
        lblStep->setText(tr("小節 %1　拍 %2　%3")
                             .arg(QString::fromStdString(shown.step.measure),
                                  QString::fromStdString(shown.step.beat),
                                  shown.symbol.isEmpty() ? tr("コードなし") : shown.symbol));
    } else {
        lblStep->clear();
    }
    tblParts->setRowCount(static_cast<int>(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const tuning::SheetLine &line = lines[i];
        const std::string cells[] = {
            line.part, line.written, line.concert,
            line.tone ? line.tone->degree : std::string(tuning::kNoToneMark),
            line.tone ? tuning::withArrow(line.tone->cents) : std::string(tuning::kNoToneMark)};
        for (int column = 0; column < 5; ++column) {
            auto *item = new QTableWidgetItem(QString::fromStdString(cells[column]));
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            tblParts->setItem(static_cast<int>(i), column, item);
        }
    }
}

void TuningPanel::saveSheet(const QString &scorePath)
{
    if (m_steps.empty()) {
        m_dialogs.exclamation(parentWidget(), tr("確認"),
                              tr("コードリストが読み込まれていないため、書き出せません"));
        return;
    }
    const QFileInfo score(scorePath);
    const QString proposed =
        score.dir().filePath(score.completeBaseName() + tr(" (音程補正)") + QStringLiteral(".csv"));
    const QString out = m_dialogs.saveFile(parentWidget(), tr("音程補正表を書き出す"), proposed,
                                           tr("CSV (*.csv);;すべてのファイル (*)"));
    if (out.isEmpty())
        return;
    const auto refuse = [&](const QString &reason) {
        m_dialogs.exclamation(
            parentWidget(), QStringLiteral("Chordvane"),
            tr("保存できませんでした\n%1\n%2").arg(reason, QDir::toNativeSeparators(out)));
    };
    const QFileInfo target(out);
    if (target.exists() && target.canonicalFilePath() == score.canonicalFilePath())
        return refuse(tr("元のスコアと同じファイルには保存しません。別の名前を選んでください。"));
    if (target.exists() && !target.isFile())
        return refuse(tr("保存先が通常のファイルではありません。"));

    // A byte-order mark, so that spreadsheets take the text as UTF-8.
    std::string text = "\xEF\xBB\xBF";
    text += tuning::csvLine({tr("小節").toStdString(), tr("拍").toStdString(),
                             tr("パート").toStdString(), tr("記譜音").toStdString(),
                             tr("実音").toStdString(), tr("度数").toStdString(),
                             tr("セント").toStdString()});
    int lines = 0;
    for (const Step &step : m_steps) {
        for (const tuning::SheetLine &line : step.lines) {
            text += tuning::csvLine(tuning::sheetFields(step.step, line));
            ++lines;
        }
    }
    // Unbuffered: a full disk or a file size limit that cuts the write short
    // shows here, not as a truncated file put in place by commit(). The
    // system says why only when the rest is tried again.
    QSaveFile file(out);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (std::string_view rest = text; written && !rest.empty();) {
        const qint64 taken = file.write(rest.data(), static_cast<qint64>(rest.size()));
        written = taken > 0;
        rest.remove_prefix(written ? static_cast<size_t>(taken) : 0);
    }
    if (!written || !file.commit())
        return refuse(tr("ファイルを書き込めません (%1)。").arg(file.errorString()));
    m_dialogs.information(parentWidget(), QStringLiteral("Chordvane"),
                          tr("音程補正表を %n 行書き出しました\n%1", nullptr, lines)
                              .arg(QDir::toNativeSeparators(out)));
}

} // namespace chordvane
