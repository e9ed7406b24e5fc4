#include "keyboarddisplay.h"

#include "uiplatform.h"

#include <QLabel>

namespace chordvane {

namespace {

struct Key {
    int left;
    bool black;
};
constexpr std::array<Key, 13> kKeys = {{{0, false},
                                        {840, false},
                                        {1080, true},
                                        {1200, false},
                                        {1440, true},
                                        {1560, false},
                                        {1920, false},
                                        {2160, true},
                                        {2280, false},
                                        {2520, true},
                                        {2640, false},
                                        {2880, true},
                                        {3000, false}}};
constexpr int kTop = 8160;

} // namespace

KeyboardDisplay::KeyboardDisplay(QWidget *parent)
{
    for (const bool black : {false, true}) { // black keys over the white ones
        for (int k = 1; k <= 12; ++k) {
            if (kKeys[k].black != black)
                continue;
            lblKey[k] = boxLabel(parent,
                                 black ? twipsRect(kKeys[k].left, kTop, 255, 615)
                                       : twipsRect(kKeys[k].left, kTop, 375, 975),
                                 black ? Qt::black : Qt::white);
        }
    }
    lblC = new QLabel(QStringLiteral("C"), parent);
    lblC->setGeometry(twipsRect(840, 8880, 375, 255));
    lblC->setAlignment(Qt::AlignCenter);
    lblC->raise();
    reset();
}

void KeyboardDisplay::reset()
{
    for (int k = 1; k <= 12; ++k)
        setBackground(lblKey[k], kKeys[k].black ? Qt::black : Qt::white);
}

void KeyboardDisplay::paint(const std::array<Note, 13> &inputNotes)
{
    reset();
    // The bass row comes last, so its orange wins.
    for (int row = 0; row <= 11; ++row) {
        const int k = FoldIntoOctave(inputNotes[row], 1);
        if (k == NO_NOTE)
            continue;
        const bool black = kKeys[k].black;
        setBackground(lblKey[k], row == 11 ? kBassKey : black ? kLitBlackKey : kLitWhiteKey);
    }
}

QColor KeyboardDisplay::keyColour(int key) const
{
    return lblKey[key]->palette().color(QPalette::Window);
}

} // namespace chordvane
