#pragma once

#include "annotate.h"

#include <QString>

namespace chordvane::annotate {

// How the text around an insertion is laid out: the element's children go
// one unit deeper than indent, each on a line of its own; an empty newline
// puts the whole element on one line.
struct Layout {
    QString newline;
    QString indent;
    QString unit;
};

// The <harmony> element of a symbol. offset: the <offset> content in
// divisions, empty for none. Characters beyond ASCII are written as
// character references unless unicode (the document's encoding takes them).
QString harmonyElement(const ChordSymbol &symbol, const QString &offset, const Layout &layout,
                       bool unicode);

} // namespace chordvane::annotate
