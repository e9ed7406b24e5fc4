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
            classes |= 1u << (((n - bass) % 12 + 12) % 12);
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

void rankByMatchRate(const ChordTable &table, std::vector<ChordMatch> &matches)
{
    // Each slot's class worked out once: a sort compares far more often.
    std::array<std::int8_t, kChordSlots> classes;
    classes.fill(-1);
    const auto classOf = [&](int slot) {
        if (classes[slot] < 0)
            classes[slot] = static_cast<std::int8_t>(chordClass(table.row(slot)));
        return classes[slot];
    };
    std::stable_sort(matches.begin(), matches.end(), [&](const ChordMatch &a, const ChordMatch &b) {
        if (a.rate != b.rate)
            return a.rate > b.rate;
        if (classOf(a.chord) != classOf(b.chord))
            return classOf(a.chord) < classOf(b.chord);
        return a.root == NO_NOTE && b.root != NO_NOTE;
    });
}

} // namespace chordvane
