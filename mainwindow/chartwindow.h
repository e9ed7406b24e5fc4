#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "chartsheet.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace chordvane {

class UserDialogs;

// One harmonic step as the chart shows it: in the line of its measure, in
// the column of the beat it starts on (both from 0).
struct ChartCell {
    int line = 0;
    int column = 0;
    QString symbol; // "A♭add9/E♭", or "-" for a step without a chord
};

// The harmony of the open score as a chart: one line per measure, headed by
// its number, each step's symbol at its beat. The step the rows stand in is
// selected; choosing a step asks the score view to go there. The symbols
// are for players of the instrument chosen above the chart (in C, in B♭
// ...), at its written pitch. Esc and Ctrl+W close the chart alone. The
// chart as a music stand shows it (score::chartText) goes to the clipboard
// (Ctrl+C), a text file, a PDF or the printer (Ctrl+P).
class ChartWindow : public QWidget {
    Q_OBJECT

public:
    ChartWindow(QWidget *parent, UserDialogs &dialogs);

    // measures: each line's heading; cells: the steps in time order.
    void showChart(const QStringList &measures, const std::vector<ChartCell> &cells);
    // Selects step `step` (an index into the cells), none when out of range.
    void markStep(int step);
    QTableWidget *table() const { return m_table; }
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
    void copyChart();
    void saveText();
    void savePdf();
    void printChart();
    bool writeFile(const QString &path, const QByteArray &bytes);

    UserDialogs &m_dialogs;
    QString m_text;
    QString m_title;
    QString m_path;
    QTableWidget *m_table;
    QLabel *m_instrumentLabel;
    std::vector<ChartCell> m_cells;
};

} // namespace chordvane
