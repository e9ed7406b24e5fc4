#pragma once

#include "harmonyxml.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// New text put between the bytes of a document that stay as they were.
namespace chordvane::annotate {

struct Encoding {
    QByteArray name;
    qsizetype bom = 0; // bytes of byte-order mark, kept as they are
};

// As XML tells it: a byte-order mark, the bytes of "<" in a wide encoding,
// the declaration, or else UTF-8.
Encoding documentEncoding(const QByteArray &bytes);

struct Insertion {
    qsizetype offset; // in the decoded text
    QString text;
};

// The original bytes with the insertions (by offset) between them. Each
// stretch of the original is encoded back and checked against what it was,
// so that nothing a decoder would have changed slips through; none when
// anything would.
std::optional<QByteArray> splice(const QByteArray &bytes, const Encoding &encoding,
                                 const QString &text, const std::vector<Insertion> &insertions);

// How an element put before text[offset] is laid out: on the line and with
// the indentation of what it goes before, inline in text without line
// breaks or under an indentation of more than 64 characters (which every
// line of every symbol would repeat).
Layout layoutAt(const QString &text, qsizetype offset);

} // namespace chordvane::annotate
