#include "clefdrawing.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

namespace chordvane::staff {

namespace {

// Both clefs are drawn as a pen stroke along a centre line, in a design box
// where one staff unit is kUnit, then scaled into staff units.
constexpr qreal kUnit = 26.0;

QPainterPath stroked(const QPainterPath &centreLine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine);
}

QPainterPath toStaffUnits(const QPainterPath &design, qreal designYOfLine, qreal staffLine)
{
    QTransform t;
    t.translate(0, staffLine);
    t.scale(1 / kUnit, 1 / kUnit);
    t.translate(0, -designYOfLine);
    return t.map(design);
}

} // namespace

QPainterPath trebleClefPath()
{
    QPainterPath line;
    line.moveTo(56, 133);
    line.cubicTo(47, 132, 44, 121, 52, 115); // inner curl round the G line
    line.cubicTo(62, 108, 77, 117, 77, 134);
    line.cubicTo(77, 152, 61, 162, 46, 160); // the big loop, clockwise
    line.cubicTo(28, 157, 20, 140, 26, 123);
    line.cubicTo(33, 104, 57, 92, 65, 76); // rising into the stem
    line.cubicTo(74, 58, 74, 28, 64, 12);
    line.cubicTo(56, 0, 44, 12, 44, 30);     // the top curl
    line.cubicTo(44, 62, 60, 120, 62, 172);  // the long stroke down
    line.cubicTo(63, 188, 52, 196, 41, 191); // the tail
    QPainterPath clef = stroked(line, 7.5);
    clef.addEllipse(QPointF(42, 183), 8, 8);
    clef.setFillRule(Qt::WindingFill);
    return toStaffUnits(clef.simplified(), 133, 3);
}

QPainterPath bassClefPath()
{
    QPainterPath line;
    line.moveTo(15, 30);
    line.cubicTo(13, 9, 38, 0, 55, 4);
    line.cubicTo(79, 10, 85, 36, 78, 55);
    line.cubicTo(69, 80, 42, 99, 10, 110);
    QPainterPath clef = stroked(line, 8.5);
    clef.addEllipse(QPointF(22, 31), 10, 10); // the head on the F line
    clef.addEllipse(QPointF(97, 18), 5.5, 5.5);
    clef.addEllipse(QPointF(97, 44), 5.5, 5.5);
    clef.setFillRule(Qt::WindingFill);
    return toStaffUnits(clef.simplified(), 31, 1);
}

void paintClef(QPainter &painter, const QPainterPath &clef, const QRectF &target)
{
    // One staff unit is a tenth of the height, as in the staff area.
    const qreal unit = target.height() / 10;
    const QRectF bounds = clef.boundingRect();
    QTransform t;
    t.translate(target.center().x() - bounds.center().x() * unit, target.top() + 3 * unit);
    t.scale(unit, unit);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(t.map(clef));
    painter.restore();
}

} // namespace chordvane::staff
