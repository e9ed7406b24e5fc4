#include "findcommand.h"
#include "findparts.h"

#include "scorelines.h"
#include "textdecode.h"

#include <QFile>

#include <ostream>

namespace chordvane::cli {

// Control characters from the file (a tab in a measure number, a newline in
// a message) must not break the line format or drive the terminal.
std::string printable(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return text.toStdString();
}

// At most as many characters as a message quotes: every line repeats its
// measure number, and one of a megabyte would make a score of ten thousand
// notes ten gigabytes of output.
std::string shortened(const QString &text)
{
    constexpr int kMaxCharacters = 40;
    qsizetype end = 0;
    for (int characters = 0; end < text.size() && characters < kMaxCharacters; ++characters) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return end < text.size() ? printable(text.left(end)) + "…" : printable(text);
}

std::optional<score::Score> readScore(const Options &options, std::ostream &err, QByteArray *file)
{
    QByteArray bytes;
    score::ReadResult read =
        score::readScoreFile(QFile::decodeName(options.scorePath.c_str()), bytes);
    if (file)
        *file = std::move(bytes);
    if (!read.ok) {
        err << "chordvane-find: cannot read the score " << quoteForMessage(options.scorePath)
            << ": " << printable(score::englishMessage(read)) << '\n';
        return std::nullopt;
    }
    return std::move(read.score);
}

int analyseScore(const ChordTable &table, const Options &options, std::ostream &out,
                 std::ostream &err)
{
    const std::optional<score::Score> score = readScore(options, err);
    if (!score)
        return kExitError;
    std::string buffer;
    score::forEachMoment(*score, [&](const score::Moment &moment) {
        buffer += shortened(moment.measureNumber);
        buffer += '\t';
        buffer += score::beatText(moment.beat);
        buffer += '\t';
        for (size_t i = 0; i < moment.sounding.size(); ++i) {
            if (i > 0)
                buffer += ' ';
            buffer += std::to_string(moment.sounding[i]);
        }
        const auto chord = score::nameChord(table, moment.sounding, options.rate);
        buffer += chord ? '\t' + chord->name + '\t' + std::to_string(chord->rate) : "\t-\t-";
        buffer += '\n';
        flushWhenFull(buffer, out);
    });
    out << buffer;
    return kExitFound;
}

} // namespace chordvane::cli
