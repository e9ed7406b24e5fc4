#pragma once

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

namespace chordvane::score {

// A text chart (chartText) as a PDF document, its lines in a monospaced
// font so that the beats stay in columns, the fonts embedded (Japanese,
// ♯ and ♭ included); pages of A4, or Letter where the locale measures in
// inches. Needs a QGuiApplication.
QByteArray chartPdf(const QString &text, const QString &title);

// The same pages on a printer or another paged device, its layout as set.
void paintChart(QPagedPaintDevice &device, const QString &text);

} // namespace chordvane::score
