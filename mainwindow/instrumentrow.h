#pragma once

#include "guide.h"
#include "instruments.h"

#include <QObject>
#include <QString>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

namespace chordvane {

class ctlNoteInput;

// A note as a part writes it, for a row's staff.
struct WrittenNote {
    int value = 1;      // note number (C = 1 is middle C on the treble clef)
    int accidental = 0; // the part's spelling of it: -1 flat, 0 none, +1 sharp
    int scoreType = 1;  // 1 treble clef, 2 bass clef
    // How the part spells the note at concert pitch, on the line of fifths
    // (0 = C, -2 = B♭, 12 = B♯); none where the part gives no spelling.
    std::optional<int> concertSpelling{};
    bool operator==(const WrittenNote &) const = default;
};

// A score's part as a row names it and sounds it.
struct RowPart {
    QString name;         // whole, as the tool tip shows it
    QString abbreviation; // shown when the name does not fit; may be empty
    int tune = 0;         // the transposition list's offset for the part
    sound::Voice voice;
    bool fixedPitch = false; // a keyboard, mallet, harp, guitar ... (tuning::fixedPitch)
    bool operator==(const RowPart &) const = default;
};

// What a row shows, whole: enough to put it back as it was.
struct RowState {
    WrittenNote note;   // the staff's note and clef, and the spelling its label names
    int instrument = 0; // entry of the instrument list, a part's entry counted
    int tune = 0;       // entry of the transposition list
    bool inUse = false;
    bool named = false; // the label names the concert note
    RowPart part;
    sound::Voice voice;
    bool operator==(const RowState &) const = default;
};

// One of the main window's twelve rows: the staff the note is written on,
// the instrument and transposition lists, the tick (ordinary rows only) and
// the label of the concert note. The user fills a row through its controls,
// a score through showNote/showPart/showRest; either way the row raises
// changed() and the window brings the engine and the keyboard up to date.
class InstrumentRow : public QObject {
    Q_OBJECT

public:
    // What changed: the note or the transposition, or only the tick.
    enum class Change { Note, Tick };

    // Builds the controls of row `row` (11 is the bass row) on parent.
    InstrumentRow(int row, QWidget *parent);

    // The row as at start-up: the lists filled and on their first entries,
    // unticked, the label empty. Raises nothing.
    void reset();

    // The list's own entries in the language the translators speak now.
    void retranslate();

    // Writes a note on the staff, spelled as given where the staff can; its
    // label names the note by the concert spelling given, until the row's
    // note or transposition is changed by hand.
    void showNote(const WrittenNote &note);
    // The row rests: unticked, its label empty, its staff on this clef.
    void showRest(int scoreType);
    // Names the row after a part, with the part's transposition and sound;
    // choosing that entry again restores them. A part without a name puts
    // the row on the placeholder with that transposition and sound. Raises
    // nothing by itself.
    void showPart(const RowPart &part);
    // Takes the part's name away; the transposition and the note stay.
    void clearPart();

    // Ticks or unticks an ordinary row and greys its label; raises nothing.
    void setInUse(bool inUse);
    // The label names the concert note (showing=true) or is empty.
    void showConcertName(bool showing);
    // The concert note's name: as the score spells it, else the pitch
    // class's names ("G♯/A♭"; B is "B(H)" in Japanese, "B" in English).
    QString concertName() const;

    RowState state() const;
    // Puts the row back as the state says; raises nothing.
    void restore(const RowState &state);

    bool inUse() const;
    // The staff's Value plus the transposition's offset.
    int concertNote() const;
    // The MIDI key the row sounds on its voice.
    int soundingKey() const;
    int program() const { return m_voice.program; }
    // The part that names the row, whole; empty when none does.
    QString partName() const { return m_part.name; }
    // The row as a player of the tuning guide: named after its part, else its
    // instrument, else its place ("段 3", "ベース"); its written note, the
    // key it sounds, and whether its part or instrument is of fixed pitch.
    tuning::Player tuningPlayer() const;

    // The controls, for the window's keyboard handling and for tests that
    // drive them with real events.
    chordvane::ctlNoteInput *ctlNoteInput() const { return m_staff; }
    QComboBox *cboInstName() const { return m_instrument; }
    QComboBox *cboTune() const { return m_tune; }
    QCheckBox *chkUse() const { return m_use; } // none on the bass row
    QLabel *lblResult() const { return m_result; }

signals:
    void changed(InstrumentRow::Change change);

private:
    void instrumentChosen();
    void editedByHand();
    // The list's entries in the language the translators speak now.
    void nameInstruments();
    bool selectTune(int offset);
    QString fittedPartName() const;
    // Entry `instrument` of sound::kInstruments as the list shows it.
    static QString instrumentName(size_t instrument);

    int m_row;
    chordvane::ctlNoteInput *m_staff;
    QComboBox *m_instrument;
    QComboBox *m_tune;
    QCheckBox *m_use = nullptr;
    QLabel *m_result;
    RowPart m_part;                // name empty when no part names the row
    sound::Voice m_voice;          // of the instrument or part last chosen
    std::optional<int> m_spelling; // the score's concert spelling of the note shown
};

} // namespace chordvane
