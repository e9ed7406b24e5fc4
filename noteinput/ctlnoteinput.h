#pragma once

// Names from Japanese music terms: Toon (ト音記号, "G-note sign") is the
// treble clef and Heon (ヘ音記号, "F-note sign") the bass clef; picToon and
// picHeon are their pictures.

#include <QColor>
#include <QImage>
#include <QTransform>
#include <QWidget>

namespace chordvane {

// Colour of the hover preview note.
inline const QColor GHOST_COLOUR = QColor(176, 176, 176);

namespace detail {
class StaffArea;
class ClefPicture;
} // namespace detail

// A one-note staff with a clef. The user enters a written note with the left
// button (click or drag), cycles its accidental with the right button and
// switches the clef by clicking it. Value is a note number on the C = 1 scale.
class ctlNoteInput : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ProgId", "Chordvane.ctlNoteInput")
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int ScoreType READ ScoreType WRITE setScoreType)

public:
    struct State {
        int ScoreType = 1;         // 1 treble clef, 2 bass clef
        qint16 Accidental = 0;     // -1 flat, 0 none, +1 sharp
        qint16 NaturalNote = 1;    // the note read from the staff, without accidental
        float NotePosition = 5.3f; // staff y of the entered note
        bool GhostShown = false;   // a hover note is drawn and not yet cleared
    };

    explicit ctlNoteInput(QWidget *parent = nullptr);

    // Builds a control and hands it to setup (which stores it and connects
    // Changed) before it creates itself, so that the host also sees the two
    // events raised while the control creates itself.
    template <typename Setup> static ctlNoteInput *create(QWidget *parent, Setup setup)
    {
        auto *control = new ctlNoteInput(parent, Deferred{});
        setup(control);
        control->initialize();
        return control;
    }

    // Places the control and lays it out at once, as a resize does, also
    // while the control is still hidden (Qt would otherwise wait for show).
    void placeAt(const QRect &geometry);

    int Value() const;
    void setValue(int mValue);
    // Sets Value spelled with this accidental (-1 flat, 0 none, +1 sharp),
    // as a part writes it, where that puts the head on a natural note (a
    // flat A♭, a sharp E♯); otherwise as setValue.
    void setSpelledValue(int value, int accidental);
    int ScoreType() const;
    void setScoreType(int SType);
    // Wipes the hover note, if one is shown.
    void GhostClear();

    const State &state() const { return m_state; }
    // What the staff area shows, at device resolution.
    const QImage &staffImage() const;
    // The staff area, the treble and the bass clef picture.
    QWidget *picMain() const;
    QWidget *picToon() const;
    QWidget *picHeon() const;

signals:
    // Raised synchronously, before the staff is redrawn, with the new Value.
    void Changed(int value);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Deferred {};
    ctlNoteInput(QWidget *parent, Deferred);
    void initialize();
    void retranslate();

    void ResetNote();
    void ShowClefPicture();
    void DrawStaff();
    void DrawNote(float y, const QColor &colour);
    void layoutPictures();
    void staffMouseMove(Qt::MouseButtons buttons, float y);
    void staffMouseUp(Qt::MouseButton button, float y);
    void enterNote(float y);
    float staffY(const QPointF &position) const;

    State m_state;
    detail::StaffArea *m_picMain;
    detail::ClefPicture *m_picToon;
    detail::ClefPicture *m_picHeon;
    QTransform m_toPixels; // staff units -> staff area pixels
};

} // namespace chordvane
