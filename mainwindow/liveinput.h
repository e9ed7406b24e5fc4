#pragma once

#include "chordlist.h"
#include "heldkeys.h"
#include "midiinput.h"

#include <QObject>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSettings;

namespace chordvane {

class frmMain;
class UserDialogs;

// 編集 > MIDI入力: the keys held on a MIDI keyboard fill the rows, the
// lowest into the bass row, the others upward into rows 0..10, in C at
// concert pitch, each on the clef of its register; the status bar names
// the rows' chord as they change. The port chosen is kept in settings and
// opened again at the next start. Owned by the window.
class LiveInput : public QObject {
    Q_OBJECT

public:
    LiveInput(frmMain &window, UserDialogs &dialogs, QSettings *settings);
    ~LiveInput() override;

    bool isOn() const { return m_input.isOpen(); }
    // "MIDI入力": "なし" and the ports offered when the menu was last opened.
    QMenu *mnuEditMidi;
    QAction *mnuEditMidiNone;
    // The rows' chord while the input is on and no score names it.
    QLabel *lblMidiChord;

    // The menu and the status bar in the language the translators speak now.
    void retranslate();
    // The ports offered now, in the submenu (done as it opens).
    void listPorts();
    // The rows' chord in the status bar, while the input is on and no score
    // is open (whose status names it then).
    void showChord();

private:
    void choose(const midiinput::Port &port);
    void chooseNone();
    void received(const QByteArray &bytes);
    void fillRows();
    void portLost();
    void readChords();
    QString portProblem(midiinput::OpenError error, const midiinput::Port &port) const;

    frmMain &m_window;
    UserDialogs &m_dialogs;
    QSettings *m_settings;
    midiinput::MidiInput m_input;
    midiinput::HeldKeys m_keys;
    QActionGroup *m_group;
    ChordTable m_chords;
    bool m_chordsRead = false;
    bool m_filling = false;
    QString m_overflow; // the keys no row could take, named for the status bar
};

} // namespace chordvane
