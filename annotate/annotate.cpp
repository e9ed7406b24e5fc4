#include "annotate.h"

#include "archive.h"
#include "carryingpart.h"
#include "harmonyxml.h"
#include "score.h"
#include "splice.h"
#include "toppart.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <set>

namespace chordvane::annotate {

namespace {

using score::Fraction;

AnnotateResult failure(AnnotateError error, const QString &detail = {})
{
    AnnotateResult result;
    result.error = error;
    result.detail = detail;
    return result;
}

// Divisions as MusicXML writes them: a whole number, or a decimal when the
// time falls between divisions.
QString divisionsText(const Fraction &value)
{
    if (value.denominator() == 1)
        return QString::number(value.numerator());
    QString text = QString::number(double(value.numerator()) / double(value.denominator()), 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

// A measure's note anchors by time (of equal times the earlier in the
// text first), its end tag apart: a symbol is placed by binary search.
struct TimedAnchors {
    std::vector<const Anchor *> notes;
    const Anchor *end = nullptr;
};

TimedAnchors timedAnchors(const std::vector<Anchor> &anchors)
{
    TimedAnchors timed;
    for (const Anchor &anchor : anchors) {
        if (anchor.note)
            timed.notes.push_back(&anchor);
        else
            timed.end = &anchor;
    }
    std::stable_sort(timed.notes.begin(), timed.notes.end(),
                     [](const Anchor *a, const Anchor *b) { return a->at < b->at; });
    return timed;
}

// Where a symbol at `at` goes: before the note that starts then; else
// before the latest note that starts earlier, so that a program that
// ignores <offset> still shows it over the note sounding then; else before
// the first later note, or the measure's end.
const Anchor *anchorFor(const TimedAnchors &timed, const Fraction &at)
{
    const auto byTime = [](const Anchor *a, const Fraction &t) {
        return a->at < t;
    };
    const auto from = std::lower_bound(timed.notes.begin(), timed.notes.end(), at, byTime);
    if (from != timed.notes.end() && (*from)->at == at)
        return *from;
    if (from != timed.notes.begin())
        return *std::lower_bound(timed.notes.begin(), from, (*(from - 1))->at, byTime);
    return from != timed.notes.end() ? *from : timed.end;
}

QString symbolProblem(const ChordSymbol &symbol, const Fraction &scoreEnd)
{
    auto badName = [](const Spelling &name) {
        return name.letter < 0 || name.letter > 6 || name.alter < -2 || name.alter > 2;
    };
    if (symbol.at < Fraction(0) || symbol.at > scoreEnd)
        return QStringLiteral("its time lies outside the score");
    if (badName(symbol.root) || (symbol.bass && badName(*symbol.bass)))
        return QStringLiteral("its root or bass is no note name");
    if (symbol.intervals[0] < 1 || symbol.intervals[0] > 12)
        return QStringLiteral("its chord has no tones");
    return {};
}

// The measure that holds `at`; the score's very end belongs to the last.
std::optional<size_t> measureAt(const std::vector<score::Measure> &measures, const Fraction &at)
{
    const auto next =
        std::upper_bound(measures.begin(), measures.end(), at,
                         [](const Fraction &t, const score::Measure &m) { return t < m.start; });
    if (next == measures.begin())
        return std::nullopt;
    const Fraction end = (next - 1)->start + (next - 1)->length;
    if (at > end || (at == end && next != measures.end()))
        return std::nullopt;
    return size_t(next - measures.begin() - 1);
}

// The score's XML (a plain file or an archive's root) with the symbols
// spliced in, into the part given.
QByteArray annotateXml(const QByteArray &bytes, const score::Score &score, size_t partIndex,
                       const std::vector<ChordSymbol> &symbols, AnnotateResult &result)
{
    const Fraction scoreEnd = score.measures.empty()
                                  ? Fraction(0)
                                  : score.measures.back().start + score.measures.back().length;
    std::vector<size_t> order(symbols.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return symbols[a].at < symbols[b].at; });
    for (size_t i = 0; i < order.size(); ++i) {
        QString problem = symbolProblem(symbols[order[i]], scoreEnd);
        if (problem.isEmpty() && i > 0 && symbols[order[i - 1]].at == symbols[order[i]].at)
            problem = QStringLiteral("another symbol has its time");
        if (!problem.isEmpty()) {
            result = failure(AnnotateError::BadSymbol,
                             QStringLiteral("%1: %2").arg(order[i] + 1).arg(problem));
            return {};
        }
    }

    const Encoding encoding = documentEncoding(bytes);
    QStringDecoder decoder(encoding.name.constData());
    const QString text = decoder.isValid() ? decoder.decode(bytes.mid(encoding.bom)) : QString();
    if (!decoder.isValid() || decoder.hasError()) {
        result = failure(AnnotateError::EncodingNotKept, QString::fromLatin1(encoding.name));
        return {};
    }
    const score::Part &carrier = score.parts[partIndex];
    PartLayout part;
    try {
        part = scanPart(text, carrier.id, score.measures);
    } catch (const score::FractionOverflow &) {
        result = failure(AnnotateError::Unreadable,
                         QStringLiteral("the score's durations are too large to place symbols"));
        return {};
    }
    std::set<Fraction> taken;
    for (const PlacedHarmony &harmony : part.harmonies)
        taken.insert(harmony.at);

    const bool unicode = encoding.name.toUpper().startsWith("UTF");
    std::vector<Insertion> insertions;
    qsizetype added = 0;
    std::vector<std::optional<TimedAnchors>> timed(part.measures.size());
    for (const size_t index : order) {
        const ChordSymbol &symbol = symbols[index];
        const auto measure = measureAt(score.measures, symbol.at);
        std::optional<SkipReason> skip;
        if (taken.count(symbol.at))
            skip = SkipReason::Taken;
        else if (!measure || *measure >= part.measures.size())
            skip = part.followed ? SkipReason::NoMeasure : SkipReason::Unfollowed;
        else if (part.emptyTags[*measure])
            skip = SkipReason::EmptyMeasure;
        const Anchor *anchor = nullptr;
        if (!skip) {
            auto &anchors = timed[*measure];
            if (!anchors)
                anchors = timedAnchors(part.measures[*measure]);
            anchor = anchorFor(*anchors, symbol.at);
            if (!anchor)
                skip = SkipReason::EmptyMeasure;
        }
        if (skip) {
            result.skipped.push_back({index, *skip});
            continue;
        }
        const QString offset = anchor->at == symbol.at
                                   ? QString()
                                   : divisionsText((symbol.at - anchor->at) * anchor->divisions);
        const Layout layout = layoutAt(text, anchor->offset);
        insertions.push_back(
            {anchor->offset,
             harmonyElement(writtenSymbol(symbol, carrier), offset, layout, unicode) +
                 layout.newline + (layout.newline.isEmpty() ? QString() : layout.indent)});
        added += insertions.back().text.size();
        // Refused before the copy is made: it would be no smaller encoded.
        if (text.size() + added > score::kMaxFileBytes) {
            result = failure(AnnotateError::TooLarge,
                             QStringLiteral("over %1 characters").arg(text.size() + added));
            return {};
        }
        ++result.written;
    }
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const Insertion &a, const Insertion &b) { return a.offset < b.offset; });
    std::sort(result.skipped.begin(), result.skipped.end(),
              [](const Skipped &a, const Skipped &b) { return a.index < b.index; });
    const auto spliced = splice(bytes, encoding, text, insertions);
    if (!spliced) {
        result = failure(AnnotateError::EncodingNotKept, QString::fromLatin1(encoding.name));
        return {};
    }
    return *spliced;
}

AnnotateResult tooLarge(qsizetype size)
{
    return failure(AnnotateError::TooLarge, QStringLiteral("%1 bytes").arg(size));
}

} // namespace

AnnotatedData annotateData(const QByteArray &in, const std::vector<ChordSymbol> &symbols,
                           OutputForm form, const AnnotateOptions &options)
{
    if (!options.digest.isEmpty() && scoreDigest(in) != options.digest)
        return {failure(AnnotateError::ScoreChanged), {}};
    score::ReadResult read;
    if (!options.score) {
        read = score::readScoreData(in);
        if (!read.ok)
            return {failure(AnnotateError::Unreadable, score::englishMessage(read)), {}};
    }
    const score::Score &score = options.score ? *options.score : read.score;
    const auto part = carryingPart(score, options.part);
    if (!part) {
        return {options.part.isEmpty() ? failure(AnnotateError::NoPartToCarry)
                                       : failure(AnnotateError::NoSuchPart, options.part),
                {}};
    }
    std::optional<ArchiveRoot> root;
    if (isArchive(in)) {
        root = archiveRoot(in);
        if (!root)
            return {failure(AnnotateError::Unreadable,
                            QStringLiteral("the archive's root file cannot be unpacked")),
                    {}};
    }
    AnnotatedData out;
    QByteArray annotated = annotateXml(root ? root->bytes : in, score, *part, symbols, out.result);
    if (!out.result.ok())
        return out;
    // Never a copy that the reader would refuse: neither the file nor the
    // unpacked root may pass its limit.
    if (annotated.size() > score::kMaxFileBytes)
        return {tooLarge(annotated.size()), {}};
    if (form == OutputForm::Plain) {
        out.bytes = annotated;
    } else if (root) {
        root->bytes = annotated;
        const ArchiveCopy copy = replaceMember(in, *root);
        if (!copy.encrypted.isEmpty())
            return {failure(AnnotateError::EncryptedMember, copy.encrypted), {}};
        out.bytes = copy.bytes;
    } else {
        out.bytes = newArchive(annotated);
    }
    if (out.bytes.isEmpty())
        return {failure(AnnotateError::CannotWrite,
                        QStringLiteral("the compressed archive could not be made")),
                {}};
    if (out.bytes.size() > score::kMaxFileBytes)
        return {tooLarge(out.bytes.size()), {}};
    return out;
}

AnnotateResult annotateFile(const QString &inPath, const std::vector<ChordSymbol> &symbols,
                            const QString &outPath, const AnnotateOptions &options)
{
    const auto form = outputFormFor(outPath);
    if (!form)
        return failure(AnnotateError::UnknownForm);
    // Read once: the analysis, the placement and the splice share it.
    AnnotateOptions once = options;
    QByteArray bytes;
    score::ReadResult read;
    if (!options.file || !options.score) {
        read = score::readScoreFile(inPath, bytes);
        if (!read.ok)
            return failure(AnnotateError::Unreadable, score::englishMessage(read));
        once.file = &bytes;
        once.score = &read.score;
    }
    // Through a symbolic or hard link too: the score must survive a
    // mistyped command.
    namespace fs = std::filesystem;
    const fs::path in(QFile::encodeName(inPath).toStdString());
    const fs::path out(QFile::encodeName(outPath).toStdString());
    std::error_code error;
    const fs::file_status status = fs::status(out, error);
    if (fs::exists(status) && fs::equivalent(in, out, error))
        return failure(AnnotateError::SameFile);
    // Renaming over a device or FIFO would replace it; a folder cannot be.
    if (fs::exists(status) && !fs::is_regular_file(status))
        return failure(AnnotateError::NotRegularFile);

    const AnnotatedData annotated = annotateData(*once.file, symbols, *form, once);
    if (!annotated.result.ok())
        return annotated.result;
    // Unbuffered: a buffered write that the disk or a file size limit cuts
    // short goes unnoticed, and commit() would put the truncated file in place.
    QSaveFile save(outPath);
    if (!save.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(AnnotateError::CannotWrite, save.errorString());
    const qint64 written = save.write(annotated.bytes);
    if (written != annotated.bytes.size()) {
        save.cancelWriting();
        return failure(AnnotateError::CannotWrite,
                       QStringLiteral("only %1 of %2 bytes could be written")
                           .arg(std::max<qint64>(written, 0))
                           .arg(annotated.bytes.size()));
    }
    if (!save.commit())
        return failure(AnnotateError::CannotWrite, save.errorString());
    return annotated.result;
}

QByteArray scoreDigest(const QByteArray &file)
{
    return QCryptographicHash::hash(file, QCryptographicHash::Sha256);
}

QByteArray fileDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return scoreDigest(file.read(score::kMaxFileBytes + 1));
}

size_t skippedFor(const AnnotateResult &result, SkipReason reason)
{
    return size_t(std::count_if(result.skipped.begin(), result.skipped.end(),
                                [reason](const Skipped &s) { return s.reason == reason; }));
}

std::optional<OutputForm> outputFormFor(const QString &path)
{
    const QString name = path.toLower();
    if (name.endsWith(QLatin1String(".mxl")))
        return OutputForm::Compressed;
    if (name.endsWith(QLatin1String(".musicxml")) || name.endsWith(QLatin1String(".xml")))
        return OutputForm::Plain;
    return std::nullopt;
}

QString englishMessage(const AnnotateResult &result)
{
    switch (result.error) {
    case AnnotateError::None:
        return {};
    case AnnotateError::UnknownForm:
        return QStringLiteral(
            "the annotated copy must end in .mxl (compressed), .musicxml or .xml");
    case AnnotateError::Unreadable:
        return QStringLiteral("cannot read the score: ") + result.detail;
    case AnnotateError::SameFile:
        return QStringLiteral("the annotated copy would replace the score itself; choose another "
                              "file");
    case AnnotateError::NotRegularFile:
        return QStringLiteral("the annotated copy cannot replace a folder, FIFO or device");
    case AnnotateError::BadSymbol:
        return QStringLiteral("chord symbol ") + result.detail;
    case AnnotateError::EncodingNotKept:
        return QStringLiteral("the score's text encoding (%1) cannot be kept as it is")
            .arg(result.detail);
    case AnnotateError::CannotWrite:
        return QStringLiteral("cannot write the annotated copy: ") + result.detail;
    case AnnotateError::NoSuchPart:
        return QStringLiteral("the score has no part %1 (give a part's id or its number from 1)")
            .arg(result.detail);
    case AnnotateError::NoPartToCarry:
        return QStringLiteral("every part is percussion or tablature: give the part to write "
                              "the chord symbols into");
    case AnnotateError::ScoreChanged:
        return QStringLiteral("the score has changed since its chords were found; open it again");
    case AnnotateError::TooLarge:
        return QStringLiteral("the annotated copy would be larger (%1) than the 64 MiB a score "
                              "may have; nothing was written")
            .arg(result.detail);
    case AnnotateError::EncryptedMember:
        return QStringLiteral("the compressed score holds an encrypted file (%1), which cannot "
                              "be copied")
            .arg(result.detail);
    }
    return {};
}

} // namespace chordvane::annotate
