#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace chordvane::staff {

// Outlines of the two clefs in staff units (y = 0 top line, 4 bottom line),
// horizontally from x = 0: the treble clef curls round the G line (y = 3),
// the bass clef's head and dots mark the F line (y = 1).
QPainterPath trebleClefPath();
QPainterPath bassClefPath();

// Fills a clef outline into target, whose height spans staff y -3 to 7 like
// the staff area beside it, centred horizontally.
void paintClef(QPainter &painter, const QPainterPath &clef, const QRectF &target);

} // namespace chordvane::staff
