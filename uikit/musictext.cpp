#include "musictext.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>

namespace chordvane {

namespace {

bool isSign(QChar c)
{
    return c == QChar(0x266D) || c == QChar(0x266E) || c == QChar(0x266F); // ♭ ♮ ♯
}

// One line of text, its signs in a Latin font that has them.
void layOut(QTextLayout &layout, const QString &text, const QFont &font)
{
    QFont signs = font;
    signs.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("FreeSans")});
    QTextCharFormat format;
    format.setFont(signs);
    QList<QTextLayout::FormatRange> ranges;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isSign(text[i]))
            ranges.append({static_cast<int>(i), 1, format});
    }
    layout.setText(text);
    layout.setFont(font);
    layout.setFormats(ranges);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// The label's text, as drawMusicText draws it, in the label's colour and
// alignment (left, right or centred; top or centred).
void drawLabelText(QLabel &label)
{
    QPainter painter(&label);
    painter.setPen(label.palette().color(label.foregroundRole()));
    const Qt::Alignment alignment = label.alignment();
    drawMusicText(painter, label.contentsRect(),
                  (alignment & Qt::AlignHorizontal_Mask) |
                      ((alignment & Qt::AlignTop) ? Qt::AlignTop : Qt::AlignVCenter),
                  label.text(), label.font());
}

// Draws a frameless label's text in the label's place.
class MusicLabelPainter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        drawLabelText(*static_cast<QLabel *>(watched));
        return true;
    }
};

} // namespace

int musicTextWidth(const QString &text, const QFont &font)
{
    QTextLayout layout;
    layOut(layout, text, font);
    return qCeil(layout.lineAt(0).naturalTextWidth());
}

void drawMusicText(QPainter &painter, const QRect &rect, int alignment, const QString &text,
                   const QFont &font)
{
    QTextLayout layout;
    layOut(layout, text, font);
    const QTextLine line = layout.lineAt(0);
    const qreal width = line.naturalTextWidth();
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    const qreal y =
        alignment & Qt::AlignTop ? rect.top() : rect.top() + (rect.height() - line.height()) / 2;
    layout.draw(&painter, QPointF(x, y));
}

void MusicLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // the frame alone
    drawLabelText(*this);
}

void setMusicLabel(QLabel *label)
{
    label->installEventFilter(new MusicLabelPainter(label));
}

} // namespace chordvane
