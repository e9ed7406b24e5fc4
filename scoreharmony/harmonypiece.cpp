#include "harmonypiece.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace chordvane::score {

namespace {

// The settings in force at `at`, none before the part's first.
const PartSetting *givenAt(const Part &part, const Fraction &at)
{
    const PartSetting *found = nullptr;
    for (const PartSetting &setting : part.settings) {
        if (at < setting.at)
            break;
        found = &setting;
    }
    return found;
}

harmony::Key keyAt(const Score &score, const Fraction &at)
{
    const PartSetting *moved = nullptr;
    for (const Part &part : score.parts) {
        const PartSetting *setting = givenAt(part, at);
        if (!setting || !setting->keyGiven)
            continue;
        if (pitchClass(setting->transposition) == 0)
            return {at, setting->fifths, setting->minor};
        if (!moved)
            moved = setting;
    }
    if (!moved)
        return {at, 0, false};
    return {at, concertFifths(moved->fifths, moved->transposition), moved->minor};
}

} // namespace

std::optional<int> concertSpelling(const PartNote &note)
{
    static constexpr int kLetterFifths[7] = {0, 2, 4, -1, 1, 3, 5}; // C D E F G A B
    if (note.spelling.letter < 0 || note.spelling.letter > 6)
        return std::nullopt;
    const int written = kLetterFifths[note.spelling.letter] + 7 * note.spelling.alter;
    // A spelling that does not name the written key is no spelling to keep.
    if (pitchClass(7 * written) != pitchClass(note.written))
        return std::nullopt;
    // The part's interval moves the spelling as it moves the key: a major
    // second down is two fifths down (written D, B♭ sounding: C).
    int moved = pitchClass(7 * (note.sounding - note.written));
    if (moved > 5)
        moved -= 12;
    return written + moved;
}

int concertFifths(int writtenFifths, int transposition)
{
    // A semitone up is seven fifths up; of the enharmonic keys, the one with
    // fewer accidentals (D♭ rather than C♯).
    const int fifths = writtenFifths + pitchClass(7 * transposition);
    int best = fifths;
    for (const int candidate : {fifths - 24, fifths - 12, fifths + 12}) {
        if (std::abs(candidate) < std::abs(best))
            best = candidate;
    }
    return best;
}

harmony::Piece harmonyPiece(const Score &score)
{
    harmony::Piece piece;
    std::map<std::pair<size_t, int>, int> lines; // (part, voice) -> line
    for (size_t p = 0; p < score.parts.size(); ++p) {
        for (const PartNote &note : score.parts[p].notes) {
            const auto line =
                lines.emplace(std::pair(p, note.voice), static_cast<int>(lines.size())).first;
            piece.notes.push_back(
                {note.start, note.end, note.sounding, line->second, concertSpelling(note)});
        }
    }
    for (const Measure &measure : score.measures) {
        piece.measureStarts.push_back(measure.start);
        piece.end = measure.start + measure.length;
        const bool changes = piece.meters.empty() || piece.meters.back().beats != measure.beats ||
                             piece.meters.back().beatType != measure.beatType;
        // A beat type of no note value (2/4 + 3/8 sums to 7/8, but 3/4 + 1/3
        // has none) leaves the beat a quarter.
        const bool noteValue = measure.beatType > 0 && measure.beatType <= 64 &&
                               (measure.beatType & (measure.beatType - 1)) == 0;
        if (measure.beats > 0 && noteValue && changes)
            piece.meters.push_back({measure.start, measure.beats, measure.beatType});
    }
    std::set<Fraction> changes;
    for (const Part &part : score.parts) {
        for (const PartSetting &setting : part.settings)
            changes.insert(setting.at);
    }
    for (const Fraction &at : changes) {
        const harmony::Key key = keyAt(score, at);
        if (piece.keys.empty() || piece.keys.back().fifths != key.fifths ||
            piece.keys.back().minor != key.minor)
            piece.keys.push_back(key);
    }
    return piece;
}

} // namespace chordvane::score
