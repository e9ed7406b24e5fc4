#include "chartsheet.h"

#include "meter.h"
#include "spelling.h"
#include "transposing.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace chordvane::score {

namespace {

constexpr int kMeasuresPerLine = 4;
constexpr int kMostColumns = 16; // a measure of more beats is cut into 16

qsizetype widthOf(const QString &text)
{
    return text.toUcs4().size();
}

QString padded(QString text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(width - widthOf(text), 0), u' ');
}

// The measure's beats, or quarter notes without a time signature.
int columnsOf(const Measure &measure)
{
    const bool meter = measure.beats > 0 && measure.beatType > 0 && measure.beatType <= 64 &&
                       (measure.beatType & (measure.beatType - 1)) == 0;
    const Fraction beat =
        meter ? harmony::beatLength(measure.beats, measure.beatType) : Fraction(1);
    const Fraction beats = measure.length / beat;
    const qint64 whole = beats.numerator() / beats.denominator();
    const qint64 columns = whole + (Fraction(whole) < beats ? 1 : 0);
    return int(std::clamp<qint64>(columns, 1, kMostColumns));
}

QString keyName(int fifths, bool minor, const ChartWords &words)
{
    // A minor key's tonic lies three fifths above its relative major's.
    return QString::fromStdString(harmony::noteName(minor ? fifths + 3 : fifths)) +
           QLatin1Char(' ') + (minor ? words.minor : words.major);
}

QString instrumentName(int transposition)
{
    switch (pitchClass(-transposition)) {
    case 2:
        return QStringLiteral("B\u266D");
    case 9:
        return QStringLiteral("E\u266D");
    case 7:
        return QStringLiteral("F");
    case 3:
        return QStringLiteral("A");
    default:
        return QString::number(transposition);
    }
}

struct Cell {
    int column = 0;
    QString symbol;
};

} // namespace

QString chartText(const ChordTable &table, const Score &score, const harmony::Piece &piece,
                  const std::vector<harmony::Step> &steps, int transposition, const QString &title,
                  const ChartWords &words)
{
    // Each measure's symbols at their beats.
    std::vector<std::vector<Cell>> cells(score.measures.size());
    qsizetype width = 4;
    for (const harmony::Step &step : steps) {
        const auto m = static_cast<size_t>(step.measure);
        const Measure &measure = score.measures[m];
        const int columns = columnsOf(measure);
        const Fraction into = (step.start - measure.start) * Fraction(columns) / measure.length;
        const int column = std::clamp(int(into.numerator() / into.denominator()), 0, columns - 1);
        const QString symbol =
            step.chord
                ? QString::fromStdString(writtenSymbol(table, step, piece.keys, transposition))
                : QStringLiteral("N.C.");
        cells[m].push_back({column, symbol});
        width = std::max(width, widthOf(symbol) + 1);
    }

    QString text = title + QLatin1Char('\n');
    if (pitchClass(transposition) != 0)
        text += words.forInstrument.arg(instrumentName(transposition)) + QLatin1Char('\n');
    QString line;
    int inLine = 0;
    const auto endLine = [&] {
        if (inLine > 0)
            text += line + QStringLiteral("|\n");
        line.clear();
        inLine = 0;
    };
    std::optional<harmony::Key> lastKey;
    std::pair<int, int> lastTime{-1, -1};
    for (size_t m = 0; m < score.measures.size(); ++m) {
        const Measure &measure = score.measures[m];
        if (measure.length <= Fraction(0))
            continue;
        const harmony::Key concert = harmony::keyAt(piece.keys, measure.start);
        const harmony::Key key{concert.at, writtenKeyFifths(concert.fifths, transposition),
                               concert.minor};
        const std::pair<int, int> time{measure.beats, measure.beatType};
        QStringList changes;
        if (!lastKey || lastKey->fifths != key.fifths || lastKey->minor != key.minor)
            changes << words.key + QStringLiteral(": ") + keyName(key.fifths, key.minor, words);
        if (time != lastTime && measure.beats > 0)
            changes << words.time + QStringLiteral(": %1/%2").arg(time.first).arg(time.second);
        lastKey = key;
        lastTime = time;
        if (!changes.isEmpty() || inLine == kMeasuresPerLine)
            endLine();
        if (!changes.isEmpty())
            text += changes.join(QStringLiteral("   ")) + QLatin1Char('\n');
        if (inLine == 0)
            line = QStringLiteral("%1 ").arg(measure.number.left(4), 4);

        const int columns = columnsOf(measure);
        QString bar(columns * width, u' ');
        qsizetype at = 0;
        for (const Cell &cell : cells[m]) {
            const qsizetype from = std::max<qsizetype>(at, cell.column * width);
            bar = padded(bar.left(from), from) + cell.symbol + QLatin1Char(' ') +
                  bar.mid(from + widthOf(cell.symbol) + 1);
            at = from + widthOf(cell.symbol) + 1;
        }
        if (cells[m].empty())
            bar = padded(QStringLiteral("%"), columns * width);
        line += QStringLiteral("| ") + bar;
        ++inLine;
    }
    endLine();
    return text;
}

} // namespace chordvane::score
