#include "chooser.h"

#include "search.h"

#include <bit>

namespace chordvane::harmony {

namespace {

__extension__ typedef __int128 Wide; // products of two weights

struct Candidate {
    Wide weight = 0; // score = weight / base
    Wide base = 1;
    int penalty = 0; // twice the ranked search's: class, inversion, foreign bass
    int slot = 0;
};

// The chords heard over a bass outside them: a major, minor or diminished
// triad, a dominant or a diminished seventh.
bool standsOverForeignBass(unsigned shape)
{
    constexpr unsigned kMajor = 0x91, kMinor = 0x89, kDiminished = 0x49;     // 0 4 7, 0 3 7, 0 3 6
    constexpr unsigned kDominantSeventh = 0x491, kDiminishedSeventh = 0x249; // + 10, 0 3 6 9
    return shape == kMajor || shape == kMinor || shape == kDiminished ||
           shape == kDominantSeventh || shape == kDiminishedSeventh;
}

bool better(const Candidate &a, const Candidate &b)
{
    const Wide left = a.weight * b.base;
    const Wide right = b.weight * a.base;
    if (left != right)
        return left > right;
    if (a.penalty != b.penalty)
        return a.penalty < b.penalty;
    return a.slot < b.slot; // equal slots: the earlier root, tried first, stays
}

} // namespace

int rateOf(const ChordTable &table, const StepChord &chord, unsigned classes)
{
    // As the search rates the chord against these classes over its bass.
    IntervalSet notes = 0;
    for (int pc = 0; pc < 12; ++pc) {
        if (((classes & (1u << pc)) || pc == chord.bass) && pc != chord.root)
            notes = static_cast<IntervalSet>(notes | (1u << ((pc - chord.root + 12) % 12 + 1)));
    }
    const int exempt = chord.bass == chord.root ? 0 : (chord.bass - chord.root + 12) % 12 + 1;
    const auto rate = rateChord(table.row(chord.chord), notes, exempt);
    return rate ? rate->percent() : 0;
}

ChordChooser::ChordChooser(const ChordTable &table, ChordClass widest)
{
    for (std::uint64_t slots = table.slotsHolding(0); slots != 0; slots &= slots - 1) {
        const int slot = std::countr_zero(slots);
        const unsigned classes = chordTones(table.row(slot));
        // A single class is no chord to name.
        const ChordClass plainness = chordClass(table.row(slot));
        if (std::popcount(classes) >= 2 && plainness <= widest)
            m_shapes.push_back({slot, classes, std::popcount(classes), plainness});
    }
}

std::optional<StepChord> ChordChooser::choose(const BeatWeights &weights, int bass,
                                              unsigned required, int threshold) const
{
    unsigned sounding = 0;
    std::int64_t total = 0;
    std::int64_t figuration = 0;
    for (int pc = 0; pc < 12; ++pc) {
        if (weights.sounding[pc] > 0) {
            sounding |= 1u << pc;
            total += weights.sounding[pc];
            figuration += weights.figuration[pc];
        }
    }
    const int count = std::popcount(sounding);
    if (count < 2)
        return std::nullopt;
    std::optional<StepChord> best;
    Candidate bestCandidate;
    for (int offset = 0; offset < 12; ++offset) {
        const int root = (bass + offset) % 12;
        if ((sounding & (1u << root)) == 0)
            continue;
        for (const Shape &shape : m_shapes) {
            const unsigned chord = rotateClasses(shape.classes, root);
            const unsigned outside = required & ~chord & ~(root == bass ? 0u : 1u << bass);
            const int held = std::popcount(chord & (required | (1u << bass)));
            if (outside != 0 || 100 * held < threshold * shape.tones)
                continue;
            // Sums stay below 2^52 (the analysis makes sure), products need 128 bits.
            std::int64_t weight = 0;
            std::int64_t figurationInside = 0;
            int present = 0;
            for (unsigned tones = chord & sounding; tones != 0; tones &= tones - 1) {
                const int pc = std::countr_zero(tones);
                weight += weights.sounding[pc];
                figurationInside += weights.figuration[pc];
                ++present;
            }
            const int missing = shape.tones - present;
            // Two tones stand for a major or minor triad, never for an
            // incomplete augmented triad or sus chord (a sixth over the bass
            // is a first inversion, not C E G♯ without its E).
            if (present <= 2 && missing > 0 && shape.plainness != ChordClass::Triad)
                continue;
            // Over a bass outside it only the chords heard over a pedal or a
            // passing bass stand, complete (C/D, G7/C, C♯dim7/D): two tones of
            // a chord there, or a major or minor seventh or an added chord
            // (CM7/F, Dm7/B♭, Cm(add9)/B♭), are rarely what was meant.
            const bool bassInChord = (chord & (1u << bass)) != 0;
            if (!bassInChord && (missing > 0 || !standsOverForeignBass(shape.classes)))
                continue;
            const int penalty = 2 * static_cast<int>(shape.plainness) +
                                (root != bass && bassInChord ? 3 : 0) + (bassInChord ? 0 : 6);
            // Both sides times count, so that the mean weight stays whole.
            // A chord on its bass is heard first: another root must explain
            // a tenth more of what sounds to be named instead.
            const Candidate c{Wide{weight} * count * (root == bass ? 11 : 10),
                              Wide{count} * (total - figuration + figurationInside) +
                                  Wide{missing} * total,
                              penalty, shape.slot};
            if (!best || better(c, bestCandidate)) {
                best = StepChord{shape.slot, root, bass};
                bestCandidate = c;
            }
        }
    }
    return best;
}

} // namespace chordvane::harmony
