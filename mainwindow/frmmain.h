#pragma once

#include "engine.h"
#include "instrumentrow.h"
#include "keyboarddisplay.h"
#include "language.h"
#include "playback.h"
#include "rowtables.h"
#include "scorehost.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSettings;

namespace chordvane {

class ctlNoteInput;
class LiveInput;
class RowHistory;
class ReadMeWindow;
class ScoreBrowser;
class UserDialogs;

// The copyright line of the window's foot and of the version box.
inline constexpr const char *kCopyright = "© 2026 Chordvane developers";

// How a window opens on a screen with `room` to spare: at its design size
// when that fits, else as large as the room allows, its content scrolling
// (`scrollBar` is the extent of one scroll bar, so that a window short of
// room one way only scrolls only that way).
struct WindowFit {
    QSize size;
    bool scrolls = false;
};
WindowFit fitWindow(const QSize &design, const QSize &room, int scrollBar);

// The main window: twelve instrument rows whose written notes it brings to
// concert pitch for the engine, the keyboard of the notes in use, the search
// command, the play command and the options. It owns the engine.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // dataFolder holds the chord lists and the read-me. The options that
    // last between runs are kept in settings; without it, for this run only.
    // Both windows' play commands sound through output. The language menu
    // switches translation; without it the windows stay in Japanese.
    frmMain(UserDialogs &dialogs, sound::SoundOutput &output, QString dataFolder,
            QSettings *settings = nullptr, Translation *translation = nullptr,
            QWidget *parent = nullptr);
    ~frmMain() override;

    const ChordEngine &engine() const { return m_engine; }
    // The just minor seventh chosen in 検索設定 > 短7度の純正.
    JustSeventh justSeventh() const { return m_playback.seventh(); }
    bool IsLoaded() const { return m_isLoaded; }
    // True while row r takes part: the bass row always, another when ticked.
    bool rowInUse(int r) const;
    // The concert note of row r: its staff's Value plus its transposition.
    int concertNote(int r) const;
    // Sizes the window for a screen with this much room (done for its own
    // screen when it is built).
    void fitInto(const QSize &room);
    // The same for the window's own screen, as the status bar comes or goes.
    void fitToScreen();
    // Reads the chord list the options choose, as a search does (asking for
    // its path when it is missing). False, with table emptied, when no list
    // could be read.
    bool readChordTable(ChordTable &table);
    // The area the rows are laid out on, inside the scrolling frame.
    QWidget *client() const { return m_client; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    // "合致度の高い順に並べる": results ordered by match rate.
    QAction *rankByRateAction() const { return m_rankByRate; }
    Playback &playback() { return m_playback; }
    // The rate, the chord list and the order the options choose now.
    SearchOptions searchOptions() const;
    // The program's own read-me window, once it has been needed.
    ReadMeWindow *readMe() const { return m_readMe; }
    // The score menu, which writes a score's moments into the rows.
    ScoreBrowser &scoreBrowser() const { return *m_scoreBrowser; }
    // 編集 > MIDI入力, which writes the keys held on a MIDI keyboard into the rows.
    LiveInput &liveInput() const { return *m_liveInput; }
    // Shows the status bar while a score is open or MIDI input is on, and
    // gives its room back otherwise.
    void updateStatusBar();

    // Row r: 0..10 the ordinary rows, 11 the bass row.
    InstrumentRow &row(int r) const { return *m_rows[r]; }
    QGroupBox *Frame1;
    std::unique_ptr<KeyboardDisplay> keyboard;
    QPushButton *cmdSearchCode;
    QPushButton *cmdPlay;
    QPushButton *cmdClear;
    QPushButton *cmdExit;
    QLabel *lblAdvertise;

    QMenu *mnuEdit;
    QAction *mnuEditUndo;
    QAction *mnuEditRedo;
    QAction *mnuEditClear;
    QAction *mnuEditPlay;
    QMenu *mnuOption;
    QMenu *mnuOptionCode;
    std::array<QAction *, 6> mnuOptionCodeRate{};
    QAction *mnuOptionNotJazz;
    // The instrument of the results window's chords: organ, strings, brass, piano.
    QMenu *mnuOptionSound;
    std::array<QAction *, 4> mnuOptionSoundItem{};
    // 短7度の純正: the minor seventh the tuning guide and 純正律で試聴 take,
    // 9:5, 16:9 or 7:4; kept between runs.
    QMenu *mnuOptionSeventh;
    std::array<QAction *, 3> mnuOptionSeventhItem{};
    // 日本語 / English, each named in its own language.
    QMenu *mnuLanguage;
    std::array<QAction *, 2> mnuLanguageItem{};
    QMenu *mnuHelp;
    QAction *mnuHelpHowto;
    QAction *mnuHelpVersion;

    void RunSearch();
    void clear();
    // Every row as at start-up, its staff on the treble clef and C: what a
    // new score begins from. The options stay; the history begins anew.
    void clearRows();
    // The rows as they stand begin a new history of hand edits: called by
    // whatever writes a score's step or MIDI keys into them.
    void startRowHistory();
    RowHistory &rowHistory() const { return *m_history; }
    // Sounds the rows in use, each on its instrument, at concert pitch.
    void playRows();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

signals:
    // A row's note, transposition or tick changed, by hand or from a score.
    void rowsChanged();
    // Another just minor seventh was chosen.
    void seventhChanged(JustSeventh seventh);
    // The rate, the chord list or the order of the results was chosen.
    void searchOptionsChanged();

private:
    class ListHost;
    class ScoreLink;
    class RowAccess;
    using RowChange = InstrumentRow::Change;

    // Reads the chord list the options choose into the engine (asking for
    // its path when it is missing) and tells the user what went wrong.
    ChordListStatus loadChosenList();
    void buildRows(QWidget *client);
    void buildButtons(QWidget *client);
    void buildMenus();
    // The score menu and its view, which reach the window through m_scoreLink.
    void buildScoreBrowser();
    // Every caption in the language the translators speak now.
    void retranslate();
    void retranslateMenus();
    void Load();

    // Brings row r's tick, label, slot and the keyboard up to date.
    void ShowRowNote(int r, RowChange change = RowChange::Note);
    void PaintKeyboard();

    void rateChosen(int item);
    int rateItem() const;
    void rankByRateChosen(bool checked);
    void chordSoundChosen(int item);
    void seventhChosen(int item);
    void languageChosen(int item);
    Language language() const;
    // The read-me in the window's language.
    QString readMePath() const;
    void showHowTo();
    // The read-me window, when shown, in the window's language.
    void showReadMeAgain();
    void showVersion();

    UserDialogs &m_dialogs;
    QString m_dataFolder;
    QSettings *m_settings;
    Translation *m_translation;
    std::unique_ptr<ListHost> m_listHost;
    ScoreLink *m_scoreLink = nullptr; // a child object, made before the score view
    std::unique_ptr<RowAccess> m_rowAccess;
    RowHistory *m_history = nullptr; // a child object
    ChordEngine m_engine;
    bool m_isLoaded = false;
    QWidget *m_client;
    QScrollArea *m_scrollArea;
    QAction *m_rankByRate;
    std::array<InstrumentRow *, rows::kRows> m_rows{};
    ReadMeWindow *m_readMe = nullptr;
    ScoreBrowser *m_scoreBrowser = nullptr; // a child object
    LiveInput *m_liveInput = nullptr;       // a child object
    Playback m_playback;
    QSize m_frameMargins; // what the window manager's frame adds, once known
};

} // namespace chordvane
