#include "frmpiano.h"

#include "keyboardpicture.h"
#include "notes.h"
#include "resulttext.h"
#include "uiplatform.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace chordvane {

namespace {

const QColor kLegend(255, 128, 0);
constexpr KeyboardLayout kKeyboard{240, 480, 1215, 855};

} // namespace

frmPiano::frmPiano(const ChordEngine &engine, int selected, const QString &line, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setFixedSize(twips(2985), twips(2790));

    keyboard = new KeyboardPicture(kKeyboard, this);

    lblName = new QLabel(this);
    lblName->setGeometry(twipsRect(240, 120, 2535, 255));
    lblName->setAlignment(Qt::AlignCenter);

    Label2 = boxLabel(this, twipsRect(960, 1920, 255, 135), kLegend);
    Label1 = new QLabel(this);
    Label1->setGeometry(twipsRect(1320, 1920, 855, 255));

    cmdOK = new QPushButton(this);
    cmdOK->setGeometry(twipsRect(960, 2280, 1095, 375));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();

    if (selected < 0 || selected >= kResultSlots)
        return;
    const int chord = engine.ResultChords[selected];
    if (chord < 0 || chord >= kChordSlots)
        return;
    lightChord(*keyboard, engine.ChordIntervals[chord], resultRootNote(engine, selected),
               engine.BassNote);
    lblName->setText(line);
}

void lightChord(KeyboardPicture &keyboard, const ChordRow &row, int root, int bass)
{
    keyboard.reset();
    // A white key met for the first time turns yellow; a black key, or a
    // pitch class the chord reaches again, dark yellow.
    std::array<bool, 13> met{};
    for (const int v : row) {
        if (v == NO_NOTE)
            break;
        const int key = FoldIntoOctave(root + v - 1, 1);
        if (key < 1 || key > 12)
            continue;
        const bool firstOnWhite = !met[key] && !KeyboardPicture::isBlackKey(key);
        keyboard.setKeyColour(key, firstOnWhite ? kLitWhiteKey : kLitBlackKey);
        met[key] = true;
    }
    keyboard.setKeyColour(FoldIntoOctave(bass, 1), kBassKey);
}

void frmPiano::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmPiano::retranslate()
{
    setWindowTitle(tr("コードの構成"));
    Label1->setText(tr("ベース音"));
    cmdOK->setText(tr("OK"));
}

QColor frmPiano::keyColour(int key) const
{
    return keyboard->keyColour(key);
}

} // namespace chordvane
