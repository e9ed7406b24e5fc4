#pragma once

#include <QString>
#include <QWidget>

#include "chartsheet.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace chordvane {

class ChartView;
class UserDialogs;

// The harmony of the open score as a lead sheet (ChartView). The step the
// rows stand in is marked and kept in view; choosing a step asks the score
// view to go there. The symbols
// are for players of the instrument chosen above the chart (in C, in B♭
// ...), at its written pitch. Esc and Ctrl+W close the chart alone. The
// chart as a music stand shows it (score::chartText) goes to the clipboard
// (Ctrl+C), a text file, a PDF or the printer (Ctrl+P).
class ChartWindow : public QWidget {
    Q_OBJECT

public:
    ChartWindow(QWidget *parent, UserDialogs &dialogs);

    // tips: each step's tooltip, by step index.
    void showChart(const score::ChartSheet &sheet, const QStringList &tips);
    // Marks step `step` and scrolls it into view; none when out of range.
    void markStep(int step);
    ChartView *view() const { return m_view; }
    // The chosen instrument's transposition, semitones from written to
    // sounding (-2 for B♭).
    int transposition() const;
    QComboBox *cboInstrument; // "in C", "in B♭" ... as the rows list them
    // The text chart with its title, and the path its files are offered
    // under, without an extension.
    void setChartText(const QString &text, const QString &title, const QString &path);
    // The header's words in the window's language.
    score::ChartWords chartWords() const;
    QPushButton *cmdCopy;
    QPushButton *cmdSaveText;
    QPushButton *cmdSavePdf;
    QPushButton *cmdPrint;
    // What the buttons do, for the score menu too.
    void copyChart();
    void saveText();
    void savePdf();
    void printChart();

signals:
    void stepChosen(int step);
    // The chart is to be filled again: another instrument or language.
    void chartChanged();

protected:
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void retranslate();
    bool writeFile(const QString &path, const QByteArray &bytes);

    UserDialogs &m_dialogs;
    QString m_text;
    QString m_title;
    QString m_path;
    QScrollArea *m_scroll;
    ChartView *m_view;
    QLabel *m_instrumentLabel;
};

} // namespace chordvane
