#include "tuningpanel.h"

#include "guide.h"
#include "tuningsheet.h"
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

namespace {

QString ratioText(JustSeventh seventh)
{
    const std::string_view ratio = seventhRatio(seventh);
    return QString::fromLatin1(ratio.data(), static_cast<qsizetype>(ratio.size()));
}

} // namespace

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
    lblSeventh = new QLabel(content);
    lblSeventh->setFont(gothicFont(10.5));
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
    layout->addWidget(lblSeventh);
    layout->addWidget(tblParts);
    setWidget(content);
    retranslate();
    hide();
    window.addDockWidget(Qt::RightDockWidgetArea, this);
}

void TuningPanel::showMoment(const ChordTable &table, tuning::SheetStep moment,
                             std::vector<tuning::SheetPart> parts)
{
    m_table = &table;
    m_moment = std::move(moment);
    m_parts = std::move(parts);
    showShown();
}

void TuningPanel::clearMoment()
{
    m_table = nullptr;
    m_moment = {};
    m_parts.clear();
    showShown();
}

void TuningPanel::setSeventh(JustSeventh seventh)
{
    m_seventh = seventh;
    retranslate();
}

tuning::GuideWords TuningPanel::words(std::string_view none) const
{
    return {std::string(none), tr("ユニゾン").toStdString(), tr("コードなし").toStdString(),
            tr("基準").toStdString()};
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
    showShown();
}

void TuningPanel::showShown()
{
    tuning::SheetBlock block;
    if (m_table) {
        block = tuning::sheetLines(*m_table, m_moment, m_seventh);
        // Measure numbers are free text: a few characters say where.
        QString measure = QString::fromStdString(m_moment.measure);
        if (measure.size() > 12)
            measure = measure.left(11) + QChar(0x2026);
        lblStep->setText(
            tr("小節 %1　拍 %2　%3")
                .arg(measure, QString::fromStdString(m_moment.beat),
                     m_moment.chord ? QString::fromStdString(m_moment.symbol) : tr("コードなし")));
        lblSeventh->setText(tr("短7度の純正 %1").arg(ratioText(m_seventh)));
    } else {
        lblStep->clear();
        lblSeventh->clear();
    }
    const tuning::GuideWords said = words(tuning::kNoToneMark);
    tblParts->setRowCount(static_cast<int>(block.lines.size()));
    for (size_t i = 0; i < block.lines.size(); ++i) {
        const tuning::SheetLine &line = block.lines[i];
        const tuning::SheetPart &part = m_parts[line.part];
        const auto [degree, cents] =
            tuning::adviceCells(line.tone, block.harmony, part.fixed, said, true);
        const std::string cells[] = {part.name, line.written, line.concert, degree, cents};
        for (int column = 0; column < 5; ++column) {
            auto *item = new QTableWidgetItem(QString::fromStdString(cells[column]));
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            tblParts->setItem(static_cast<int>(i), column, item);
        }
    }
}

void TuningPanel::saveSheet(const QString &scorePath, const ChordTable &table,
                            const score::Score &opened, const harmony::Piece &piece,
                            const std::vector<harmony::Step> &steps)
{
    if (steps.empty()) {
        m_dialogs.exclamation(parentWidget(), tr("確認"),
                              tr("コードリストが読み込まれていないため、書き出せません"));
        return;
    }
    const QFileInfo original(scorePath);
    const QString proposed = original.dir().filePath(original.completeBaseName() +
                                                     tr(" (音程補正)") + QStringLiteral(".csv"));
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
    if (target.exists() && target.canonicalFilePath() == original.canonicalFilePath())
        return refuse(tr("元のスコアと同じファイルには保存しません。別の名前を選んでください。"));
    if (target.exists() && !target.isFile())
        return refuse(tr("保存先が通常のファイルではありません。"));

    // Unbuffered: a full disk or a file size limit that cuts the write short
    // shows here, not as a truncated file put in place by commit(). The
    // system says why only when the rest is tried again.
    QSaveFile file(out);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const auto write = [&](std::string_view rest) {
        while (written && !rest.empty()) {
            const qint64 taken = file.write(rest.data(), static_cast<qint64>(rest.size()));
            written = taken > 0;
            rest.remove_prefix(written ? static_cast<size_t>(taken) : 0);
        }
    };
    // A byte-order mark, so that spreadsheets take the text as UTF-8.
    std::string text = "\xEF\xBB\xBF";
    text += tuning::csvLine({tr("小節").toStdString(), tr("拍").toStdString(),
                             tr("コード").toStdString(), tr("パート").toStdString(),
                             tr("記譜音").toStdString(), tr("実音").toStdString(),
                             tr("度数").toStdString(),
                             tr("セント (短7度 %1)").arg(ratioText(m_seventh)).toStdString()});
    const tuning::GuideWords said = words("-"); // as --tuning writes it
    int lines = 0;
    // Written as it is made, a block at a time: the whole sheet of a large
    // score is never held.
    score::forEachSheetStep(
        opened, piece, steps,
        [&](const tuning::SheetStep &step, const std::vector<tuning::SheetPart> &parts) {
            const tuning::SheetBlock block = tuning::sheetLines(table, step, m_seventh);
            for (const tuning::SheetLine &line : block.lines) {
                text += tuning::sheetCsvLine(
                    tuning::sheetFields(step, parts[line.part], line, block.harmony, said));
                ++lines;
            }
            if (text.size() > 1 << 16) {
                write(text);
                text.clear();
            }
        });
    write(text);
    if (!written || !file.commit())
        return refuse(tr("ファイルを書き込めません (%1)。").arg(file.errorString()));
    m_dialogs.information(parentWidget(), QStringLiteral("Chordvane"),
                          tr("音程補正表を %n 行書き出しました\n%1", nullptr, lines)
                              .arg(QDir::toNativeSeparators(out)));
}

} // namespace chordvane
