#include "reading.h"

#include <QHash>

namespace chordvane::score {

namespace {

// An <accidental-text> as signs: "flat" ♭, "double-sharp" 𝄪, "flat-flat" ♭♭;
// nothing for the rarer ones (quarter tones, Persian accidentals).
QString accidentalSigns(const QString &value)
{
    if (value == u"double-sharp")
        return QStringLiteral("𝄪");
    if (value == u"double-flat")
        return QStringLiteral("𝄫");
    QString signs;
    for (const QStringView word : QStringView(value).split(u'-')) {
        if (word == u"flat")
            signs += u'♭';
        else if (word == u"sharp")
            signs += u'♯';
        else if (word == u"natural")
            signs += u'♮';
        else
            return {};
    }
    return signs;
}

Instrument readScoreInstrument(XmlWalk &walk)
{
    Instrument instrument;
    instrument.id = walk.attribute("id");
    while (walk.nextChild()) {
        if (walk.is(u"instrument-name"))
            instrument.name = walk.text();
        else if (walk.is(u"instrument-abbreviation"))
            instrument.abbreviation = walk.text();
        else
            walk.skip();
    }
    return instrument;
}

// MIDI numbers programs from 1; General MIDI's list from 0.
std::optional<int> readMidiProgram(XmlWalk &walk)
{
    std::optional<int> program;
    while (walk.nextChild()) {
        if (walk.is(u"midi-program")) {
            if (const auto n = walk.integer("midi-program", 1, 128))
                program = *n - 1;
        } else {
            walk.skip();
        }
    }
    return program;
}

ListedPart readScorePart(XmlWalk &walk)
{
    ListedPart part;
    part.id = walk.attribute("id");
    QString displayName, displayAbbreviation;
    QHash<QString, int> programs; // by instrument
    while (walk.nextChild()) {
        if (walk.is(u"part-name")) {
            part.name = walk.text();
        } else if (walk.is(u"part-name-display")) {
            displayName = readDisplayText(walk);
        } else if (walk.is(u"part-abbreviation")) {
            part.abbreviation = walk.text();
        } else if (walk.is(u"part-abbreviation-display")) {
            displayAbbreviation = readDisplayText(walk);
        } else if (walk.is(u"score-instrument")) {
            part.instruments.push_back(readScoreInstrument(walk));
        } else if (walk.is(u"midi-instrument")) {
            const QString id = walk.attribute("id");
            if (const auto program = readMidiProgram(walk))
                programs.insert(id, *program);
        } else {
            walk.skip();
        }
    }
    if (!displayName.isEmpty())
        part.name = displayName;
    if (!displayAbbreviation.isEmpty())
        part.abbreviation = displayAbbreviation;
    for (Instrument &instrument : part.instruments)
        instrument.program = programs.value(instrument.id, -1);
    return part;
}

} // namespace

std::vector<ListedPart> readPartList(XmlWalk &walk)
{
    std::vector<ListedPart> list;
    while (walk.nextChild()) {
        if (walk.is(u"score-part"))
            list.push_back(readScorePart(walk));
        else
            walk.skip();
    }
    return list;
}

// The runs carry their own spaces ("Clarinet in B", then "flat"); line
// breaks between runs become spaces.
QString readDisplayText(XmlWalk &walk)
{
    QString text;
    while (walk.nextChild()) {
        if (walk.is(u"display-text"))
            text += walk.text(false);
        else if (walk.is(u"accidental-text"))
            text += accidentalSigns(walk.text());
        else
            walk.skip();
    }
    return text.simplified();
}

} // namespace chordvane::score
