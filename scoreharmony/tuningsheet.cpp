#include "tuningsheet.h"

#include "fixedpitch.h"
#include "harmonypiece.h"
#include "partnames.h"
#include "spelling.h"

#include <algorithm>

namespace chordvane::score {

namespace {

tuning::PartNote sheetNote(const PartNote &note)
{
    const std::optional<int> concert = concertSpelling(note);
    return {note.written, note.spelling.alter, note.sounding,
            concert ? std::optional(harmony::letterOf(*concert).alter) : std::nullopt};
}

} // namespace

SheetParts::SheetParts(const Score &score)
    : m_score(score)
{}

const std::vector<std::uint32_t> &SheetParts::at(const Fraction &at)
{
    // Names change only with a part's settings; most scores keep theirs.
    std::vector<const PartSetting *> settings;
    settings.reserve(m_score.parts.size());
    for (const Part &part : m_score.parts)
        settings.push_back(&settingAt(part, at));
    if (settings == m_settings && m_indices.size() == m_score.parts.size())
        return m_indices;
    m_settings = std::move(settings);
    const PartLabels labels = partLabelsAt(m_score, at);
    m_indices.clear();
    for (size_t p = 0; p < m_score.parts.size(); ++p) {
        const PartSetting &setting = *m_settings[p];
        const QString &label = labels.names[p].isEmpty() ? m_score.parts[p].id : labels.names[p];
        tuning::SheetPart part{label.toStdString(),
                               tuning::fixedPitch(setting.program, setting.name.toStdString())};
        std::string key = part.name;
        key += part.fixed ? '\1' : '\0';
        const auto [known, added] =
            m_known.try_emplace(std::move(key), static_cast<std::uint32_t>(m_parts.size()));
        if (added)
            m_parts.push_back(std::move(part));
        m_indices.push_back(known->second);
    }
    return m_indices;
}

void forEachSheetStep(const Score &score, const harmony::Piece &piece,
                      const std::vector<harmony::Step> &steps, const SheetVisit &visit)
{
    std::vector<Fraction> attacks;
    for (const Part &part : score.parts) {
        for (const PartNote &note : part.notes)
            attacks.push_back(note.start);
    }
    std::sort(attacks.begin(), attacks.end());
    attacks.erase(std::unique(attacks.begin(), attacks.end()), attacks.end());

    // The times only grow, so each part's notes are swept once: a note joins
    // the held ones at its start and leaves them at its end.
    SheetParts names(score);
    std::vector<size_t> next(score.parts.size());
    std::vector<std::vector<const PartNote *>> held(score.parts.size());
    tuning::SheetStep out;
    for (size_t i = 0; i < steps.size(); ++i) {
        const harmony::Step &step = steps[i];
        const auto attack = std::lower_bound(attacks.begin(), attacks.end(), step.start);
        const bool attacked =
            attack != attacks.end() && (i + 1 == steps.size() || *attack < steps[i + 1].start);
        const Fraction at = attacked ? *attack : step.start;

        const Measure &measure = score.measures[static_cast<size_t>(step.measure)];
        out.measure = measure.number.toStdString();
        out.beat = beatText(Fraction(1) + (step.start - measure.start));
        out.key = harmony::keyAt(piece.keys, step.start);
        out.chord = step.chord;
        out.symbol = step.symbol;
        out.notes.clear();
        const std::vector<std::uint32_t> &named = names.at(at);
        for (size_t p = 0; p < score.parts.size(); ++p) {
            const Part &part = score.parts[p];
            for (; next[p] < part.notes.size() && !(at < part.notes[next[p]].start); ++next[p])
                held[p].push_back(&part.notes[next[p]]);
            std::erase_if(held[p], [&](const PartNote *note) { return !(at < note->end); });
            for (const PartNote *note : held[p])
                out.notes.push_back({named[p], sheetNote(*note)});
        }
        visit(out, names.parts());
    }
}

tuning::SheetStep momentSheet(const Score &score, const harmony::Piece &piece,
                              const std::vector<harmony::Step> &steps, int step,
                              const Moment &moment, std::vector<tuning::SheetPart> &parts)
{
    tuning::SheetStep out;
    const Measure &measure = score.measures[static_cast<size_t>(moment.measure)];
    out.measure = (measure.number.isEmpty() ? QString::number(moment.measure + 1) : measure.number)
                      .toStdString();
    out.beat = beatText(moment.beat);
    out.key = harmony::keyAt(piece.keys, moment.at);
    if (step >= 0 && step < static_cast<int>(steps.size())) {
        out.chord = steps[static_cast<size_t>(step)].chord;
        out.symbol = steps[static_cast<size_t>(step)].symbol;
    }
    SheetParts names(score);
    const std::vector<std::uint32_t> &named = names.at(moment.at);
    std::vector<HeldNote> held = moment.held;
    std::stable_sort(held.begin(), held.end(),
                     [](const HeldNote &a, const HeldNote &b) { return a.part < b.part; });
    // Only the names of the parts that sound, each once: a moment of a few
    // notes in a score of many long names stays small.
    parts.clear();
    std::unordered_map<std::uint32_t, std::uint32_t> kept;
    for (const HeldNote &h : held) {
        const auto [index, added] =
            kept.try_emplace(named[h.part], static_cast<std::uint32_t>(parts.size()));
        if (added)
            parts.push_back(names.parts()[named[h.part]]);
        out.notes.push_back({index->second, sheetNote(score.parts[h.part].notes[h.note])});
    }
    return out;
}

} // namespace chordvane::score
