#pragma once

// Names from Japanese music terms: Junsei (純正律) is just intonation;
// lblJunsei lists the selected chord's tones with the cents by which each,
// tuned just, lies from its equal-tempered pitch.

#include "engine.h"
#include "guide.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace chordvane {

class Playback;
class UserDialogs;

// The outcome of one search: one line per result in the engine's order, the
// selected result's match rate and just-intonation table, what each player
// of the search is to move for it, the way to its keyboard picture, and the
// way to hear it, tempered or just. It only reads the engine.
class frmCodeShow : public QDialog {
    Q_OBJECT

public:
    frmCodeShow(const ChordEngine &engine, UserDialogs &dialogs, Playback &playback,
                QWidget *owner);

    QListWidget *lstCodes;
    QPushButton *cmdClose;
    QLabel *lblJunsei;
    QLabel *Label1;
    QPushButton *cmdJunseiCopy;
    QPushButton *cmdShowPiano;
    QLabel *lblMatchedRate;
    QPushButton *cmdPlay;
    QPushButton *cmdPlayJust;
    QLabel *lblPlayers;
    // One line per player: name, written note, degree, cents to move.
    QTableWidget *tblPlayers;
    QPushButton *cmdPlayersCopy;

    // The table as the label holds it, CR LF after every line.
    const QString &junseiText() const { return m_junseiText; }
    // The players of the search, whose guide follows the selected result.
    void setPlayers(std::vector<tuning::Player> players);
    // The players' table as copied: tab-separated cells, CR LF after every line.
    const QString &playersText() const { return m_playersText; }

    // Closing the window in any way also stops its sound.
    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void FillResultList();
    void ShowMatchRate();
    void ShowJustTable();
    void showPlayers();
    void selectionChanged();
    void copyText(const QString &text);
    void showPiano();
    void playSelected(bool just);
    void setJunseiText(const QString &text);

    const ChordEngine &m_engine;
    UserDialogs &m_dialogs;
    Playback &m_playback;
    QString m_junseiText;
    std::vector<tuning::Player> m_players;
    QString m_playersText;
};

} // namespace chordvane
