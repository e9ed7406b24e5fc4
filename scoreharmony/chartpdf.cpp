#include "chartpdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace chordvane::score {

QByteArray chartPdf(const QString &text, const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Chordvane"));
        pdf.setResolution(300);
        const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
        pdf.setPageLayout(QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4),
                                      QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
        paintChart(pdf, text);
    }
    return bytes;
}

void paintChart(QPagedPaintDevice &device, const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    QPainter painter(&device);
    const QRect page = painter.viewport();
    // As large as the widest line allows, never over 11 points.
    qsizetype widest = 1;
    for (const QString &line : lines)
        widest = std::max<qsizetype>(widest, line.toUcs4().size());
    mono.setPointSizeF(11);
    painter.setFont(mono);
    const qreal fit =
        page.width() / (QFontMetricsF(mono, &device).horizontalAdvance(u'M') * qreal(widest));
    if (fit < 1)
        mono.setPointSizeF(std::max(11 * fit, 4.0));
    QFont heading = mono;
    heading.setPointSizeF(mono.pointSizeF() * 1.4);
    heading.setBold(true);
    qreal y = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QFont &font = i == 0 ? heading : mono;
        painter.setFont(font);
        const QFontMetricsF metrics(font, &device);
        if (y + metrics.height() > page.height()) {
            device.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), lines[i]);
        y += metrics.height() * (i == 0 ? 1.6 : 1.3);
    }
}

} // namespace chordvane::score
