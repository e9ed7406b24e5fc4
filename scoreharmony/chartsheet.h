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

// The chord chart of a score as a music stand shows it, as plain text:
// the title, the instrument when the chart is for a transposing one, then
// four measures a line between bar lines, headed by the first one's number.
// Each measure's beats are columns of one width; a step's symbol stands at
// the beat it starts on, N.C. where no chord sounds, and "%" fills a
// measure that keeps the chord before it. A line of its own names the key
// and the time signature at the start and before each change, which starts
// a new line. transposition: semitones from written to sounding of the
// player's instrument (-2 for B♭), 0 for concert pitch. Lines end in "\n".
//
// Example, 4/4 in A♭ major for concert pitch:
//   Chorale
//   Key: A♭ major   Time: 4/4
//      1 | A♭   D♭   | E♭7  A♭/C | ...
QString chartText(const ChordTable &table, const Score &score, const harmony::Piece &piece,
                  const std::vector<harmony::Step> &steps, int transposition, const QString &title,
                  const ChartWords &words = {});

} // namespace chordvane::score
