#pragma once

#include <QByteArray>
#include <QString>

namespace chordvane::score {

// A text chart (chartText) as a PDF document, its lines in a monospaced
// font so that the beats stay in columns, the fonts embedded (Japanese,
// ♯ and ♭ included); pages of A4, or Letter where the locale measures in
// inches. Needs a QGuiApplication.
QByteArray chartPdf(const QString &text, const QString &title);

} // namespace chordvane::score
