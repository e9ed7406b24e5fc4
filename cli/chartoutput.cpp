#include "findcommand.h"
#include "findparts.h"

#include "annotate.h"
#include "chartsheet.h"
#include "fromchart.h"
#include "harmonypiece.h"
#include "scorelines.h"
#include "textdecode.h"
#include "transposing.h"

#include <QFile>
#include <QFileInfo>

#include <ostream>

namespace chordvane::cli {

namespace {

bool annotateScore(const ChartedScore &charted, const std::vector<annotate::ChordSymbol> &symbols,
                   const Options &options, std::ostream &err)
{
    annotate::AnnotateOptions how;
    how.part = QString::fromStdString(options.annotatePart);
    how.file = &charted.file;
    how.score = &charted.score;
    const annotate::AnnotateResult result =
        annotate::annotateFile(QFile::decodeName(options.scorePath.c_str()), symbols,
                               QFile::decodeName(options.annotatePath.c_str()), how);
    if (!result.ok()) {
        err << "chordvane-find: --annotate " << quoteForMessage(options.annotatePath) << ": "
            << printable(annotate::englishMessage(result)) << '\n';
        return false;
    }
    using annotate::SkipReason;
    const std::pair<SkipReason, const char *> reasons[] = {
        {SkipReason::Taken, "where the part has one already"},
        {SkipReason::NoMeasure, "in measures the part does not have"},
        {SkipReason::EmptyMeasure, "in measures written empty (<measure/>)"},
        {SkipReason::Unfollowed, "where the part's text cannot be followed"},
    };
    for (const auto &[reason, words] : reasons) {
        if (const size_t count = annotate::skippedFor(result, reason))
            err << "chordvane-find: " << count << " chord symbol(s) left out " << words << '\n';
    }
    return true;
}

} // namespace

std::optional<ChartedScore> chartScoreFile(const ChordTable &table, const Options &options,
                                           std::ostream &err)
{
    QByteArray file;
    std::optional<score::Score> score =
        readScore(options, err, options.annotateGiven ? &file : nullptr);
    if (!score)
        return std::nullopt;
    harmony::Piece piece = score::harmonyPiece(*score);
    harmony::Analysis analysis = harmony::analyse(table, piece, options.rate);
    if (analysis.error != harmony::PieceError::None) {
        err << "chordvane-find: cannot chart the score " << quoteForMessage(options.scorePath)
            << ": " << harmony::englishMessage(analysis) << '\n';
        return std::nullopt;
    }
    return ChartedScore{std::move(file), std::move(*score), std::move(piece),
                        std::move(analysis.steps)};
}

int chartScore(const ChordTable &table, const Options &options, std::ostream &out,
               std::ostream &err)
{
    std::optional<int> transposition = 0;
    if (!options.transposeFor.empty())
        transposition = score::instrumentTransposition(options.transposeFor);
    if (!transposition)
        return usageError(err, "--transpose-for takes Bb, Eb, F, A, D, G or C, not " +
                                   quoteForMessage(options.transposeFor));
    const std::optional<ChartedScore> charted = chartScoreFile(table, options, err);
    if (!charted)
        return kExitError;
    if (options.annotateGiven && charted->score.fromMidi) {
        err << "chordvane-find: --annotate: the score " << quoteForMessage(options.scorePath)
            << " is a MIDI file, which has no notation to write chord symbols into\n";
        return kExitError;
    }
    if (options.annotateGiven &&
        !annotateScore(*charted, annotate::chordSymbols(table, charted->steps), options, err))
        return kExitError;

    if (options.textChart || options.pdfGiven) {
        const QString path = QFile::decodeName(options.scorePath.c_str());
        const QString title =
            charted->score.title.isEmpty() ? QFileInfo(path).fileName() : charted->score.title;
        const QString text = score::chartText(table, charted->score, charted->piece, charted->steps,
                                              *transposition, title);
        if (options.pdfGiven && !writeChartPdf(text, title, options, err))
            return kExitError;
        if (options.textChart) {
            out << text.toStdString();
            return kExitFound;
        }
    }
    std::string buffer;
    for (const harmony::Step &step : charted->steps) {
        // Every step starts in one of the score's measures: they are the piece's.
        const score::Measure &measure = charted->score.measures[static_cast<size_t>(step.measure)];
        buffer += shortened(measure.number);
        buffer += '\t';
        buffer += score::beatText(Fraction(1) + (step.start - measure.start));
        buffer += step.chord
                      ? '\t' + step.chordText + '\t' + std::to_string(step.rate) + '\t' +
                            score::writtenSymbol(table, step, charted->piece.keys, *transposition)
                      : "\t-\t-\tN.C.";
        buffer += '\n';
        flushWhenFull(buffer, out);
    }
    out << buffer;
    return kExitFound;
}

} // namespace chordvane::cli
