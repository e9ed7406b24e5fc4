#pragma once

// What --score, --chart and --tuning share; not for other targets.

#include "harmony.h"
#include "score.h"

#include <QString>

#include <optional>
#include <ostream>
#include <string>

namespace chordvane::cli {

struct Options;

// The score of --score, or none after a message to err.
std::optional<score::Score> readScore(const Options &options, std::ostream &err,
                                      QByteArray *file = nullptr);

// The score of --score with its harmony, as --chart and --tuning print it.
struct ChartedScore {
    QByteArray file; // as read, with --annotate only: the copy is made from it
    score::Score score;
    harmony::Piece piece;
    std::vector<harmony::Step> steps;
};
// The charted score, or none after a message to err.
std::optional<ChartedScore> chartScoreFile(const ChordTable &table, const Options &options,
                                           std::ostream &err);

// Writes the text chart to the --pdf file, whole or not at all; false after
// a message to err.
bool writeChartPdf(const QString &text, const QString &title, const Options &options,
                   std::ostream &err);

// Text from the file with its control characters replaced, UTF-8.
std::string printable(QString text);

// A measure number as the lines show it: printable, cut after 40 characters (…).
std::string shortened(const QString &text);

// Output goes out in blocks of about 64 KiB: one write per line would be
// slow, one for the whole score would hold it all in memory.
inline void flushWhenFull(std::string &buffer, std::ostream &out)
{
    if (buffer.size() > 1 << 16) {
        out << buffer;
        buffer.clear();
    }
}

} // namespace chordvane::cli
