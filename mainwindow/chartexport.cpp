// The chart window's chart as a music stand shows it: copied, saved as
// text or PDF, printed.
#include "chartwindow.h"

#include "chartpdf.h"
#include "uiplatform.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>

namespace chordvane {

void ChartWindow::retranslate()
{
    setWindowTitle(tr("コード進行"));
    m_instrumentLabel->setText(tr("楽器:"));
    cmdCopy->setText(tr("コピー"));
    cmdSaveText->setText(tr("テキストで保存..."));
    cmdSavePdf->setText(tr("PDF で保存..."));
    cmdPrint->setText(tr("印刷..."));
}

score::ChartWords ChartWindow::chartWords() const
{
    return {tr("調"), tr("拍子"), tr("長調"), tr("短調"), tr("%1 の楽器用")};
}

void ChartWindow::setChartText(const QString &text, const QString &title, const QString &path)
{
    m_text = text;
    m_title = title;
    m_path = path;
}

void ChartWindow::copyChart()
{
    QGuiApplication::clipboard()->setText(m_text);
}

bool ChartWindow::writeFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered and whole or not at all, as every file written.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        m_dialogs.exclamation(this, QStringLiteral("Chordvane"),
                              tr("保存できませんでした\n%1\n%2")
                                  .arg(file.errorString(), QDir::toNativeSeparators(path)));
    }
    return written;
}

void ChartWindow::saveText()
{
    const QString path =
        m_dialogs.saveFile(this, tr("コード進行をテキストで保存"), m_path + QStringLiteral(".txt"),
                           tr("テキスト (*.txt)"));
    if (!path.isEmpty())
        writeFile(path, m_text.toUtf8());
}

void ChartWindow::savePdf()
{
    const QString path = m_dialogs.saveFile(this, tr("コード進行を PDF で保存"),
                                            m_path + QStringLiteral(".pdf"), tr("PDF (*.pdf)"));
    if (!path.isEmpty())
        writeFile(path, score::chartPdf(m_text, m_title));
}

void ChartWindow::printChart()
{
    QPrinter printer;
    printer.setDocName(m_title);
    QPrintDialog dialog(&printer, this);
    m_dialogs.runModal(&dialog);
    if (dialog.result() == QDialog::Accepted)
        score::paintChart(printer, m_text);
}

} // namespace chordvane
