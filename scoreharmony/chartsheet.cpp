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

} // namespace

ChartSheet chartSheet(const ChordTable &table, const Score &score, const harmony::Piece &piece,
                      const std::vector<harmony::Step> &steps, int transposition,
                      const QString &title, const ChartWords &words)
{
    ChartSheet sheet;
    sheet.title = title;
    if (pitchClass(transposition) != 0)
        sheet.instrument = words.forInstrument.arg(instrumentName(transposition));
    // Each measure's symbols at their beats.
    std::vector<std::vector<ChartSymbol>> symbols(score.measures.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        const harmony::Step &step = steps[i];
        const auto m = static_cast<size_t>(step.measure);
        const Measure &measure = score.measures[m];
        const int columns = columnsOf(measure);
        const Fraction into = (step.start - measure.start) * Fraction(columns) / measure.length;
        const int column = std::clamp(int(into.numerator() / into.denominator()), 0, columns - 1);
        symbols[m].push_back({i, column,
                              step.chord ? QString::fromStdString(writtenSymbol(
                                               table, step, piece.keys, transposition))
                                         : QStringLiteral("N.C.")});
    }

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
        sheet.bars.push_back({m, measure.number.left(4), columnsOf(measure), std::move(symbols[m]),
                              measure.rehearsal, measure.doubleBar,
                              changes.join(QStringLiteral("   "))});
    }
    return sheet;
}

std::vector<std::vector<size_t>> chartLines(const ChartSheet &sheet, int perLine)
{
    std::vector<std::vector<size_t>> lines;
    for (size_t b = 0; b < sheet.bars.size(); ++b) {
        if (lines.empty() || sheet.bars[b].beginsLine() || int(lines.back().size()) >= perLine)
            lines.emplace_back();
        lines.back().push_back(b);
    }
    return lines;
}

QString chartText(const ChartSheet &sheet)
{
    qsizetype width = 4;
    for (const ChartBar &bar : sheet.bars) {
        for (const ChartSymbol &symbol : bar.symbols)
            width = std::max(width, widthOf(symbol.text) + 1);
    }
    QString text = sheet.title + QLatin1Char('\n');
    if (!sheet.instrument.isEmpty())
        text += sheet.instrument + QLatin1Char('\n');
    for (const std::vector<size_t> &line : chartLines(sheet, kMeasuresPerLine)) {
        const ChartBar &first = sheet.bars[line.front()];
        QStringList heading;
        if (!first.rehearsal.isEmpty())
            heading << QLatin1Char('[') + first.rehearsal + QLatin1Char(']');
        if (!first.changes.isEmpty())
            heading << first.changes;
        if (!heading.isEmpty())
            text += heading.join(QStringLiteral("   ")) + QLatin1Char('\n');
        text += QStringLiteral("%1 ").arg(first.number, 4);
        QString barLine = QStringLiteral("|");
        for (const size_t b : line) {
            const ChartBar &bar = sheet.bars[b];
            QString cells(bar.columns * width, u' ');
            qsizetype at = 0;
            for (const ChartSymbol &symbol : bar.symbols) {
                const qsizetype from = std::max<qsizetype>(at, symbol.column * width);
                cells = padded(cells.left(from), from) + symbol.text + QLatin1Char(' ') +
                        cells.mid(from + widthOf(symbol.text) + 1);
                at = from + widthOf(symbol.text) + 1;
            }
            if (bar.symbols.empty())
                cells = padded(QStringLiteral("%"), bar.columns * width);
            text += barLine + QLatin1Char(' ') + cells;
            barLine = bar.doubleBar ? QStringLiteral("||") : QStringLiteral("|");
        }
        text += barLine + QLatin1Char('\n');
    }
    return text;
}

} // namespace chordvane::score
