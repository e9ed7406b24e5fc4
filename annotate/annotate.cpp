#include "annotate.h"

#include "archive.h"
#include "harmonyxml.h"
#include "score.h"
#include "toppart.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

struct Encoding {
    QByteArray name;
    qsizetype bom = 0; // bytes of byte-order mark, kept as they are
};

// As XML tells it: a byte-order mark, the bytes of "<" in a wide encoding,
// the declaration, or else UTF-8.
Encoding documentEncoding(const QByteArray &bytes)
{
    const std::pair<QByteArray, Encoding> marks[] = {
        {QByteArray("\xEF\xBB\xBF"), {"UTF-8", 3}},
        {QByteArray("\xFF\xFE\0\0", 4), {"UTF-32LE", 4}},
        {QByteArray("\0\0\xFE\xFF", 4), {"UTF-32BE", 4}},
        {QByteArray("\xFF\xFE"), {"UTF-16LE", 2}},
        {QByteArray("\xFE\xFF"), {"UTF-16BE", 2}},
        {QByteArray("<\0\0\0", 4), {"UTF-32LE", 0}},
        {QByteArray("\0\0\0<", 4), {"UTF-32BE", 0}},
        {QByteArray("<\0", 2), {"UTF-16LE", 0}},
        {QByteArray("\0<", 2), {"UTF-16BE", 0}},
    };
    for (const auto &[mark, encoding] : marks) {
        if (bytes.startsWith(mark))
            return encoding;
    }
    static const QRegularExpression declared(
        QStringLiteral(R"(^<\?xml[^>]*\sencoding\s*=\s*["']([A-Za-z0-9._:-]{1,40})["'])"));
    const auto match = declared.match(QString::fromLatin1(bytes.left(200)));
    return {match.hasMatch() ? match.captured(1).toLatin1() : QByteArray("UTF-8"), 0};
}

struct Insertion {
    qsizetype offset; // in the decoded text
    QString text;
};

// The original bytes with the insertions between them. Each stretch of
// the original is encoded back and checked against what it was, so that
// nothing a decoder would have changed slips through.
std::optional<QByteArray> splice(const QByteArray &bytes, const Encoding &encoding,
                                 const QString &text, const std::vector<Insertion> &insertions)
{
    QStringEncoder encoder(encoding.name.constData());
    QByteArray out = bytes.left(encoding.bom);
    qsizetype from = 0;
    qsizetype byte = encoding.bom;
    auto copyTo = [&](qsizetype to) {
        const QByteArray piece = encoder.encode(QStringView(text).mid(from, to - from));
        if (encoder.hasError() || byte + piece.size() > bytes.size() ||
            QByteArrayView(bytes).sliced(byte, piece.size()) != piece)
            return false;
        out += piece;
        byte += piece.size();
        from = to;
        return true;
    };
    for (const Insertion &insertion : insertions) {
        if (!copyTo(insertion.offset))
            return std::nullopt;
        out += encoder.encode(insertion.text);
    }
    if (!copyTo(text.size()) || byte != bytes.size() || encoder.hasError())
        return std::nullopt;
    return out;
}

// The new element takes the line and indentation of what it goes before;
// in text without line breaks it goes inline.
Layout layoutAt(const QString &text, qsizetype offset)
{
    qsizetype lineStart = offset;
    while (lineStart > 0 && (text[lineStart - 1] == u' ' || text[lineStart - 1] == u'\t'))
        --lineStart;
    if (lineStart == 0 || (text[lineStart - 1] != u'\n' && text[lineStart - 1] != u'\r'))
        return {};
    const bool crlf =
        text[lineStart - 1] == u'\n' && lineStart >= 2 && text[lineStart - 2] == u'\r';
    const QString indent = text.mid(lineStart, offset - lineStart);
    return {crlf ? QStringLiteral("\r\n") : QString(text[lineStart - 1]), indent,
            indent.contains(u'\t') ? QStringLiteral("\t") : QStringLiteral("  ")};
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

// Where a symbol at `at` goes: before the note that starts then; else
// before the latest note that starts earlier, so that a program that
// ignores <offset> still shows it over the note sounding then; else before
// the first later note, or the measure's end.
const Anchor *anchorFor(const std::vector<Anchor> &anchors, const Fraction &at)
{
    const Anchor *before = nullptr;
    const Anchor *after = nullptr;
    const Anchor *end = nullptr;
    for (const Anchor &anchor : anchors) {
        if (!anchor.note)
            end = &anchor;
        else if (anchor.at == at)
            return &anchor;
        else if (anchor.at < at && (!before || anchor.at > before->at))
            before = &anchor;
        else if (anchor.at > at && (!after || anchor.at < after->at))
            after = &anchor;
    }
    return before ? before : after ? after : end;
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

// The score's XML (a plain file or an archive's root) with the symbols spliced in.
QByteArray annotateXml(const QByteArray &bytes, const score::Score &score,
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
    PartLayout part;
    try {
        part = scanPart(text, score.parts.front().id, score.measures);
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
    for (const size_t index : order) {
        const ChordSymbol &symbol = symbols[index];
        const auto measure = measureAt(score.measures, symbol.at);
        const Anchor *anchor = measure && *measure < part.measures.size() && !taken.count(symbol.at)
                                   ? anchorFor(part.measures[*measure], symbol.at)
                                   : nullptr;
        if (!anchor) {
            result.skipped.push_back(index);
            continue;
        }
        const QString offset = anchor->at == symbol.at
                                   ? QString()
                                   : divisionsText((symbol.at - anchor->at) * anchor->divisions);
        const Layout layout = layoutAt(text, anchor->offset);
        insertions.push_back(
            {anchor->offset, harmonyElement(symbol, offset, layout, unicode) + layout.newline +
                                 (layout.newline.isEmpty() ? QString() : layout.indent)});
        ++result.written;
    }
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const Insertion &a, const Insertion &b) { return a.offset < b.offset; });
    std::sort(result.skipped.begin(), result.skipped.end());
    const auto spliced = splice(bytes, encoding, text, insertions);
    if (!spliced) {
        result = failure(AnnotateError::EncodingNotKept, QString::fromLatin1(encoding.name));
        return {};
    }
    return *spliced;
}

} // namespace

AnnotatedData annotateData(const QByteArray &in, const std::vector<ChordSymbol> &symbols,
                           OutputForm form)
{
    const score::ReadResult read = score::readScoreData(in);
    if (!read.ok)
        return {failure(AnnotateError::Unreadable, score::englishMessage(read)), {}};
    std::optional<ArchiveRoot> root;
    if (isArchive(in)) {
        root = archiveRoot(in);
        if (!root)
            return {failure(AnnotateError::Unreadable,
                            QStringLiteral("the archive's root file cannot be unpacked")),
                    {}};
    }
    AnnotatedData out;
    QByteArray annotated = annotateXml(root ? root->bytes : in, read.score, symbols, out.result);
    if (!out.result.ok())
        return out;
    if (form == OutputForm::Plain) {
        out.bytes = annotated;
    } else if (root) {
        root->bytes = annotated;
        out.bytes = replaceMember(in, *root);
    } else {
        out.bytes = newArchive(annotated);
    }
    if (out.bytes.isEmpty())
        return {failure(AnnotateError::CannotWrite,
                        QStringLiteral("the compressed archive could not be made")),
                {}};
    return out;
}

AnnotateResult annotateFile(const QString &inPath, const std::vector<ChordSymbol> &symbols,
                            const QString &outPath)
{
    const auto form = outputFormFor(outPath);
    if (!form)
        return failure(AnnotateError::UnknownForm);
    const score::ReadResult read = score::readScoreFile(inPath);
    if (!read.ok)
        return failure(AnnotateError::Unreadable, score::englishMessage(read));
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

    QFile file(inPath);
    if (!file.open(QIODevice::ReadOnly))
        return failure(AnnotateError::Unreadable, file.errorString());
    const AnnotatedData annotated =
        annotateData(file.read(score::kMaxFileBytes + 1), symbols, *form);
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
    }
    return {};
}

} // namespace chordvane::annotate
