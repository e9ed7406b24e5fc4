#pragma once

#include "score.h"

#include <QXmlStreamReader>

#include <optional>

namespace chordvane::score {

// MusicXML durations and divisions are decimals ("483", rarely "240.5"):
// an optional sign and at most 15 digits.
std::optional<Fraction> parseDecimal(QStringView text);
// A whole number from -limit to limit.
std::optional<int> parseInteger(QStringView text, int limit);

// Text from the file as an error quotes it.
inline QString clip(QStringView text)
{
    return text.left(40).toString();
}

ReadResult failure(ReadError error, const QString &detail = {}, const QString &value = {});
// The stream reader's own error (broken XML, a truncated file) and where it stands.
ReadResult xmlFailure(const QXmlStreamReader &xml);
// Moves to the root element, refusing a document that declares entities;
// on failure, false with `why` set.
bool openDocument(QXmlStreamReader &xml, ReadResult &why);

// Walks a document's elements and keeps the first failure: reporting one
// raises an error in the stream reader, which ends every loop over it.
class XmlWalk {
public:
    explicit XmlWalk(QXmlStreamReader &xml)
        : m_xml(xml)
    {}

    // Moves to the current element's next child; false at its end or after a failure.
    bool nextChild() { return m_xml.readNextStartElement(); }
    // Ask before reading on: the name lives in the reader's buffer, which
    // reading may move.
    bool is(QStringView name) const { return m_xml.name() == name; }
    QString attribute(const char *name) const
    {
        return m_xml.attributes().value(QLatin1String(name)).toString();
    }
    // The element's own text, child elements skipped.
    QString text(bool trimmed = true)
    {
        const QString text = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
        return trimmed ? text.trimmed() : text;
    }
    void skip() { m_xml.skipCurrentElement(); }

    // A non-negative decimal, zero only where allowed.
    std::optional<Fraction> decimal(const char *element, bool zeroAllowed);
    // A whole number from min to max.
    std::optional<int> integer(const char *element, int min, int max);

    // Where in the score the walk stands, for errors; empty outside a measure.
    void setPlace(const QString &part, const QString &measure)
    {
        m_part = clip(part);
        m_measure = clip(measure);
    }
    // Records the first failure, with the place and the element's position;
    // value is cut to 40 characters.
    void fail(ReadError error, const QString &detail = {}, const QString &value = {});
    bool failed() const { return m_xml.hasError(); }
    // The failure recorded, or else the stream reader's own error.
    ReadResult failure() const;

private:
    QXmlStreamReader &m_xml;
    QString m_part;
    QString m_measure;
    std::optional<ReadResult> m_failure;
};

} // namespace chordvane::score
