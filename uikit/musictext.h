#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

class QPainter;

namespace chordvane {

// The Japanese fonts give ♯ ♭ ♮ the width of a kanji, with room on either
// side, so that "A♭add9" reads "A ♭ add9". Text that names notes and chords
// is set with the signs in a Latin font of the same size and weight.

// The width text takes in font, its signs set so.
int musicTextWidth(const QString &text, const QFont &font);

// Draws text in font, its signs set so, within rect aligned as
// Qt::AlignLeft, AlignRight or AlignHCenter with AlignTop or AlignVCenter;
// in the painter's pen.
void drawMusicText(QPainter &painter, const QRect &rect, int alignment, const QString &text,
                   const QFont &font);

// A label whose text is drawn so, inside its frame (a row's note name).
class MusicLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// From now on the text of a label without a frame, made elsewhere, is drawn
// so (a status bar's chord).
void setMusicLabel(QLabel *label);

} // namespace chordvane
