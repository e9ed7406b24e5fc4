#include "reading.h"

#include <QBuffer>
#include <QHash>

#include <utility>

namespace chordvane::score {

namespace {

// One pass over a score-partwise document, part by part, measure by measure.
class PartwiseParser {
public:
    explicit PartwiseParser(QXmlStreamReader &xml)
        : m_walk(xml)
    {}
    void parse();
    RawScore takeScore() { return std::move(m_score); }
    ReadResult failure() const { return m_walk.failure(); }

private:
    void parseDefaults();
    void parsePart();
    void parseMeasure(RawPart &part);
    void parseShift(bool forward);
    void parseAttributes(RawPart &part);
    void parseTranspose();
    void parseClef();
    void parsePrint(RawPart &part);
    void parseSound(RawPart &part);
    void parseDirection(RawPart &part);
    void parseNote(RawPart &part);
    bool switchInstrument(const QString &id);
    void addSetting(RawPart &part, const Fraction &at);
    Fraction placeInMeasure(const Fraction &duration, bool chord);
    void moveCursor(const Fraction &distance, bool forward);
    int transpositionOfStaff(int staff) const;

    XmlWalk m_walk;
    bool m_concert = false;
    RawScore m_score;

    // Where the part being read stands.
    Fraction m_divisions{1};
    Fraction m_cursor;
    Fraction m_lastStart;
    RawMeasure *m_measure = nullptr;
    TimeSignature m_time;
    KeySignature m_key;
    bool m_keyGiven = false;
    QHash<int, int> m_transpose; // by staff; 0 for every staff
    QHash<int, QString> m_clef;  // by staff
    QString m_name;
    QString m_abbreviation;
    int m_program = -1;
    std::vector<Instrument> m_instruments; // the part's, from the part list
    QString m_instrument;                  // the one playing
};

void PartwiseParser::parse()
{
    while (m_walk.nextChild()) {
        if (m_walk.is(u"defaults"))
            parseDefaults();
        else if (m_walk.is(u"part-list"))
            m_score.partList = readPartList(m_walk);
        else if (m_walk.is(u"part"))
            parsePart();
        else if (m_walk.is(u"movement-title"))
            m_score.movementTitle = m_walk.text();
        else if (m_walk.is(u"work"))
            m_score.workTitle = readWorkTitle(m_walk);
        else
            m_walk.skip();
    }
}

void PartwiseParser::parseDefaults()
{
    while (m_walk.nextChild()) {
        if (m_walk.is(u"concert-score"))
            m_concert = true;
        m_walk.skip();
    }
}

void PartwiseParser::parsePart()
{
    RawPart part;
    part.id = m_walk.attribute("id");
    m_divisions = Fraction(1);
    m_time = {};
    m_key = {};
    m_keyGiven = false;
    m_transpose.clear();
    m_clef.clear();
    const auto &list = m_score.partList;
    const auto listed = std::find_if(list.begin(), list.end(),
                                     [&](const ListedPart &entry) { return entry.id == part.id; });
    // A part missing from the list is refused later.
    const ListedPart entry = listed != list.end() ? *listed : ListedPart();
    m_name = entry.name;
    m_abbreviation = entry.abbreviation;
    m_program = entry.program();
    m_instruments = entry.instruments;
    m_instrument = m_instruments.empty() ? QString() : m_instruments.front().id;
    while (m_walk.nextChild()) {
        if (m_walk.is(u"measure"))
            parseMeasure(part);
        else
            m_walk.skip();
    }
    m_walk.setPlace({}, {});
    m_measure = nullptr;
    m_score.parts.push_back(std::move(part));
}

void PartwiseParser::parseMeasure(RawPart &part)
{
    RawMeasure &measure = part.measures.emplace_back();
    measure.number = m_walk.attribute("number");
    measure.implicit = m_walk.attribute("implicit") == u"yes";
    m_walk.setPlace(part.id, measure.number);
    m_measure = &measure;
    m_cursor = m_lastStart = Fraction(0);
    while (m_walk.nextChild()) {
        if (m_walk.is(u"attributes"))
            parseAttributes(part);
        else if (m_walk.is(u"note"))
            parseNote(part);
        else if (m_walk.is(u"backup"))
            parseShift(false);
        else if (m_walk.is(u"forward"))
            parseShift(true);
        else if (m_walk.is(u"print"))
            parsePrint(part);
        else if (m_walk.is(u"sound"))
            parseSound(part);
        else if (m_walk.is(u"direction"))
            parseDirection(part);
        else if (m_walk.is(u"barline"))
            readBarline(m_walk, measure);
        else
            m_walk.skip();
    }
    measure.nominal = m_time.length();
    measure.beats = m_time.beats;
    measure.beatType = m_time.beatType;
}

void PartwiseParser::parseShift(bool forward)
{
    std::optional<Fraction> duration;
    while (m_walk.nextChild()) {
        if (m_walk.is(u"duration"))
            duration = m_walk.decimal("duration", true);
        else
            m_walk.skip();
    }
    if (duration)
        moveCursor(*duration / m_divisions, forward);
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
    while (m_walk.nextChild()) {
        if (m_walk.is(u"divisions")) {
            if (const auto divisions = m_walk.decimal("divisions", false))
                m_divisions = *divisions;
        } else if (m_walk.is(u"time")) {
            if (const auto time = readTime(m_walk))
                m_time = *time;
        } else if (m_walk.is(u"key")) {
            if (const auto key = readKey(m_walk)) {
                m_key = *key;
                m_keyGiven = true;
            }
        } else if (m_walk.is(u"transpose")) {
            parseTranspose();
        } else if (m_walk.is(u"clef")) {
            parseClef();
        } else if (m_walk.is(u"instrument-change")) {
            switchInstrument(m_walk.attribute("id"));
            m_walk.skip();
        } else {
            m_walk.skip();
        }
    }
    addSetting(part, m_cursor);
}

void PartwiseParser::addSetting(RawPart &part, const Fraction &at)
{
    part.settings.push_back({static_cast<int>(part.measures.size()) - 1, at,
                             transpositionOfStaff(1), m_clef.value(1), m_name, m_abbreviation,
                             m_program, m_key.fifths, m_key.minor, m_keyGiven});
}

// The part's names and program become those of another of its instruments;
// false when it names the one playing or none of the part's.
bool PartwiseParser::switchInstrument(const QString &id)
{
    const auto instrument =
        std::find_if(m_instruments.begin(), m_instruments.end(),
                     [&](const Instrument &candidate) { return candidate.id == id; });
    if (id == m_instrument || instrument == m_instruments.end())
        return false;
    m_instrument = id;
    m_name = instrument->name;
    m_abbreviation = instrument->abbreviation;
    m_program = instrument->program;
    return true;
}

void PartwiseParser::parsePrint(RawPart &part)
{
    bool changed = false;
    while (m_walk.nextChild()) {
        const bool name = m_walk.is(u"part-name-display");
        if (name || m_walk.is(u"part-abbreviation-display")) {
            // An empty display hides the name on paper; the part keeps it.
            if (const QString text = readDisplayText(m_walk); !text.isEmpty()) {
                (name ? m_name : m_abbreviation) = text;
                changed = true;
            }
        } else {
            m_walk.skip();
        }
    }
    if (changed)
        addSetting(part, m_cursor);
}

// A direction's <sound> and its rehearsal mark matter here.
void PartwiseParser::parseDirection(RawPart &part)
{
    while (m_walk.nextChild()) {
        if (m_walk.is(u"sound"))
            parseSound(part);
        else if (m_walk.is(u"direction-type"))
            readDirectionType(m_walk, *m_measure);
        else
            m_walk.skip();
    }
}

void PartwiseParser::parseSound(RawPart &part)
{
    bool changed = false;
    while (m_walk.nextChild()) {
        if (m_walk.is(u"instrument-change"))
            changed |= switchInstrument(m_walk.attribute("id"));
        m_walk.skip();
    }
    if (changed)
        addSetting(part, m_cursor);
}

void PartwiseParser::parseTranspose()
{
    const int staff = m_walk.attribute("number").toInt();
    int chromatic = 0;
    int octaves = 0;
    while (m_walk.nextChild()) {
        if (m_walk.is(u"chromatic")) {
            if (const auto n = m_walk.integer("chromatic", -48, 48))
                chromatic = *n;
        } else if (m_walk.is(u"octave-change")) {
            if (const auto n = m_walk.integer("octave-change", -10, 10))
                octaves = *n;
        } else {
            m_walk.skip();
        }
    }
    // A concert-pitch score is written as it sounds except for octave
    // transpositions, the only ones MusicXML allows it to keep.
    const int semitones = (m_concert ? 0 : chromatic) + 12 * octaves;
    if (staff <= 0)
        m_transpose.clear();
    m_transpose[std::max(staff, 0)] = semitones;
}

void PartwiseParser::parseClef()
{
    const int staff = m_walk.attribute("number").toInt();
    while (m_walk.nextChild()) {
        // clef-octave-change only moves the clef: the notes' pitches already
        // say where they sound.
        if (m_walk.is(u"sign"))
            m_clef[std::max(staff, 1)] = m_walk.text().left(20);
        else
            m_walk.skip();
    }
}

void PartwiseParser::parseNote(RawPart &part)
{
    const NoteFields fields = readNote(m_walk);
    // Grace notes take no time and sound for no moment; skipping them whole
    // keeps a grace chord from becoming the start of the main chord.
    if (fields.grace || m_walk.failed())
        return;
    if (!fields.duration) {
        m_walk.fail(ReadError::NoDuration);
        return;
    }
    RawNote note;
    note.measure = static_cast<int>(part.measures.size()) - 1;
    note.duration = *fields.duration / m_divisions;
    note.start = placeInMeasure(note.duration, fields.chord);
    if (!fields.sounds || !fields.pitched)
        return;
    const auto written = writtenPitch(m_walk, fields);
    if (!written)
        return;
    note.written = written->key;
    note.spelling = written->spelling;
    note.transposition = transpositionOfStaff(fields.staff);
    note.tieStart = fields.tieStart;
    note.tieStop = fields.tieStop;
    note.voice = fields.voice;
    note.staff = fields.staff;
    part.notes.push_back(note);
    if (switchInstrument(fields.instrument))
        addSetting(part, note.start);
}

// A chord's notes start together, at the first one's start; the others
// leave the cursor where the first one moved it.
Fraction PartwiseParser::placeInMeasure(const Fraction &duration, bool chord)
{
    const Fraction start = chord ? m_lastStart : m_cursor;
    if (!chord) {
        m_lastStart = m_cursor;
        m_cursor += duration;
    }
    m_measure->extent = std::max(m_measure->extent, start + duration);
    return start;
}

} // namespace

ReadResult readMusicXml(QByteArray bytes)
{
    // Handed over a piece at a time, the reader decodes a piece at a time:
    // given the whole array, it would hold the whole text decoded besides.
    QBuffer device;
    device.setData(std::exchange(bytes, {}));
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    ReadResult why;
    if (!openDocument(xml, why))
        return why;
    if (xml.name() == u"score-timewise")
        return failure(ReadError::Timewise);
    if (xml.name() != u"score-partwise")
        return failure(ReadError::NotMusicXml, clip(xml.name()));
    PartwiseParser parser(xml);
    try {
        parser.parse();
        // Whatever follows the root element must still be well-formed.
        while (!xml.hasError() && !xml.atEnd())
            xml.readNext();
        if (xml.hasError())
            return parser.failure();
        RawScore raw = parser.takeScore();
        device.close();
        device.setData(QByteArray());
        return placeParts(std::move(raw));
    } catch (const FractionOverflow &) {
        return failure(ReadError::TimeOverflow);
    }
}

} // namespace chordvane::score
