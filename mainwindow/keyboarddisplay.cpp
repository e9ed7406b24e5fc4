#include "keyboarddisplay.h"

#include "keyboardpicture.h"

namespace chordvane {

namespace {

constexpr KeyboardLayout kKeyboard{840, 8160, 975, 615};

} // namespace

KeyboardDisplay::KeyboardDisplay(QWidget *parent)
    : m_picture(new KeyboardPicture(kKeyboard, parent))
{}

void KeyboardDisplay::reset()
{
    m_picture->reset();
}

void KeyboardDisplay::paint(const std::array<Note, 13> &inputNotes)
{
    reset();
    // The bass row comes last, so its orange wins.
    for (int row = 0; row <= 11; ++row) {
        const int k = FoldIntoOctave(inputNotes[row], 1);
        if (k == NO_NOTE)
            continue;
        const QColor lit = row == 11                        ? kBassKey
                           : KeyboardPicture::isBlackKey(k) ? kLitBlackKey
                                                            : kLitWhiteKey;
        m_picture->setKeyColour(k, lit);
    }
}

QColor KeyboardDisplay::keyColour(int key) const
{
    return m_picture->keyColour(key);
}

} // namespace chordvane
