#include "toppart.h"

#include <QXmlStreamReader>

namespace chordvane::annotate {

namespace {

using score::Fraction;

// Numbers the reader has already accepted; anything else counts as 0.
Fraction decimal(const QString &text)
{
    const QStringView digits = QStringView(text).trimmed();
    const qsizetype point = digits.indexOf(u'.');
    bool ok = false;
    const qint64 whole = (point < 0 ? digits : digits.left(point)).toLongLong(&ok);
    if (!ok && point != 0)
        return {};
    if (point < 0)
        return Fraction(whole);
    const QStringView decimals = digits.mid(point + 1).left(15);
    const qint64 fraction = decimals.isEmpty() ? 0 : decimals.toLongLong(&ok);
    if (!ok || fraction < 0)
        return {};
    qint64 scale = 1;
    for (qsizetype i = 0; i < decimals.size(); ++i)
        scale *= 10;
    const bool negative = digits.startsWith(u'-');
    return Fraction(whole) + Fraction(negative ? -fraction : fraction, scale);
}

class PartScanner {
public:
    PartScanner(const QString &text, const std::vector<score::Measure> &measures)
        : m_text(text)
        , m_xml(text)
        , m_measures(measures)
    {}
    PartLayout scan(const QString &partId);

private:
    // The '<' of the tag just read: attribute values cannot hold one.
    qsizetype tagStart() const { return m_text.lastIndexOf(u'<', m_xml.characterOffset() - 1); }
    void scanMeasure(const Fraction &start);
    Fraction childDuration();
    bool isNamed(const char *name) const { return m_xml.name() == QLatin1String(name); }

    const QString &m_text;
    QXmlStreamReader m_xml;
    const std::vector<score::Measure> &m_measures;
    PartLayout m_layout;
    Fraction m_divisions{1};
};

PartLayout PartScanner::scan(const QString &partId)
{
    if (!m_xml.readNextStartElement())
        return {};
    while (m_xml.readNextStartElement()) {
        if (!isNamed("part") || m_xml.attributes().value(QLatin1String("id")) != partId) {
            m_xml.skipCurrentElement();
            continue;
        }
        while (m_xml.readNextStartElement()) {
            const size_t index = m_layout.measures.size();
            if (isNamed("measure") && index < m_measures.size())
                scanMeasure(m_measures[index].start);
            else
                m_xml.skipCurrentElement();
        }
        break;
    }
    m_layout.followed = !m_xml.hasError();
    return std::move(m_layout);
}

// The <duration> among the current element's children, in quarter notes.
Fraction PartScanner::childDuration()
{
    Fraction duration;
    while (m_xml.readNextStartElement()) {
        if (isNamed("duration"))
            duration = decimal(m_xml.readElementText()) / m_divisions;
        else
            m_xml.skipCurrentElement();
    }
    return duration;
}

void PartScanner::scanMeasure(const Fraction &start)
{
    std::vector<Anchor> &anchors = m_layout.measures.emplace_back();
    Fraction cursor;
    while (m_xml.readNextStartElement()) {
        const qsizetype begin = tagStart();
        if (isNamed("note")) {
            bool grace = false;
            bool chord = false;
            Fraction duration;
            while (m_xml.readNextStartElement()) {
                grace |= isNamed("grace");
                chord |= isNamed("chord");
                if (isNamed("duration"))
                    duration = decimal(m_xml.readElementText()) / m_divisions;
                else
                    m_xml.skipCurrentElement();
            }
            // A chord's later notes start with its first, and grace notes
            // lead into the note they ornament: the symbol goes before both.
            if (!chord)
                anchors.push_back({begin, start + cursor, m_divisions});
            if (!chord && !grace)
                cursor += duration;
        } else if (isNamed("backup")) {
            cursor = std::max(Fraction(0), cursor - childDuration());
        } else if (isNamed("forward")) {
            cursor += childDuration();
        } else if (isNamed("attributes")) {
            while (m_xml.readNextStartElement()) {
                if (isNamed("divisions")) {
                    if (const Fraction divisions = decimal(m_xml.readElementText());
                        divisions > Fraction(0))
                        m_divisions = divisions;
                } else
                    m_xml.skipCurrentElement();
            }
        } else if (isNamed("harmony")) {
            Fraction offset;
            while (m_xml.readNextStartElement()) {
                if (isNamed("offset"))
                    offset = decimal(m_xml.readElementText()) / m_divisions;
                else
                    m_xml.skipCurrentElement();
            }
            m_layout.harmonies.push_back({start + cursor + offset, begin, m_xml.characterOffset()});
        } else {
            m_xml.skipCurrentElement();
        }
    }
    if (m_xml.hasError()) {
        // What was read of this measure may lack its later notes.
        m_layout.measures.pop_back();
        m_layout.followed = false;
        return;
    }
    // An empty <measure/> has no end tag to stand before.
    const qsizetype end = tagStart();
    const bool endTag = end >= 0 && end + 1 < m_text.size() && m_text[end + 1] == u'/';
    if (endTag)
        anchors.push_back({end, start + cursor, m_divisions, false});
    m_layout.emptyTags.push_back(!endTag && anchors.empty());
}

} // namespace

PartLayout scanPart(const QString &text, const QString &partId,
                    const std::vector<score::Measure> &measures)
{
    return PartScanner(text, measures).scan(partId);
}

} // namespace chordvane::annotate
