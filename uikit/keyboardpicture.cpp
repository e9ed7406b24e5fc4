#include "keyboardpicture.h"

#include "uiplatform.h"

#include <QPainter>
#include <QStyle>

namespace chordvane {

namespace {

struct Key {
    int left; // twips from the picture's left edge
    bool black;
};
// Indexed by pitch class; index 0 is unused. White keys stand 360 twips apart
// and are 375 wide, so neighbouring borders overlap and read as one line.
constexpr std::array<Key, 13> kKeys = {{{0, false},
                                        {0, false},
                                        {240, true},
                                        {360, false},
                                        {600, true},
                                        {720, false},
                                        {1080, false},
                                        {1320, true},
                                        {1440, false},
                                        {1680, true},
                                        {1800, false},
                                        {2040, true},
                                        {2160, false}}};
constexpr int kWhiteWidth = 375;
constexpr int kBlackWidth = 255;
constexpr int kWidth = 2160 + kWhiteWidth;
constexpr int kCaptionHeight = 255;

bool isKey(int pitchClass)
{
    return pitchClass >= 1 && pitchClass <= 12;
}

} // namespace

KeyboardPicture::KeyboardPicture(const KeyboardLayout &layout, QWidget *parent)
    : QWidget(parent)
    , m_layout(layout)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the white keys cover the whole picture
    setGeometry(twipsRect(layout.left, layout.top, kWidth, layout.whiteHeight));
    reset();
}

bool KeyboardPicture::isBlackKey(int pitchClass)
{
    return isKey(pitchClass) && kKeys[pitchClass].black;
}

QColor KeyboardPicture::naturalColour(int pitchClass)
{
    return isBlackKey(pitchClass) ? Qt::black : Qt::white;
}

QColor KeyboardPicture::keyColour(int pitchClass) const
{
    return isKey(pitchClass) ? m_colours[pitchClass] : QColor();
}

void KeyboardPicture::setKeyColour(int pitchClass, const QColor &colour)
{
    if (!isKey(pitchClass) || m_colours[pitchClass] == colour)
        return;
    m_colours[pitchClass] = colour;
    update(keyRect(pitchClass));
}

void KeyboardPicture::reset()
{
    for (int k = 1; k <= 12; ++k)
        setKeyColour(k, naturalColour(k));
}

QRect KeyboardPicture::fromTwips(int left, int top, int width, int height) const
{
    // Rounded where the window places it, so that a key lands on the same
    // pixels as anything else the window lays out in twips.
    return twipsRect(m_layout.left + left, m_layout.top + top, width, height)
        .translated(-twips(m_layout.left), -twips(m_layout.top));
}

QRect KeyboardPicture::keyRect(int pitchClass) const
{
    if (!isKey(pitchClass))
        return {};
    const Key &key = kKeys[pitchClass];
    return key.black ? fromTwips(key.left, 0, kBlackWidth, m_layout.blackHeight)
                     : fromTwips(key.left, 0, kWhiteWidth, m_layout.whiteHeight);
}

void KeyboardPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const bool black : {false, true}) {
        for (int k = 1; k <= 12; ++k) {
            if (kKeys[k].black != black)
                continue;
            const QRect r = keyRect(k);
            painter.fillRect(r, Qt::black); // the border
            painter.fillRect(r.adjusted(1, 1, -1, -1), m_colours[k]);
        }
    }
    const QRect caption =
        fromTwips(0, m_layout.whiteHeight - kCaptionHeight, kWhiteWidth, kCaptionHeight);
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(),
                          QStringLiteral("C"), QPalette::WindowText);
}

} // namespace chordvane
