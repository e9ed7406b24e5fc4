#pragma once

#include "engine.h"
#include "keyboarddisplay.h"
#include "rowtables.h"

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

namespace chordvane {

class ctlNoteInput;
class UserDialogs;

// The copyright line of the window's foot and of the version box.
inline constexpr const char *kCopyright = "© 2026 Chordvane developers";

// The main window: twelve instrument rows whose written notes it brings to
// concert pitch for the engine, the keyboard of the notes in use, the search
// command and the options. It owns the engine.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // dataFolder holds the chord lists and the read-me.
    frmMain(UserDialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);
    ~frmMain() override;

    const ChordEngine &engine() const { return m_engine; }
    bool IsLoaded() const { return m_isLoaded; }
    // True while ordinary row r takes part (its label is white).
    bool rowInUse(int r) const;
    // The concert note of row r: its staff's Value plus its transposition.
    int concertNote(int r) const;

    std::array<chordvane::ctlNoteInput *, rows::kRows> ctlNoteInput{};
    std::array<QComboBox *, rows::kRows> cboInstName{};
    std::array<QComboBox *, rows::kRows> cboTune{};
    std::array<QCheckBox *, rows::kOrdinaryRows> chkUse{};
    std::array<QLabel *, rows::kRows> lblResult{};
    QGroupBox *Frame1;
    std::unique_ptr<KeyboardDisplay> keyboard;
    QPushButton *cmdSearchCode;
    QPushButton *cmdClear;
    QPushButton *cmdExit;
    QLabel *lblAdvertise;

    QMenu *mnuEdit;
    QAction *mnuEditClear;
    QMenu *mnuOption;
    QMenu *mnuOptionCode;
    std::array<QAction *, 6> mnuOptionCodeRate{};
    QAction *mnuOptionNotJazz;
    QMenu *mnuHelp;
    QAction *mnuHelpHowto;
    QAction *mnuHelpVersion;

    void RunSearch();
    void Clear();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class ListHost;

    void buildRows(QWidget *client);
    void buildButtons(QWidget *client);
    void buildMenus();
    void Load();

    // The live path: each handler runs the next one at once.
    void noteChanged(int r);
    void instrumentChosen(int r);
    void tuneChosen(int r);
    void useClicked(int r);
    void ShowRowNote(int r);
    void setResultText(int r, const QString &text);
    void resultChanged(int r);
    void setRowInUse(int r, bool inUse);
    void PaintKeyboard();

    void rateChosen(int item);
    void showHowTo();
    void showVersion();

    UserDialogs &m_dialogs;
    QString m_dataFolder;
    std::unique_ptr<ListHost> m_listHost;
    ChordEngine m_engine;
    bool m_isLoaded = false;
    std::array<bool, rows::kRows> m_rowInUse{};
    QWidget *m_client;
};

} // namespace chordvane
