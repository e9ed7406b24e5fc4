#include "xmlwalk.h"

namespace chordvane::score {

namespace {

// Entities are refused outright; the limit guards what Qt still expands.
constexpr int kEntityExpansionLimit = 1024;
constexpr int kMaxDecimalDigits = 15;

} // namespace

std::optional<Fraction> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    std::int64_t digits = 0;
    std::int64_t scale = 1;
    int count = 0;
    bool point = false;
    for (const QChar c : text) {
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9' || ++count > kMaxDecimalDigits)
            return std::nullopt;
        digits = digits * 10 + (c.unicode() - u'0');
        if (point)
            scale *= 10;
    }
    if (count == 0)
        return std::nullopt;
    return Fraction(negative ? -digits : digits, scale);
}

std::optional<int> parseInteger(QStringView text, int limit)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < -limit || value > limit)
        return std::nullopt;
    return value;
}

// A DOCTYPE may name the MusicXML DTD, which is never fetched, but must not
// declare entities: they are how XML files make a reader expand or fetch
// what it was not given.
bool openDocument(QXmlStreamReader &xml, QString &error)
{
    xml.setEntityExpansionLimit(kEntityExpansionLimit);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty()) {
            error = QStringLiteral("the file declares XML entities, which are not read");
            return false;
        }
        if (token == QXmlStreamReader::StartElement)
            return true;
    }
    error = xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
                ? QStringLiteral("not an XML file: it has no element")
                : QStringLiteral("not an XML file (%1)").arg(xml.errorString());
    return false;
}

QString xmlError(const QXmlStreamReader &xml)
{
    switch (xml.error()) {
    case QXmlStreamReader::CustomError:
        return xml.errorString();
    case QXmlStreamReader::PrematureEndOfDocumentError:
        return QStringLiteral("the file ends too early; it may be truncated");
    default:
        return QStringLiteral("broken XML at line %1: %2")
            .arg(xml.lineNumber())
            .arg(xml.errorString());
    }
}

ReadResult failure(const QString &message)
{
    ReadResult result;
    result.error = message;
    return result;
}

std::optional<Fraction> XmlWalk::decimal(const char *element, bool zeroAllowed)
{
    const QString value = text();
    const auto parsed = parseDecimal(value);
    if (!parsed || *parsed < Fraction(0) || (*parsed == Fraction(0) && !zeroAllowed)) {
        fail(QStringLiteral("bad <%1> \"%2\"").arg(QLatin1String(element), value.left(20)));
        return std::nullopt;
    }
    return parsed;
}

std::optional<int> XmlWalk::integer(const char *element, int min, int max)
{
    const QString value = text();
    const auto parsed = parseInteger(value, std::max(-min, max));
    if (!parsed || *parsed < min || *parsed > max) {
        fail(QStringLiteral("bad <%1> \"%2\"").arg(QLatin1String(element), value.left(20)));
        return std::nullopt;
    }
    return parsed;
}

void XmlWalk::fail(const QString &message)
{
    if (!m_xml.hasError())
        m_xml.raiseError(m_place.isEmpty() ? message : m_place + QStringLiteral(": ") + message);
}

} // namespace chordvane::score
