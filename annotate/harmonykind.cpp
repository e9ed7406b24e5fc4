#include "harmonykind.h"

#include "chordclass.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <utility>

namespace chordvane::annotate {

namespace {

// Pitch classes above the root as bits: bit s for s semitones (1..11).
using ToneSet = std::uint16_t;

constexpr ToneSet tones(std::initializer_list<int> semitones)
{
    ToneSet set = 0;
    for (const int s : semitones)
        set |= ToneSet(1u << s);
    return set;
}

struct Kind {
    std::string_view name;
    ToneSet tones;
    ToneSet optional = 0;
};

// Plainest first: ties between equally good kinds go to the earlier one.
constexpr Kind kKinds[] = {
    {"major", tones({4, 7})},
    {"minor", tones({3, 7})},
    {"augmented", tones({4, 8})},
    {"diminished", tones({3, 6})},
    {"dominant", tones({4, 7, 10})},
    {"major-seventh", tones({4, 7, 11})},
    {"minor-seventh", tones({3, 7, 10})},
    {"diminished-seventh", tones({3, 6, 9})},
    {"augmented-seventh", tones({4, 8, 10})},
    {"half-diminished", tones({3, 6, 10})},
    {"major-minor", tones({3, 7, 11})},
    {"major-sixth", tones({4, 7, 9})},
    {"minor-sixth", tones({3, 7, 9})},
    {"dominant-ninth", tones({2, 4, 7, 10})},
    {"major-ninth", tones({2, 4, 7, 11})},
    {"minor-ninth", tones({2, 3, 7, 10})},
    {"dominant-11th", tones({2, 4, 5, 7, 10})},
    {"major-11th", tones({2, 4, 5, 7, 11})},
    {"minor-11th", tones({2, 3, 5, 7, 10})},
    {"dominant-13th", tones({2, 4, 7, 9, 10}), tones({5})},
    {"major-13th", tones({2, 4, 7, 9, 11}), tones({5})},
    {"minor-13th", tones({2, 3, 7, 9, 10}), tones({5})},
    {"suspended-fourth", tones({5, 7})},
    {"suspended-second", tones({2, 7})},
    {"power", tones({7})},
};

constexpr int kSubtractCost = 3;

bool has(ToneSet set, int semitone)
{
    return (set >> semitone) & 1u;
}

// MusicXML counts a seventh from the dominant's: its 7 is the minor seventh.
Degree musicXmlDegree(const ToneDegree &degree)
{
    return {degree.value, degree.value == 7 ? degree.alter + 1 : degree.alter, DegreeType::Add};
}

HarmonyKind spellAs(const Kind &kind, ToneSet chord)
{
    ToneSet missing = kind.tones & ~chord;
    ToneSet extra = chord & ~(kind.tones | kind.optional);
    HarmonyKind spelled{kind.name, {}};
    // A fifth a semitone off is an altered fifth rather than one tone
    // taken away and another added.
    for (int fifth = 6; fifth <= 8; ++fifth) {
        if (!has(missing, fifth))
            continue;
        for (const int moved : {fifth - 1, fifth + 1}) {
            if (moved >= 6 && moved <= 8 && has(extra, moved)) {
                spelled.degrees.push_back({5, moved - fifth, DegreeType::Alter});
                missing &= ToneSet(~(1u << fifth));
                extra &= ToneSet(~(1u << moved));
                break;
            }
        }
    }
    for (int s = 1; s < 12; ++s) {
        if (has(missing, s))
            spelled.degrees.push_back(
                {chordDegree(kind.tones | 1u, s).value, 0, DegreeType::Subtract});
        if (has(extra, s))
            spelled.degrees.push_back(musicXmlDegree(chordDegree(chord | 1u, s)));
    }
    std::sort(spelled.degrees.begin(), spelled.degrees.end(), [](const Degree &a, const Degree &b) {
        return std::pair(a.value, a.alter) < std::pair(b.value, b.alter);
    });
    return spelled;
}

int cost(const HarmonyKind &spelled)
{
    int total = 0;
    for (const Degree &degree : spelled.degrees)
        total += degree.type == DegreeType::Subtract ? kSubtractCost : 1;
    return total;
}

} // namespace

HarmonyKind harmonyKind(const ChordRow &row)
{
    ToneSet chord = 0;
    for (const Note interval : row) {
        if (interval < 1 || interval > 12)
            break;
        if (interval > 1)
            chord |= ToneSet(1u << (interval - 1));
    }
    std::optional<HarmonyKind> best;
    int bestCost = 0;
    int bestSize = 0;
    for (const Kind &kind : kKinds) {
        HarmonyKind spelled = spellAs(kind, chord);
        const int c = cost(spelled);
        const int size = std::popcount(kind.tones);
        if (!best || c < bestCost || (c == bestCost && size > bestSize)) {
            best = std::move(spelled);
            bestCost = c;
            bestSize = size;
        }
    }
    return *best;
}

} // namespace chordvane::annotate
