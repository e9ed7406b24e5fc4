#pragma once

#include <QColor>
#include <QWidget>

#include <array>

namespace chordvane {

// Where a keyboard picture stands in its window and how long its keys are,
// in twips. Key widths and the keys' places along the octave are the same in
// every window.
struct KeyboardLayout {
    int left, top;
    int whiteHeight, blackHeight;
};

// How the keyboards light a key: a tone on a white key, a tone on a black
// (or already lit) key, and the bass.
inline const QColor kLitWhiteKey(255, 255, 0);
inline const QColor kLitBlackKey(192, 192, 0);
inline const QColor kBassKey(238, 128, 0);

// One octave of piano keys, by pitch class 1 = C ... 12 = B. Each key is
// painted in the colour it holds, black keys over the white ones, with a "C"
// at the foot of the C key.
class KeyboardPicture : public QWidget {
public:
    KeyboardPicture(const KeyboardLayout &layout, QWidget *parent);

    static bool isBlackKey(int pitchClass);
    // White or black: the key's colour when nothing lights it.
    static QColor naturalColour(int pitchClass);

    // An invalid colour outside 1..12.
    QColor keyColour(int pitchClass) const;
    // Ignored outside 1..12.
    void setKeyColour(int pitchClass, const QColor &colour);
    // Every key back to its natural colour.
    void reset();

    // Where a key is drawn, in the picture's own pixels.
    QRect keyRect(int pitchClass) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect fromTwips(int left, int top, int width, int height) const;

    KeyboardLayout m_layout;
    std::array<QColor, 13> m_colours;
};

} // namespace chordvane
