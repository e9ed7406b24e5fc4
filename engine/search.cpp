#include "search.h"

#include "chordclass.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace chordvane {

int ChordRate::percent() const
{
    const double rate = 100.0 * present / tones;
    return static_cast<int>(std::nearbyint(rate)); // halves to even
}

std::optional<ChordRate> rateChord(const ChordRow &row, IntervalSet notes, int exempt)
{
    if (notes == 0)
        return std::nullopt; // nothing entered besides the root spells no chord
    // Column 0 is the root: never compared, always present.
    int k = 1;
    const auto tone = [&row](int column) -> int {
        return column < kChordColumns ? row[column] : NO_NOTE;
    };
    int missing = 0;
    for (IntervalSet rest = notes; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        if (d == exempt) {
            if (tone(k) == d)
                ++k;
            continue;
        }
        for (; tone(k) < d; ++k)
            ++missing;
        if (tone(k) != d)
            return std::nullopt;
        ++k;
    }
    for (; tone(k) != NO_NOTE; ++k)
        ++missing;
    return ChordRate{k - missing, k};
}

std::vector<ChordMatch> findChords(const ChordTable &table, const SearchRequest &request)
{
    std::vector<ChordMatch> found;
    findChords(table, request, found);
    return found;
}

void findChords(const ChordTable &table, const SearchRequest &request,
                std::vector<ChordMatch> &found)
{
    found.clear();
    if (request.bass == NO_NOTE)
        return;
    const int bass = FoldIntoOctave(request.bass, 1);
    // The entered pitch classes counted from the bass: bit i for the class
    // i semitones above it.
    // i semitones above it. (Not FoldIntoOctave: a difference of 99 is no
    // empty marker.)
    unsigned classes = 1;
    for (const int n : request.notes) {
        if (n != NO_NOTE)
            classes |= 1u << pitchClass(n - bass);
    }
    for (int offset = 0; offset < 12; ++offset) {
        if ((classes & (1u << offset)) == 0)
            continue;
        // The classes above this root: bit i + 1 for i semitones up, which
        // is the interval number i + 1.
        const unsigned above = ((classes >> offset) | (classes << (12 - offset))) & 0xFFE;
        const auto notes = static_cast<IntervalSet>(above << 1);
        if (notes == 0)
            break; // only the bass's pitch class: no chord to name
        // Above a root that is not the bass, the bass lies 12 - offset semitones up.
        const int exempt = offset == 0 ? 0 : 13 - offset;
        const auto needed = static_cast<IntervalSet>(notes & ~(1u << exempt));
        for (std::uint64_t slots = table.slotsHolding(needed); slots != 0; slots &= slots - 1) {
            const int m = std::countr_zero(slots);
            const auto rate = rateChord(table.row(m), notes, exempt);
            if (rate && rate->reaches(request.threshold))
                found.push_back({m, offset == 0 ? NO_NOTE : bass + offset, rate->percent()});
        }
    }
}

void rankByMatchRate(const ChordTable &table, const SearchRequest &request,
                     std::vector<ChordMatch> &matches)
{
    if (request.bass == NO_NOTE)
        return;
    const int bass = FoldIntoOctave(request.bass, 1) - 1; // 0 = C
    unsigned entered = 1u << bass;
    for (const int n : request.notes) {
        if (n != NO_NOTE)
            entered |= 1u << pitchClass(n - 1);
    }
    // Each slot's class and tones worked out once: a sort compares far more often.
    std::array<std::int8_t, kChordSlots> classes;
    std::array<unsigned, kChordSlots> tones{};
    classes.fill(-1);
    struct Key {
        int rate;    // the printed rate, 40 lower for a dyad over a foreign bass
        int penalty; // twice the class, plus 3 for an inversion, 6 for a foreign bass
    };
    std::vector<Key> keys;
    keys.reserve(matches.size());
    for (const ChordMatch &match : matches) {
        if (classes[match.chord] < 0) {
            classes[match.chord] = static_cast<std::int8_t>(chordClass(table.row(match.chord)));
            tones[match.chord] = chordTones(table.row(match.chord));
        }
        const int root = match.root == NO_NOTE ? bass : (match.root - 1) % 12;
        const unsigned chord = rotateClasses(tones[match.chord], root);
        const bool bassInChord = (chord & (1u << bass)) != 0;
        const bool dyadOverForeignBass = !bassInChord && std::popcount(chord & entered) <= 2;
        keys.push_back({match.rate - (dyadOverForeignBass ? 40 : 0),
                        2 * classes[match.chord] + (root != bass && bassInChord ? 3 : 0) +
                            (bassInChord ? 0 : 6)});
    }
    std::vector<size_t> order(matches.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (keys[a].rate != keys[b].rate)
            return keys[a].rate > keys[b].rate;
        return keys[a].penalty < keys[b].penalty;
    });
    std::vector<ChordMatch> ranked;
    ranked.reserve(matches.size());
    for (const size_t i : order)
        ranked.push_back(matches[i]);
    matches = std::move(ranked);
}

} // namespace chordvane
