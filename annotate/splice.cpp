#include "splice.h"

#include <QRegularExpression>
#include <QStringEncoder>

namespace chordvane::annotate {

namespace {
constexpr qsizetype kMaxIndent = 64;
}

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

Layout layoutAt(const QString &text, qsizetype offset)
{
    qsizetype lineStart = offset;
    while (lineStart > 0 && (text[lineStart - 1] == u' ' || text[lineStart - 1] == u'\t'))
        --lineStart;
    if (lineStart == 0 || (text[lineStart - 1] != u'\n' && text[lineStart - 1] != u'\r'))
        return {};
    const bool crlf =
        text[lineStart - 1] == u'\n' && lineStart >= 2 && text[lineStart - 2] == u'\r';
    // An indentation past any a program writes would be repeated on every
    // line of every symbol: the symbol goes inline instead.
    if (offset - lineStart > kMaxIndent)
        return {};
    const QString indent = text.mid(lineStart, offset - lineStart);
    return {crlf ? QStringLiteral("\r\n") : QString(text[lineStart - 1]), indent,
            indent.contains(u'\t') ? QStringLiteral("\t") : QStringLiteral("  ")};
}

} // namespace chordvane::annotate
