#include "appicon.h"

#include <QPainter>
#include <QPainterPath>

namespace chordvane {

QImage iconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0); // designed on a 64 x 64 grid

    QPainterPath card;
    card.addRoundedRect(QRectF(2, 2, 60, 60), 11, 11);
    p.fillPath(card, QColor(37, 64, 112));

    // Staff lines.
    p.setPen(QPen(QColor(235, 240, 250), 1.6));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(9, 10 + 5.5 * i), QPointF(55, 10 + 5.5 * i));

    // A triad stacked on lines: yellow, yellow, orange bass.
    const QPointF heads[] = {{32, 15.5}, {32, 26.5}, {32, 37.5}};
    const QColor colours[] = {QColor(255, 235, 60), QColor(255, 235, 60), QColor(238, 128, 0)};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(heads[i]);
        p.rotate(-20);
        p.setPen(QPen(QColor(20, 20, 30), 1.2));
        p.setBrush(colours[i]);
        p.drawEllipse(QPointF(0, 0), 5.2, 3.8);
        p.restore();
    }

    // One octave of keys along the bottom.
    const QRectF keys(8, 44, 48, 13);
    p.setPen(QPen(QColor(20, 20, 30), 1));
    p.setBrush(Qt::white);
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(keys.left() + i * keys.width() / 7, keys.top(), keys.width() / 7,
                          keys.height()));
    p.setBrush(QColor(20, 20, 30));
    for (const int i : {1, 2, 4, 5, 6})
        p.drawRect(QRectF(keys.left() + i * keys.width() / 7 - 2.2, keys.top(), 4.4, 7.5));
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

} // namespace chordvane
