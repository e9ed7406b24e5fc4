#pragma once

#include "chartsheet.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace chordvane {

// The chart as a lead sheet, painted: the title, then measures between
// bar lines, four a line or two where four do not fit the width, each
// step's symbol at its beat in the measure's grid of beats. A line that
// a rehearsal mark or a change of key or time begins is headed by them;
// "%" marks a measure that keeps the chord before it. The current step is
// marked; a click on a step chooses it, and so do Left and Right from it. Paint and hit-test go
// through the same items, laid out again when the width or the sheet changes.
class ChartView : public QWidget {
    Q_OBJECT

public:
    // What is drawn, where, in the widget's coordinates.
    struct Item {
        enum Kind { Title, Instrument, Heading, Rehearsal, Number, BarLine, Symbol, Repeat };
        Kind kind = Symbol;
        QString text; // BarLine: "|", or "||" for a double bar
        QRect rect;
        int step = -1;  // Symbol: the step's index
        size_t bar = 0; // Rehearsal, Number, Symbol, Repeat: index into the sheet's bars
    };

    explicit ChartView(QWidget *parent = nullptr);

    // tips: each step's tooltip, by step index.
    void setSheet(const score::ChartSheet &sheet, const QStringList &tips);
    void setCurrentStep(int step); // none when out of range
    int currentStep() const { return m_current; }
    const std::vector<Item> &items() const { return m_items; }
    int measuresPerLine() const { return m_perLine; }
    // The step's symbol; empty for a step not shown.
    QRect stepRect(int step) const;

signals:
    void stepChosen(int step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void layOut();
    int barWidthNeeded(const score::ChartBar &bar) const;
    const Item *symbolAt(const QPoint &point) const;

    score::ChartSheet m_sheet;
    QStringList m_tips;
    int m_current = -1;
    int m_perLine = 4;
    std::vector<Item> m_items;
};

} // namespace chordvane
