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

ReadResult failure(ReadError error, const QString &detail, const QString &value)
{
    ReadResult result;
    result.error = error;
    result.detail = detail;
    result.value = value;
    return result;
}

ReadResult xmlFailure(const QXmlStreamReader &xml)
{
    ReadResult result = xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
                            ? failure(ReadError::EndsEarly)
                            : failure(ReadError::BrokenXml, xml.errorString());
    result.line = xml.lineNumber();
    result.column = xml.columnNumber();
    return result;
}

// A DOCTYPE may name the MusicXML DTD, which is never fetched, but must not
// declare entities: they are how XML files make a reader expand or fetch
// what it was not given.
bool openDocument(QXmlStreamReader &xml, ReadResult &why)
{
    xml.setEntityExpansionLimit(kEntityExpansionLimit);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty()) {
            why = failure(ReadError::EntitiesDeclared);
            return false;
        }
        if (token == QXmlStreamReader::StartElement)
            return true;
    }
    // Without any element the reader only says the document ended early.
    why = xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
              ? failure(ReadError::NotXml)
              : failure(ReadError::NotXml, xml.errorString());
    why.line = xml.lineNumber();
    why.column = xml.columnNumber();
    return false;
}

std::optional<Fraction> XmlWalk::decimal(const char *element, bool zeroAllowed)
{
    const QString value = text();
    const auto parsed = parseDecimal(value);
    if (!parsed || *parsed < Fraction(0) || (*parsed == Fraction(0) && !zeroAllowed)) {
        fail(ReadError::BadNumber, QLatin1String(element), value);
        return std::nullopt;
    }
    return parsed;
}

std::optional<int> XmlWalk::integer(const char *element, int min, int max)
{
    const QString value = text();
    const auto parsed = parseInteger(value, std::max(-min, max));
    if (!parsed || *parsed < min || *parsed > max) {
        fail(ReadError::BadNumber, QLatin1String(element), value);
        return std::nullopt;
    }
    return parsed;
}

void XmlWalk::fail(ReadError error, const QString &detail, const QString &value)
{
    if (m_xml.hasError())
        return;
    ReadResult &failure = m_failure.emplace(score::failure(error, detail, clip(value)));
    failure.part = m_part;
    failure.measure = m_measure;
    failure.line = m_xml.lineNumber();
    failure.column = m_xml.columnNumber();
    // Stops every loop over the document.
    m_xml.raiseError();
}

ReadResult XmlWalk::failure() const
{
    return m_failure ? *m_failure : xmlFailure(m_xml);
}

} // namespace chordvane::score
