#pragma once

#include "chordlist.h"
#include "harmony.h"
#include "score.h"
#include "scorehost.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;
class QSettings;

namespace chordvane {

class ChartWindow;
class PassagePlayer;
class ResultsPanel;
class TuningPanel;
class UserDialogs;
struct ScoreRow;

// The main window's score menu: opens a MusicXML score and steps through
// its moments, writing each moment's notes into the rows (which the user
// may still edit until the next step) and showing in the status bar where
// it is and the moment's chord. Owned by the window, which it reaches
// through host; the window puts the menu in its menu bar.
class ScoreBrowser : public QObject {
    Q_OBJECT

public:
    // The last folder a score was chosen in is kept in settings, when given.
    ScoreBrowser(QMainWindow &window, ScoreHost &host, UserDialogs &dialogs, QString dataFolder,
                 QSettings *settings);
    ~ScoreBrowser() override;

    // Opens the score at path on its first moment. A file that cannot be
    // read is reported and changes nothing.
    bool openScore(const QString &path);
    // The rows keep the last moment shown; only the part names go.
    void closeScore();
    bool isOpen() const { return !m_moments.empty(); }
    // The moment shown, an index into the score's moments.
    size_t momentIndex() const { return m_index; }
    size_t momentCount() const { return m_moments.size(); }

    QMenu *mnuScore;
    QAction *mnuScoreOpen;
    // 最近使ったスコア: the last eight scores opened, the latest first.
    QMenu *mnuScoreRecent;
    QAction *mnuScorePrevious;
    QAction *mnuScoreNext;
    QAction *mnuScorePreviousMeasure;
    QAction *mnuScoreNextMeasure;
    QAction *mnuScoreGoToMeasure; // asks for a measure number as written
    QAction *mnuScoreChart;       // "コード進行": the chart of the score's harmony
    QAction *mnuScoreChartText;   // the chart window's exports, from the menu
    QAction *mnuScoreChartPdf;
    QAction *mnuScoreChartPrint;
    QAction *mnuScoreAnnotate;   // writes the chart into a copy of the score
    QAction *mnuScoreTuning;     // shows or hides the tuning panel
    QAction *mnuScoreTuningSave; // writes the tuning guide as a CSV sheet
    QAction *mnuScoreResults;    // shows or hides the results panel
    // 再生: the harmonic step, the measure or a passage on the parts'
    // instruments, the rows following; equal or just, once or in a loop.
    QMenu *mnuScorePlay;
    QAction *mnuScorePlayStep;
    QAction *mnuScorePlayMeasure;
    QAction *mnuScorePlayTo;
    QAction *mnuScorePlayJust;
    QAction *mnuScorePlayLoop;
    QAction *mnuScorePlayStop; // Esc
    QAction *mnuScoreClose;
    QLabel *lblScorePlace;     // "小節 12 / 96　拍 2.5　— band.musicxml"
    QLabel *lblScoreSignature; // the key and time in force: "E♭ 長調　3/4 拍子"
    // The score's chord at this point ("コード A♭add9/E♭ (100%)"), or after a
    // hand edit the rows' own chord ("行のコード Am7 on C (67%)").
    QLabel *lblScoreChord;
    // The chart window, once it has been asked for.
    ChartWindow *chart() const { return m_chart; }
    // What each part is to move at the moment shown, docked beside the rows.
    TuningPanel *tuningPanel() const { return m_tuning; }
    // The rows' chords, their just tables and keyboards, docked beside the rows.
    ResultsPanel *resultsPanel() const { return m_results; }
    // The scores in 最近使ったスコア, the latest first.
    const QStringList &recentScores() const { return m_recent; }
    bool isPlaying() const;

    // The panels it docks in the window.
    std::vector<QDockWidget *> panels() const;

    // The menu and the status bar in the language the translators speak now.
    void retranslate();

signals:
    // A score was opened or closed: the status bar comes or goes.
    void openChanged(bool open);

private:
    void buildMenu();
    void buildPlayMenu();
    void retranslatePlayMenu();
    // Reads again, names again or only shows again what the options touch.
    void optionsChanged();
    void chooseScore();
    void step(int direction);
    void moveByMeasure(int direction);
    void showMoment(size_t index);
    // Where the rows are, in the status bar and the window's title.
    void showPlace();
    // The index of the measure whose number is written so; -1 when none is.
    int measureIndex(const QString &written) const;
    // Asks for a measure and goes to its first moment (a later one when it holds none).
    void goToMeasure();
    // Asks for a measure number as written: its index, -1 on Cancel or a
    // number the score lacks (which is reported).
    int askMeasure(const QString &title);
    void readRecent();
    void rememberRecent(const QString &path);
    void fillRecentMenu();
    void openRecent(const QString &path);
    // The results panel, while it shows, on the rows' own chords.
    void showResults();
    // Plays the moments from `from` up to `to` (quarter notes).
    void playPassage(const Fraction &from, const Fraction &to);
    // Where the harmonic step shown starts (the moment's time without steps).
    Fraction stepStart() const;
    Fraction measureEnd(int measure) const;
    void playStep();
    void playMeasure();
    void playTo();
    void showRow(int r, const ScoreRow &row);
    void showChord();
    void loadChordList();
    // The harmonic steps at the window's rate, with the chord list read.
    void analyse();
    // The step the shown moment lies in, -1 before the first.
    int stepIndex() const;
    int stepAt(const Fraction &at) const;
    // The tuning panel, while it shows, on the moment the rows show.
    void showTuning();
    void showChart();
    ChartWindow *chartWindow(); // made and filled on first use
    void fillChart();
    // A measure's number as written, cut to a few characters; its position
    // from 1 where the score writes none.
    static QString shortMeasureNumber(const QString &number, qsizetype index);
    void goToStep(int step);
    void saveAnnotated();
    void setOpen(bool open);

    QMainWindow &m_window;
    ScoreHost &m_host;
    UserDialogs &m_dialogs;
    QString m_dataFolder;
    QSettings *m_settings;
    QString m_lastFolder;    // without settings, for this run
    SearchOptions m_options; // as the steps were named with

    score::Score m_score;
    std::vector<score::Moment> m_moments;
    size_t m_index = 0;
    QString m_fileName;
    QString m_path;      // absolute
    QByteArray m_digest; // of the file as read: a copy is written only from the same
    ChordTable m_chords; // read once per score and jazz option: a step reads no file
    bool m_chordsRead = false;
    bool m_filling = false; // while a moment's rows are written
    bool m_edited = false;  // the rows were changed since the last step
    harmony::Piece m_piece;
    std::vector<harmony::Step> m_steps;
    ChartWindow *m_chart = nullptr;
    TuningPanel *m_tuning;
    ResultsPanel *m_results;
    PassagePlayer *m_player;
    QStringList m_recent;
};

} // namespace chordvane
