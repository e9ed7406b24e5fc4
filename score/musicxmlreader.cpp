#include "score.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include <algorithm>
#include <map>

namespace chordvane::score {

namespace {

// Entities are refused outright; the limit guards what Qt still expands.
constexpr int kEntityExpansionLimit = 1024;
constexpr int kMaxDecimalDigits = 15;
constexpr qint64 kReadChunk = 1 << 16;
constexpr const char *kContainerPath = "META-INF/container.xml";

ReadResult failure(const QString &message)
{
    ReadResult result;
    result.error = message;
    return result;
}

// MusicXML durations and divisions are decimals ("483", rarely "240.5").
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

// Moves to the root element. A DOCTYPE may name the MusicXML DTD, which is
// never fetched, but must not declare entities: they are how XML files make
// a reader expand or fetch what it was not given.
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

struct RawNote {
    int measure = 0;
    Fraction start; // from the measure's start
    Fraction duration;
    int written = 0;
    int transposition = 0;
    bool tieStart = false;
    bool tieStop = false;
    int voice = 1;
    int staff = 1;
};

struct RawSetting {
    int measure = 0;
    Fraction at;
    int transposition = 0;
    QString clef;
};

struct RawMeasure {
    QString number;
    Fraction extent;                 // the furthest any note, rest or forward reaches
    std::optional<Fraction> nominal; // from the time signature
    bool implicit = false;
};

struct RawPart {
    QString id;
    std::vector<RawMeasure> measures;
    std::vector<RawNote> notes;
    std::vector<RawSetting> settings;
};

// One pass over a score-partwise document; errors go into the stream
// reader (raiseError), which stops every loop below.
class PartwiseParser {
public:
    explicit PartwiseParser(QXmlStreamReader &xml)
        : m_xml(xml)
    {}
    void parse();
    ReadResult result() const;

private:
    void fail(const QString &message);
    QString text() { return m_xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed(); }
    std::optional<Fraction> decimal(const char *what, bool zeroAllowed);
    void parseDefaults();
    void parsePartList();
    void parsePart();
    void parseMeasure(RawPart &part);
    void parseAttributes(RawPart &part);
    void parseTranspose();
    void parseNote(RawPart &part);
    void moveCursor(const Fraction &distance, bool forward);
    int transpositionOfStaff(int staff) const;

    QXmlStreamReader &m_xml;
    bool m_concert = false;
    std::vector<std::pair<QString, QString>> m_partList; // id, name
    std::vector<RawPart> m_parts;

    // Where the part being read stands.
    QString m_place;
    Fraction m_divisions{1};
    Fraction m_cursor;
    Fraction m_lastStart;
    RawMeasure *m_measure = nullptr;
    std::optional<Fraction> m_timeLength;
    QHash<int, int> m_transpose; // by staff; 0 for every staff
    QHash<int, QString> m_clef;  // by staff
};

void PartwiseParser::fail(const QString &message)
{
    if (!m_xml.hasError())
        m_xml.raiseError(m_place.isEmpty() ? message : m_place + QStringLiteral(": ") + message);
}

std::optional<Fraction> PartwiseParser::decimal(const char *what, bool zeroAllowed)
{
    const QString value = text();
    const auto parsed = parseDecimal(value);
    if (!parsed || *parsed < Fraction(0) || (*parsed == Fraction(0) && !zeroAllowed)) {
        fail(QStringLiteral("bad <%1> \"%2\"").arg(QLatin1String(what), value.left(20)));
        return std::nullopt;
    }
    return parsed;
}

void PartwiseParser::parse()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"defaults")
            parseDefaults();
        else if (m_xml.name() == u"part-list")
            parsePartList();
        else if (m_xml.name() == u"part")
            parsePart();
        else
            m_xml.skipCurrentElement();
    }
}

void PartwiseParser::parseDefaults()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"concert-score")
            m_concert = true;
        m_xml.skipCurrentElement();
    }
}

void PartwiseParser::parsePartList()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != u"score-part") {
            m_xml.skipCurrentElement();
            continue;
        }
        QString id = m_xml.attributes().value(QLatin1String("id")).toString();
        QString name;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"part-name")
                name = text();
            else
                m_xml.skipCurrentElement();
        }
        m_partList.emplace_back(std::move(id), std::move(name));
    }
}

void PartwiseParser::parsePart()
{
    RawPart part;
    part.id = m_xml.attributes().value(QLatin1String("id")).toString();
    m_divisions = Fraction(1);
    m_timeLength.reset();
    m_transpose.clear();
    m_clef.clear();
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"measure")
            parseMeasure(part);
        else
            m_xml.skipCurrentElement();
    }
    m_place.clear();
    m_measure = nullptr;
    m_parts.push_back(std::move(part));
}

void PartwiseParser::parseMeasure(RawPart &part)
{
    RawMeasure &measure = part.measures.emplace_back();
    measure.number = m_xml.attributes().value(QLatin1String("number")).toString();
    measure.implicit = m_xml.attributes().value(QLatin1String("implicit")) == u"yes";
    m_place =
        QStringLiteral("part \"%1\", measure %2").arg(part.id.left(40), measure.number.left(20));
    m_measure = &measure;
    m_cursor = m_lastStart = Fraction(0);
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"attributes") {
            parseAttributes(part);
        } else if (name == u"note") {
            parseNote(part);
        } else if (name == u"backup" || name == u"forward") {
            const bool forward = name == u"forward";
            std::optional<Fraction> duration;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == u"duration")
                    duration = decimal("duration", true);
                else
                    m_xml.skipCurrentElement();
            }
            if (duration)
                moveCursor(*duration / m_divisions, forward);
        } else {
            m_xml.skipCurrentElement();
        }
    }
    measure.nominal = m_timeLength;
}

void PartwiseParser::moveCursor(const Fraction &distance, bool forward)
{
    if (forward) {
        m_cursor += distance;
        m_measure->extent = std::max(m_measure->extent, m_cursor);
    } else {
        // A backup past the bar line goes no further than the measure's start.
        m_cursor = std::max(Fraction(0), m_cursor - distance);
    }
}

int PartwiseParser::transpositionOfStaff(int staff) const
{
    return m_transpose.value(staff, m_transpose.value(0, 0));
}

void PartwiseParser::parseAttributes(RawPart &part)
{
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"divisions") {
            if (const auto divisions = decimal("divisions", false))
                m_divisions = *divisions;
        } else if (name == u"time") {
            Fraction beats;
            std::optional<Fraction> beatType;
            while (m_xml.readNextStartElement()) {
                // Composite signatures such as 3+2/8 add up.
                const QString value = text();
                if (m_xml.name() == u"beats") {
                    for (const QStringView term : QStringView(value).split(u'+')) {
                        if (const auto n = parseInteger(term.trimmed(), 1000))
                            beats += Fraction(*n);
                    }
                } else if (m_xml.name() == u"beat-type") {
                    if (const auto n = parseInteger(value, 1024); n && *n > 0)
                        beatType = Fraction(*n);
                }
            }
            if (beatType && beats > Fraction(0))
                m_timeLength = beats * Fraction(4) / *beatType;
        } else if (name == u"transpose") {
            parseTranspose();
        } else if (name == u"clef") {
            const int staff = m_xml.attributes().value(QLatin1String("number")).toInt();
            while (m_xml.readNextStartElement()) {
                // clef-octave-change only moves the clef: the notes' pitches
                // already say where they sound.
                if (m_xml.name() == u"sign")
                    m_clef[std::max(staff, 1)] = text().left(20);
                else
                    m_xml.skipCurrentElement();
            }
        } else {
            m_xml.skipCurrentElement();
        }
    }
    const RawSetting setting{static_cast<int>(part.measures.size()) - 1, m_cursor,
                             transpositionOfStaff(1), m_clef.value(1)};
    part.settings.push_back(setting);
}

void PartwiseParser::parseTranspose()
{
    const int staff = m_xml.attributes().value(QLatin1String("number")).toInt();
    int chromatic = 0;
    int octaves = 0;
    while (m_xml.readNextStartElement()) {
        // A copy: reading the text may move the buffer name() points into.
        const QString name = m_xml.name().toString();
        if (name == u"chromatic" || name == u"octave-change") {
            const QString value = text();
            const auto n = parseInteger(value, name == u"chromatic" ? 48 : 10);
            if (!n) {
                fail(QStringLiteral("bad <%1> \"%2\"").arg(name, value.left(20)));
                return;
            }
            (name == u"chromatic" ? chromatic : octaves) = *n;
        } else {
            m_xml.skipCurrentElement();
        }
    }
    // A concert-pitch score is written as it sounds except for octave
    // transpositions, the only ones MusicXML allows it to keep.
    const int semitones = (m_concert ? 0 : chromatic) + 12 * octaves;
    if (staff <= 0)
        m_transpose.clear();
    m_transpose[std::max(staff, 0)] = semitones;
}

void PartwiseParser::parseNote(RawPart &part)
{
    bool grace = false;
    bool silent = false; // cue, rest or unpitched
    bool chord = false;
    bool pitched = false;
    QString step;
    Fraction alter;
    std::optional<int> octave;
    std::optional<Fraction> duration;
    RawNote note;
    note.measure = static_cast<int>(part.measures.size()) - 1;
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"grace") {
            grace = true;
            m_xml.skipCurrentElement();
        } else if (name == u"cue" || name == u"rest" || name == u"unpitched") {
            silent = true;
            m_xml.skipCurrentElement();
        } else if (name == u"chord") {
            chord = true;
            m_xml.skipCurrentElement();
        } else if (name == u"pitch") {
            pitched = true;
            while (m_xml.readNextStartElement()) {
                // name() points into the reader's buffer, which reading the
                // text may move: decide what the element is first.
                if (m_xml.name() == u"step") {
                    step = text();
                } else if (m_xml.name() == u"alter") {
                    const QString value = text();
                    const auto parsed = parseDecimal(value);
                    if (!parsed || *parsed < Fraction(-24) || *parsed > Fraction(24))
                        fail(QStringLiteral("bad <alter> \"%1\"").arg(value.left(20)));
                    else
                        alter = *parsed;
                } else if (m_xml.name() == u"octave") {
                    const QString value = text();
                    octave = parseInteger(value, 9);
                    if (!octave || *octave < 0)
                        fail(QStringLiteral("bad <octave> \"%1\"").arg(value.left(20)));
                } else {
                    m_xml.skipCurrentElement();
                }
            }
        } else if (name == u"duration") {
            duration = decimal("duration", true);
        } else if (name == u"tie") {
            const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
            note.tieStart |= type == u"start";
            note.tieStop |= type == u"stop";
            m_xml.skipCurrentElement();
        } else if (name == u"notations") {
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == u"tied") {
                    const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
                    note.tieStart |= type == u"start";
                    note.tieStop |= type == u"stop";
                }
                m_xml.skipCurrentElement();
            }
        } else if (name == u"voice") {
            note.voice = text().toInt();
        } else if (name == u"staff") {
            note.staff = std::max(text().toInt(), 1);
        } else {
            m_xml.skipCurrentElement();
        }
    }
    // Grace notes take no time and sound for no moment; skipping them whole
    // keeps a grace chord from becoming the start of the main chord.
    if (grace || m_xml.hasError())
        return;
    if (!duration) {
        fail(QStringLiteral("a note has no <duration>"));
        return;
    }
    note.duration = *duration / m_divisions;
    note.start = chord ? m_lastStart : m_cursor;
    if (!chord) {
        m_lastStart = m_cursor;
        m_cursor += note.duration;
    }
    m_measure->extent = std::max(m_measure->extent, note.start + note.duration);
    if (silent || !pitched)
        return;
    static constexpr int kStepSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (step.size() != 1 || step[0] < u'A' || step[0] > u'G' || !octave) {
        fail(QStringLiteral("bad <pitch>: step \"%1\"").arg(step.left(20)));
        return;
    }
    // Quarter tones round to the nearest semitone, halves upward.
    const Fraction twice = alter * Fraction(2) + Fraction(1);
    const std::int64_t semitones =
        twice.numerator() >= 0
            ? twice.numerator() / (2 * twice.denominator())
            : -((-twice.numerator() + 2 * twice.denominator() - 1) / (2 * twice.denominator()));
    note.written =
        12 * (*octave + 1) + kStepSemitones[step[0].unicode() - u'A'] + static_cast<int>(semitones);
    note.transposition = transpositionOfStaff(note.staff);
    part.notes.push_back(note);
}

// Joins tied notes: a note whose tie stops where an earlier note of the same
// written pitch ends continues that note instead of attacking again. A tie
// that never stops just ends with its note.
std::vector<PartNote> joinTies(const std::vector<PartNote> &notes, const std::vector<RawNote> &raw,
                               const std::vector<size_t> &order)
{
    std::vector<PartNote> joined;
    // Notes whose tie is still open, by written pitch and end: a stop must
    // meet its start exactly, and a lookup stays cheap however many ties
    // are left dangling.
    std::map<std::pair<int, Fraction>, std::vector<size_t>> open;
    for (const size_t i : order) {
        const PartNote &note = notes[i];
        const auto waiting = raw[i].tieStop ? open.find({note.written, note.start}) : open.end();
        if (waiting != open.end()) {
            std::vector<size_t> &candidates = waiting->second;
            const auto sameVoice =
                std::find_if(candidates.begin(), candidates.end(),
                             [&](size_t j) { return joined[j].voice == note.voice; });
            const auto match = sameVoice != candidates.end() ? sameVoice : candidates.begin();
            const size_t held = *match;
            candidates.erase(match);
            if (candidates.empty())
                open.erase(waiting);
            joined[held].end = note.end;
            if (raw[i].tieStart)
                open[{note.written, note.end}].push_back(held);
            continue;
        }
        joined.push_back(note);
        if (raw[i].tieStart)
            open[{note.written, note.end}].push_back(joined.size() - 1);
    }
    return joined;
}

// The measures of all parts side by side: the i-th measure of every part
// starts where the longest (i-1)-th ended.
std::vector<Measure> lineUpMeasures(const std::vector<RawPart> &parts)
{
    size_t count = 0;
    for (const RawPart &part : parts)
        count = std::max(count, part.measures.size());
    std::vector<Measure> measures(count);
    Fraction start;
    for (size_t i = 0; i < count; ++i) {
        Measure &measure = measures[i];
        measure.start = start;
        bool implicit = false;
        std::optional<Fraction> nominal;
        bool numbered = false;
        for (const RawPart &part : parts) {
            if (i >= part.measures.size())
                continue;
            const RawMeasure &raw = part.measures[i];
            if (!numbered) {
                measure.number = raw.number;
                numbered = true;
            }
            measure.length = std::max(measure.length, raw.extent);
            implicit |= raw.implicit;
            if (raw.nominal)
                nominal = std::max(nominal.value_or(Fraction(0)), *raw.nominal);
        }
        // A pickup or other implicit measure is as long as its notes; any
        // other is at least as long as its time signature.
        if (!implicit && nominal)
            measure.length = std::max(measure.length, *nominal);
        start += measure.length;
    }
    return measures;
}

// A part's notes and settings at their places in the score.
void placePart(const RawPart &raw, const std::vector<Measure> &measures, Part &part)
{
    std::vector<PartNote> notes;
    notes.reserve(raw.notes.size());
    for (const RawNote &note : raw.notes) {
        const Fraction at = measures[note.measure].start + note.start;
        notes.push_back({note.written, note.written + note.transposition, at, at + note.duration,
                         note.voice, note.staff});
    }
    std::vector<size_t> order(notes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return notes[a].start < notes[b].start; });
    part.notes = joinTies(notes, raw.notes, order);

    // Attributes after a backup can stand earlier than ones before it.
    std::vector<PartSetting> settings{{}};
    for (const RawSetting &setting : raw.settings) {
        settings.push_back(
            {measures[setting.measure].start + setting.at, setting.transposition, setting.clef});
    }
    std::stable_sort(settings.begin(), settings.end(),
                     [](const auto &a, const auto &b) { return a.at < b.at; });
    for (const PartSetting &setting : settings) {
        if (!part.settings.empty() && part.settings.back().at == setting.at)
            part.settings.pop_back();
        part.settings.push_back(setting);
    }
}

ReadResult PartwiseParser::result() const
{
    if (m_parts.empty())
        return failure(QStringLiteral("the score has no parts"));
    QSet<QString> listed;
    for (const auto &entry : m_partList) {
        if (listed.contains(entry.first))
            return failure(
                QStringLiteral("the part list names \"%1\" twice").arg(entry.first.left(40)));
        listed.insert(entry.first);
    }
    QHash<QString, const RawPart *> byId;
    for (const RawPart &part : m_parts) {
        const QString quoted = QStringLiteral("part \"%1\"").arg(part.id.left(40));
        if (byId.contains(part.id))
            return failure(quoted + QStringLiteral(" appears twice"));
        if (!listed.contains(part.id))
            return failure(quoted + QStringLiteral(" is not in the part list"));
        if (part.measures.empty())
            return failure(quoted + QStringLiteral(" is empty"));
        byId.insert(part.id, &part);
    }

    ReadResult result;
    result.score.measures = lineUpMeasures(m_parts);
    for (const auto &[id, name] : m_partList) {
        const RawPart *raw = byId.value(id);
        if (!raw)
            return failure(
                QStringLiteral("part \"%1\" (%2) is missing").arg(id.left(40), name.left(40)));
        Part &part = result.score.parts.emplace_back();
        part.id = id;
        part.name = name;
        placePart(*raw, result.score.measures, part);
    }
    if (momentNoteCount(result.score) > kMaxMomentNotes)
        return failure(QStringLiteral("the score holds too many notes at once to be analysed "
                                      "(over %1 million over its moments)")
                           .arg(kMaxMomentNotes / 1'000'000));
    result.ok = true;
    return result;
}

ReadResult readMusicXml(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    QString error;
    if (!openDocument(xml, error))
        return failure(error);
    if (xml.name() == u"score-timewise")
        return failure(QStringLiteral(
            "timewise MusicXML scores (score-timewise) are not supported; save it partwise"));
    if (xml.name() != u"score-partwise")
        return failure(
            QStringLiteral("not a MusicXML score: the document is <%1>").arg(xml.name().left(40)));
    PartwiseParser parser(xml);
    try {
        parser.parse();
    } catch (const FractionOverflow &) {
        return failure(QStringLiteral("the score's durations are too large or too finely divided"));
    }
    // Whatever follows the root element must still be well-formed.
    while (!xml.hasError() && !xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return failure(xmlError(xml));
    try {
        return parser.result();
    } catch (const FractionOverflow &) {
        return failure(QStringLiteral("the score is too long to keep its time exact"));
    }
}

// One archive member, refused when it would unpack beyond the limit (the
// header's size is checked first, then the bytes actually unpacked, since a
// header can lie).
bool readMember(QuaZip &zip, const QString &path, QByteArray &bytes, QString &error)
{
    const QString quoted = QStringLiteral("\"%1\"").arg(path.left(60));
    if (!zip.setCurrentFile(path)) {
        error = QStringLiteral("the archive has no %1").arg(quoted);
        return false;
    }
    QuaZipFileInfo64 info;
    if (zip.getCurrentFileInfo(&info) && info.uncompressedSize > quint64(kMaxUnpackedBytes)) {
        error = QStringLiteral("%1 would unpack to more than 256 MiB").arg(quoted);
        return false;
    }
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot unpack %1 from the archive").arg(quoted);
        return false;
    }
    bytes.clear();
    while (true) {
        const QByteArray chunk = file.read(kReadChunk);
        if (chunk.isEmpty())
            break;
        if (bytes.size() + chunk.size() > kMaxUnpackedBytes) {
            error = QStringLiteral("%1 would unpack to more than 256 MiB").arg(quoted);
            return false;
        }
        bytes += chunk;
    }
    const bool readOk = file.getZipError() == UNZ_OK;
    file.close(); // checks the CRC
    if (!readOk || file.getZipError() != UNZ_OK) {
        error = QStringLiteral("%1 in the archive is broken").arg(quoted);
        return false;
    }
    return true;
}

// The root file that META-INF/container.xml names: the first MusicXML one
// (an archive may also carry a PDF or other renderings).
QString rootFilePath(const QByteArray &container, QString &error)
{
    QXmlStreamReader xml(container);
    if (!openDocument(xml, error)) {
        error = QStringLiteral("META-INF/container.xml is unreadable: ") + error;
        return {};
    }
    QString path;
    while (!xml.atEnd() && path.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"rootfile")
            continue;
        // The views below point into attributes, which must outlive them.
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView type = attributes.value(QLatin1String("media-type"));
        if (type.isEmpty() || type.contains(u"musicxml"))
            path = attributes.value(QLatin1String("full-path")).toString();
    }
    if (path.isEmpty())
        error = xml.hasError()
                    ? QStringLiteral("META-INF/container.xml is unreadable: ") + xmlError(xml)
                    : QStringLiteral("META-INF/container.xml names no root file");
    return path;
}

// Bytes in memory for QuaZip. QBuffer would do, but warns on the standard
// error whenever a broken archive's directory points past its end.
class ByteReader : public QIODevice {
public:
    explicit ByteReader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = std::clamp<qint64>(m_bytes.size() - pos(), 0, maxSize);
        if (count > 0)
            std::copy_n(m_bytes.constData() + pos(), count, data);
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
};

ReadResult readArchive(const QByteArray &bytes)
{
    ByteReader device(bytes);
    QuaZip zip(&device);
    if (!zip.open(QuaZip::mdUnzip))
        return failure(QStringLiteral("a broken compressed MusicXML (.mxl) archive"));
    QString error;
    QByteArray container;
    if (!readMember(zip, QString::fromLatin1(kContainerPath), container, error))
        return failure(error);
    const QString path = rootFilePath(container, error);
    if (path.isEmpty())
        return failure(error);
    QByteArray root;
    if (!readMember(zip, path, root, error))
        return failure(error);
    return readMusicXml(root);
}

} // namespace

ReadResult readScoreData(const QByteArray &bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return failure(QStringLiteral("the file is larger than 64 MiB"));
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return readArchive(bytes);
    return readMusicXml(bytes);
}

ReadResult readScoreFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("no such file"));
    if (info.isDir())
        return failure(QStringLiteral("a folder, not a file"));
    if (info.size() > kMaxFileBytes)
        return failure(QStringLiteral("the file is larger than 64 MiB"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    // One byte more than allowed tells a file that grew since the check.
    return readScoreData(file.read(kMaxFileBytes + 1));
}

} // namespace chordvane::score
