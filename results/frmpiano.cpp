#include "frmpiano.h"

#include "notes.h"
#include "resulttext.h"
#include "uiplatform.h"

#include <QLabel>
#include <QPushButton>

namespace chordvane {

namespace {

const QColor kLegend(255, 128, 0);

struct Key {
    int left, width, height;
    bool black;
};
// Indexed by pitch class 1..12; all keys start 480 twips down.
constexpr std::array<Key, 13> kKeys = {{{0, 0, 0, false},
                                        {240, 375, 1215, false},
                                        {480, 255, 855, true},
                                        {600, 375, 1215, false},
                                        {840, 255, 855, true},
                                        {960, 375, 1215, false},
                                        {1320, 375, 1215, false},
                                        {1560, 255, 855, true},
                                        {1680, 375, 1215, false},
                                        {1920, 255, 855, true},
                                        {2040, 375, 1215, false},
                                        {2280, 255, 855, true},
                                        {2400, 375, 1215, false}}};

} // namespace

frmPiano::frmPiano(const ChordEngine &engine, int selected, const QString &line, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setWindowTitle(QStringLiteral("コードの構成"));
    setFixedSize(twips(2985), twips(2790));

    // White keys first, then the black keys over them.
    for (const bool black : {false, true}) {
        for (int k = 1; k <= 12; ++k) {
            const Key &key = kKeys[k];
            if (key.black == black)
                lblKey[k] = boxLabel(this, twipsRect(key.left, 480, key.width, key.height),
                                     black ? Qt::black : Qt::white);
        }
    }

    lblName = new QLabel(this);
    lblName->setGeometry(twipsRect(240, 120, 2535, 255));
    lblName->setAlignment(Qt::AlignCenter);

    lblC = new QLabel(QStringLiteral("C"), this);
    lblC->setGeometry(twipsRect(240, 1440, 375, 255));
    lblC->setAlignment(Qt::AlignCenter);
    lblC->raise(); // over the lower end of the C key

    Label2 = boxLabel(this, twipsRect(960, 1920, 255, 135), kLegend);
    Label1 = new QLabel(QStringLiteral("ベース音"), this);
    Label1->setGeometry(twipsRect(1320, 1920, 855, 255));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(twipsRect(960, 2280, 1095, 375));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    if (selected < 0 || selected >= kResultSlots)
        return;
    const int chord = engine.ResultChords[selected];
    if (chord < 0 || chord >= kChordSlots)
        return;
    const int root = ResultRootNote(engine, selected);
    for (const int v : engine.ChordIntervals[chord]) {
        if (v == NO_NOTE)
            break;
        // A pitch class met a second time is no longer white: dark yellow.
        const int key = FoldIntoOctave(root + v - 1, 1);
        setKeyColour(key, keyColour(key) == Qt::white ? kLitWhiteKey : kLitBlackKey);
    }
    setKeyColour(FoldIntoOctave(engine.BassNote, 1), kBassKey);
    lblName->setText(line);
}

QColor frmPiano::keyColour(int key) const
{
    if (key < 1 || key > 12)
        return {};
    return lblKey[key]->palette().color(QPalette::Window);
}

void frmPiano::setKeyColour(int key, const QColor &colour)
{
    if (key < 1 || key > 12)
        return;
    setBackground(lblKey[key], colour);
}

} // namespace chordvane
