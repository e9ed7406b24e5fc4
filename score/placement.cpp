#include "reading.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>

namespace chordvane::score {

namespace {

// The notes placed by start, tied notes joined: a note whose tie stops
// where an earlier note of the same written pitch ends continues that note
// instead of attacking again. A tie that never stops just ends with its note.
std::vector<PartNote> placeNotes(const std::vector<RawNote> &raw,
                                 const std::vector<Measure> &measures)
{
    std::vector<Fraction> starts;
    starts.reserve(raw.size());
    for (const RawNote &note : raw)
        starts.push_back(measures[note.measure].start + note.start);
    std::vector<size_t> order(raw.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return starts[a] < starts[b]; });

    std::vector<PartNote> joined;
    joined.reserve(raw.size());
    // Notes whose tie is still open, by written pitch and end: a stop must
    // meet its start exactly, and a lookup stays cheap however many ties
    // are left dangling.
    std::map<std::pair<int, Fraction>, std::vector<size_t>> open;
    for (const size_t i : order) {
        const RawNote &r = raw[i];
        const Fraction &at = starts[i];
        const PartNote note{
            r.written, r.written + r.transposition, at, at + r.duration, r.voice, r.staff,
            r.spelling};
        const auto waiting = r.tieStop ? open.find({note.written, note.start}) : open.end();
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
            if (r.tieStart)
                open[{note.written, note.end}].push_back(held);
            continue;
        }
        joined.push_back(note);
        if (r.tieStart)
            open[{note.written, note.end}].push_back(joined.size() - 1);
    }
    return joined;
}

// The measures of all parts side by side: the i-th measure of every part
// starts where the longest (i-1)-th ended. The first part that has a
// measure gives its number and time signature.
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
        bool first = true;
        for (const RawPart &part : parts) {
            if (i >= part.measures.size())
                continue;
            const RawMeasure &raw = part.measures[i];
            if (first) {
                measure.number = raw.number;
                measure.beats = raw.beats;
                measure.beatType = raw.beatType;
                first = false;
            }
            measure.length = std::max(measure.length, raw.extent);
            implicit |= raw.implicit;
            if (measure.rehearsal.isEmpty())
                measure.rehearsal = raw.rehearsal;
            measure.doubleBar |= raw.doubleBarAfter;
            if (raw.doubleBarBefore && i > 0)
                measures[i - 1].doubleBar = true;
            if (raw.nominal)
                nominal = std::max(nominal.value_or(Fraction(0)), *raw.nominal);
        }
        // A measure is as long as its notes and rests: a pickup, or the
        // halves of a bar split by a repeat, is shorter than its signature.
        // Only an empty one that is not marked implicit takes the signature.
        if (!implicit && nominal && measure.length == Fraction(0))
            measure.length = *nominal;
        start += measure.length;
    }
    return measures;
}

// A part's notes and settings at their places in the score; the raw notes
// go once placed.
void placePart(RawPart &raw, const std::vector<Measure> &measures, Part &part)
{
    part.notes = placeNotes(raw.notes, measures);
    raw.notes = std::vector<RawNote>();

    // Attributes after a backup can stand earlier than ones before it.
    std::vector<PartSetting> settings{
        {Fraction(0), 0, QString(), part.name, part.abbreviation, part.program}};
    for (const RawSetting &s : raw.settings) {
        settings.push_back({measures[s.measure].start + s.at, s.transposition, s.clef, s.name,
                            s.abbreviation, s.program, s.fifths, s.minor, s.keyGiven});
    }
    std::stable_sort(settings.begin(), settings.end(),
                     [](const auto &a, const auto &b) { return a.at < b.at; });
    for (const PartSetting &setting : settings) {
        if (!part.settings.empty() && part.settings.back().at == setting.at)
            part.settings.pop_back();
        part.settings.push_back(setting);
    }
}

} // namespace

ReadResult placeParts(RawScore raw)
{
    if (raw.parts.empty())
        return failure(ReadError::NoParts);
    QSet<QString> listed;
    for (const ListedPart &entry : raw.partList) {
        if (listed.contains(entry.id))
            return failure(ReadError::PartListedTwice, clip(entry.id));
        listed.insert(entry.id);
    }
    QHash<QString, RawPart *> byId;
    for (RawPart &part : raw.parts) {
        if (byId.contains(part.id))
            return failure(ReadError::PartRepeated, clip(part.id));
        if (!listed.contains(part.id))
            return failure(ReadError::PartNotListed, clip(part.id));
        if (part.measures.empty())
            return failure(ReadError::PartEmpty, clip(part.id));
        byId.insert(part.id, &part);
    }

    ReadResult result;
    result.score.title = raw.workTitle.isEmpty() ? raw.movementTitle : raw.workTitle;
    result.score.measures = lineUpMeasures(raw.parts);
    for (const ListedPart &entry : raw.partList) {
        RawPart *rawPart = byId.value(entry.id);
        if (!rawPart)
            return failure(ReadError::PartMissing, clip(entry.id), clip(entry.name));
        Part &part = result.score.parts.emplace_back();
        part.id = entry.id;
        part.name = entry.name;
        part.abbreviation = entry.abbreviation;
        part.program = entry.program();
        placePart(*rawPart, result.score.measures, part);
    }
    if (momentNoteCount(result.score) > kMaxMomentNotes)
        return failure(ReadError::TooManyNotes);
    result.ok = true;
    return result;
}

} // namespace chordvane::score
