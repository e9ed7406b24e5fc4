#pragma once

#include "chordlist.h"
#include "search.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QListWidget;
class QMainWindow;
class QPushButton;

namespace chordvane {

class KeyboardPicture;
class Playback;

// The rows' chords beside the score, following every step and edit, never
// modal: the ranked list as the results window shows it, the selected
// chord's match rate, just-intonation table and keyboard, and 試聴 of it,
// tempered or just.
class ResultsPanel : public QDockWidget {
    Q_OBJECT

public:
    // Docked on the window's right, hidden until asked for.
    ResultsPanel(QMainWindow &window, Playback &playback);

    // The chords found for the rows (searchInputs) over the bass (note
    // number), named from table, which must outlive what is shown. The
    // chord selected stays selected while it is found; else the first.
    void showResults(const ChordTable &table, std::vector<ChordMatch> found, int bass);
    // An empty list and table, an unlit keyboard.
    void clearResults();

    QListWidget *lstCodes;
    QLabel *lblMatchedRate;
    QLabel *Label1;
    QLabel *lblJunsei;
    KeyboardPicture *keyboard;
    QPushButton *cmdPlay;
    QPushButton *cmdPlayJust;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void selectionChanged();
    void playSelected(bool just);
    // The selected chord, none when the list is empty.
    const ChordMatch *selected() const;

    Playback &m_playback;
    const ChordTable *m_table = nullptr;
    std::vector<ChordMatch> m_found;
    int m_bass = 0;
};

} // namespace chordvane
