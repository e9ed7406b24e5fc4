#pragma once

#include "harmony.h"
#include "score.h"

#include <QString>

#include <vector>

namespace chordvane::score {

// The words of a chart's header, in the reader's language.
struct ChartWords {
    QString key = QStringLiteral("Key");
    QString time = QStringLiteral("Time");
    QString major = QStringLiteral("major");
    QString minor = QStringLiteral("minor");
    QString forInstrument = QStringLiteral("for %1 instruments"); // %1: "B♭"
};

// A step's symbol in its measure: at the column of the beat it starts on.
struct ChartSymbol {
    size_t step = 0; // index into the steps charted
    int column = 0;  // from 0
    QString text;    // "A♭add9/E♭", "N.C." where no chord sounds
};

// One measure of the chart. Its beats are columns of one width, or 16
// columns for a measure of more beats.
struct ChartBar {
    size_t measure = 0; // index into the score's measures
    QString number;     // as written, up to 4 characters
    int columns = 1;
    std::vector<ChartSymbol> symbols; // none: the chord before goes on ("%")
    QString rehearsal;                // the score's rehearsal mark, if any
    bool doubleBar = false;           // a double bar at its end
    // The key and the time signature when either changes here (always at
    // the first measure), as "Key: E♭ major   Time: 4/4"; empty otherwise.
    QString changes;
    // Changes and rehearsal marks begin a line.
    bool beginsLine() const { return !changes.isEmpty() || !rehearsal.isEmpty(); }
};

// The chart of a score as a music stand shows it, before it is laid out
// in lines: the title, the instrument when the chart is for a transposing
// one, and the measures. transposition: semitones from written to sounding
// of the player's instrument (-2 for B♭), 0 for concert pitch.
struct ChartSheet {
    QString title;
    QString instrument; // "for B♭ instruments"; empty at concert pitch
    std::vector<ChartBar> bars;
};
ChartSheet chartSheet(const ChordTable &table, const Score &score, const harmony::Piece &piece,
                      const std::vector<harmony::Step> &steps, int transposition,
                      const QString &title, const ChartWords &words = {});

// The sheet's bars in lines (indices into bars): perLine a line, and a new
// line at each bar that begins one.
std::vector<std::vector<size_t>> chartLines(const ChartSheet &sheet, int perLine);

// The sheet as plain text, four measures a line between bar lines ("||" a
// double bar), headed by the first one's number. Each measure's columns
// are as wide as the widest symbol and a space; "%" fills a measure that
// keeps the chord before it. A line of its own gives the rehearsal mark
// ("[A]") and the changes before the line they begin. Lines end in "\n".
//
// Example, 4/4 in A♭ major for concert pitch:
//   Chorale
//   Key: A♭ major   Time: 4/4
//      1 | A♭   D♭   | E♭7  A♭/C | ...
QString chartText(const ChartSheet &sheet);
inline QString chartText(const ChordTable &table, const Score &score, const harmony::Piece &piece,
                         const std::vector<harmony::Step> &steps, int transposition,
                         const QString &title, const ChartWords &words = {})
{
    return chartText(chartSheet(table, score, piece, steps, transposition, title, words));
}

} // namespace chordvane::score
