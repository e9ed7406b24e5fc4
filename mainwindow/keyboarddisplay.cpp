#include "keyboarddisplay.h"

#include "uiplatform.h"

#include <QLabel>

namespace chordvane {

namespace {

const QColor kWhiteLit(255, 255, 0);
const QColor kBlackLit(192, 192, 0);
const QColor kBassLit(238, 128, 0);

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
            auto *key = new QLabel(parent);
            key->setGeometry(black ? twipsRect(kKeys[k].left, kTop, 255, 615)
                                   : twipsRect(kKeys[k].left, kTop, 375, 975));
            key->setFrameShape(QFrame::Box);
            key->setAutoFillBackground(true);
            lblKey[k] = key;
        }
    }
    lblC = new QLabel(QStringLiteral("C"), parent);
    lblC->setGeometry(twipsRect(840, 8880, 375, 255));
    lblC->setAlignment(Qt::AlignCenter);
    lblC->raise();
    reset();
}

void KeyboardDisplay::setBackground(int key, const QColor &colour)
{
    QPalette palette = lblKey[key]->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black); // the border
    lblKey[key]->setPalette(palette);
}

void KeyboardDisplay::reset()
{
    for (int k = 1; k <= 12; ++k)
        setBackground(k, kKeys[k].black ? Qt::black : Qt::white);
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
        setBackground(k, row == 11 ? kBassLit : black ? kBlackLit : kWhiteLit);
    }
}

QColor KeyboardDisplay::keyColour(int key) const
{
    return lblKey[key]->palette().color(QPalette::Window);
}

} // namespace chordvane
