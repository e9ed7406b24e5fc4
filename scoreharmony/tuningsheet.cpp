#include "tuningsheet.h"

#include "harmonypiece.h"
#include "spelling.h"

#include <algorithm>

namespace chordvane::score {

std::vector<tuning::SheetStep> tuningSheet(const Score &score, const harmony::Piece &piece,
                                           const std::vector<harmony::Step> &steps)
{
    std::vector<Fraction> attacks;
    for (const Part &part : score.parts) {
        for (const PartNote &note : part.notes)
            attacks.push_back(note.start);
    }
    std::sort(attacks.begin(), attacks.end());

    // The times only grow, so each part's notes are swept once: a note joins
    // the held ones at its start and leaves them at its end.
    std::vector<size_t> next(score.parts.size());
    std::vector<std::vector<const PartNote *>> held(score.parts.size());
    std::vector<tuning::SheetStep> sheet;
    for (size_t i = 0; i < steps.size(); ++i) {
        const harmony::Step &step = steps[i];
        const auto attack = std::lower_bound(attacks.begin(), attacks.end(), step.start);
        const bool attacked =
            attack != attacks.end() && (i + 1 == steps.size() || *attack < steps[i + 1].start);
        const Fraction at = attacked ? *attack : step.start;

        const Measure &measure = score.measures[static_cast<size_t>(step.measure)];
        tuning::SheetStep &out = sheet.emplace_back();
        out.measure = measure.number.toStdString();
        out.beat = beatText(Fraction(1) + (step.start - measure.start));
        out.key = harmony::keyAt(piece.keys, step.start);
        out.chord = step.chord;
        out.symbol = step.symbol;
        for (size_t p = 0; p < score.parts.size(); ++p) {
            const Part &part = score.parts[p];
            for (; next[p] < part.notes.size() && !(at < part.notes[next[p]].start); ++next[p])
                held[p].push_back(&part.notes[next[p]]);
            std::erase_if(held[p], [&](const PartNote *note) { return !(at < note->end); });
            const QString &name = settingAt(part, at).name;
            tuning::PartSound &sound = out.parts.emplace_back();
            sound.name = (name.isEmpty() ? part.id : name).toStdString();
            for (const PartNote *note : held[p]) {
                const std::optional<int> concert = concertSpelling(*note);
                sound.notes.push_back(
                    {note->written, note->spelling.alter, note->sounding,
                     concert ? std::optional(harmony::letterOf(*concert).alter) : std::nullopt});
            }
        }
    }
    return sheet;
}

} // namespace chordvane::score
