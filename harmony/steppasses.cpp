#include "steppasses.h"

#include "chordclass.h"
#include "notes.h"
#include "spelling.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <map>
#include <optional>

namespace chordvane::harmony {

namespace {

// Calls visit(step, notes sounding in it) for each step in turn; notes are
// sorted by start, a step lasts until the next one starts.
template <typename Visit>
void withStepNotes(const std::vector<PieceNote> &notes, std::vector<Step> &steps, Visit visit)
{
    std::vector<size_t> active;
    size_t next = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        Step &step = steps[i];
        const std::optional<Fraction> end =
            i + 1 < steps.size() ? std::optional(steps[i + 1].start) : std::nullopt;
        std::erase_if(active, [&](size_t n) { return !(step.start < notes[n].end); });
        for (; next < notes.size() && (!end || notes[next].start < *end); ++next) {
            if (step.start < notes[next].end)
                active.push_back(next);
        }
        visit(i, active);
    }
}

// The spelling the notes give pitch class pc most often; fallback when it
// does not sound spelled (and on a tie with fallback).
int mostOften(const std::vector<PieceNote> &notes, const std::vector<size_t> &active, int pc,
              int fallback)
{
    std::map<int, int> counts;
    for (const size_t n : active) {
        if (notes[n].spelled && pitchClass(notes[n].pitch) == pc)
            ++counts[*notes[n].spelled];
    }
    int best = fallback;
    int times = counts.count(fallback) ? counts[fallback] : 0;
    for (const auto &[position, count] : counts) {
        if (count > times) {
            best = position;
            times = count;
        }
    }
    return best;
}

constexpr int kUnspelled = std::numeric_limits<int>::min();

// The bottom of the stack of thirds that the notes spell for a chord of
// `count` tones `semitones` apart from `tone`, each a third above the one
// below it and `fifths` further along the line of fifths (a minor third -3,
// a major third +4). None when a tone sounds unspelled or the spellings
// stack otherwise.
std::optional<int> spelledStackBottom(const std::vector<PieceNote> &notes,
                                      const std::vector<size_t> &active, int tone, int count,
                                      int semitones, int fifths)
{
    std::vector<int> positions;
    for (int k = 0; k < count; ++k) {
        const int position = mostOften(notes, active, (tone + semitones * k) % 12, kUnspelled);
        if (position == kUnspelled)
            return std::nullopt;
        positions.push_back(position);
    }
    for (const int bottom : positions) {
        int stacked = 0;
        while (stacked < count && std::ranges::count(positions, bottom + fifths * stacked) == 1)
            ++stacked;
        if (stacked == count)
            return pitchClass(bottom * 7);
    }
    return std::nullopt;
}

// The list's first chord of exactly these tones (bit i: i semitones above the root).
std::optional<int> firstSlotOf(const ChordTable &table, unsigned tones)
{
    for (std::uint64_t slots = table.slotsHolding(0); slots != 0; slots &= slots - 1) {
        if (chordTones(table.row(std::countr_zero(slots))) == tones)
            return std::countr_zero(slots);
    }
    return std::nullopt;
}

// Renaming can make neighbours equal: the first of them stays.
void joinEqualNeighbours(std::vector<Step> &steps)
{
    steps.erase(std::unique(steps.begin(), steps.end(),
                            [](const Step &a, const Step &b) { return a.chord == b.chord; }),
                steps.end());
}

// How long notes of pitch class pc sound between from and to (none: on).
Fraction lengthOf(const std::vector<PieceNote> &notes, const std::vector<size_t> &active, int pc,
                  const Fraction &from, const std::optional<Fraction> &to)
{
    Fraction sum(0);
    for (const size_t n : active) {
        const Fraction start = std::max(from, notes[n].start);
        const Fraction end = to ? std::min(*to, notes[n].end) : notes[n].end;
        if (pitchClass(notes[n].pitch) == pc && start < end)
            sum += end - start;
    }
    return sum;
}

} // namespace

void dropIncompleteExtended(const ChordTable &table, std::vector<Step> &steps)
{
    for (Step &step : steps) {
        if (!step.chord)
            continue;
        const int tones = std::popcount(chordTones(table.row(step.chord->chord)));
        // The rate is the share of the chord's tones that sound, rounded.
        const int present = (step.rate * tones + 50) / 100;
        if (tones >= 6 && tones - present >= 2) {
            step.chord.reset();
            step.rate = 0;
        }
    }
    joinEqualNeighbours(steps);
}

void nameDiminishedSevenths(const ChordTable &table, const std::vector<PieceNote> &notes,
                            const std::vector<Key> &keys, int threshold, std::vector<Step> &steps)
{
    // Any tone of a diminished seventh can be its root; the one that leads a
    // semitone up to the next chord's root names it, else the key's leading
    // tone, else a tone that leads up to a degree of the key.
    constexpr unsigned kDiminishedSeventh = 0x249; // 0, 3, 6, 9 semitones
    constexpr unsigned kDiminishedTriad = 0x49;    // 0, 3, 6
    constexpr unsigned kDominantSeventh = 0x491;   // 0, 4, 7, 10
    constexpr int kThreeOfFour = 75;               // the rate of a seventh one tone short
    // A diminished seventh the score spells as a stack of minor thirds
    // (A C E♭ G♭) is named on the bottom of the stack.
    std::vector<std::optional<int>> stacked(steps.size());
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        if (!steps[i].chord || chordTones(table.row(steps[i].chord->chord)) != kDiminishedSeventh)
            return;
        stacked[i] = spelledStackBottom(notes, active, steps[i].chord->root, 4, 3, -3);
    });
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i].chord || chordTones(table.row(steps[i].chord->chord)) != kDiminishedSeventh)
            continue;
        StepChord &chord = *steps[i].chord;
        const unsigned tones = rotateClasses(kDiminishedSeventh, chord.root);
        const auto tone = [&](auto leads) {
            for (int pc = 0; pc < 12; ++pc) {
                if ((tones & (1u << pc)) && leads((pc + 1) % 12))
                    return std::optional<int>(pc);
            }
            return std::optional<int>();
        };
        const Key key = keyAt(keys, steps[i].start);
        const int tonic = ((key.minor ? 9 : 0) + 7 * key.fifths % 12 + 24) % 12;
        const auto next = std::find_if(steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                       steps.end(), [](const Step &s) { return s.chord; });
        std::optional<int> root = stacked[i];
        if (!root && next != steps.end())
            root = tone([&](int up) { return up == next->chord->root; });
        if (!root)
            root = tone([&](int up) { return up == tonic; });
        if (!root) {
            static constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
            static constexpr int kMinor[] = {0, 2, 3, 5, 7, 8, 10};
            root = tone([&](int up) {
                const int degree = (up - tonic + 12) % 12;
                return std::ranges::count(key.minor ? kMinor : kMajor, degree) > 0;
            });
        }
        if (root)
            chord.root = *root;
    }
    // A diminished triad is the diminished seventh without one tone: named
    // on the tone that leads a semitone up to the next root when its own
    // root does not.
    const std::optional<int> sevenths = firstSlotOf(table, kDiminishedSeventh);
    for (size_t i = 0; sevenths && i < steps.size(); ++i) {
        if (!steps[i].chord || chordTones(table.row(steps[i].chord->chord)) != kDiminishedTriad)
            continue;
        const auto next = std::find_if(steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                       steps.end(), [](const Step &s) { return s.chord; });
        if (next == steps.end())
            continue;
        StepChord &chord = *steps[i].chord;
        const unsigned seventh = rotateClasses(kDiminishedSeventh, chord.root);
        // Beside its own diminished seventh it takes that seventh's name.
        const auto sameSeventh = [&](const Step &s) {
            return s.chord && chordTones(table.row(s.chord->chord)) == kDiminishedSeventh &&
                   rotateClasses(kDiminishedSeventh, s.chord->root) == seventh;
        };
        int target = next->chord->root;
        if (sameSeventh(*next))
            target = (next->chord->root + 1) % 12;
        else if (i > 0 && sameSeventh(steps[i - 1]))
            target = (steps[i - 1].chord->root + 1) % 12;
        if ((chord.root + 1) % 12 == target)
            continue;
        for (int k = 1; k < 4; ++k) {
            const int pc = (chord.root + 3 * k) % 12;
            if ((pc + 1) % 12 != target)
                continue;
            // Three of its four tones: the root may be the one missing,
            // which the search's rate would take as given.
            if (kThreeOfFour >= threshold) {
                chord = StepChord{*sevenths, pc, chord.bass};
                steps[i].rate = kThreeOfFour;
            }
            break;
        }
    }
    // One still left is a dominant seventh without its root (B D F for
    // G7) where that root sounds in the step or names the step before.
    const std::optional<int> dominants = firstSlotOf(table, kDominantSeventh);
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        if (!dominants || !steps[i].chord ||
            chordTones(table.row(steps[i].chord->chord)) != kDiminishedTriad)
            return;
        StepChord &chord = *steps[i].chord;
        const int root = (chord.root + 8) % 12;
        const bool sounds = std::ranges::any_of(
            active, [&](size_t n) { return pitchClass(notes[n].pitch) == root; });
        const bool before = i > 0 && steps[i - 1].chord && steps[i - 1].chord->root == root;
        if ((sounds || before) && kThreeOfFour >= threshold) {
            chord = StepChord{*dominants, root, chord.bass};
            steps[i].rate = kThreeOfFour;
        }
    });
    joinEqualNeighbours(steps);
}

void nameAugmentedTriads(const ChordTable &table, const std::vector<PieceNote> &notes,
                         std::vector<Step> &steps)
{
    // Its three tones sound alike on any root; the spelling tells them apart.
    constexpr unsigned kAugmented = 0x111; // 0, 4, 8 semitones
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        if (!steps[i].chord || chordTones(table.row(steps[i].chord->chord)) != kAugmented)
            return;
        StepChord &chord = *steps[i].chord;
        std::optional<int> root = spelledStackBottom(notes, active, chord.root, 3, 4, 4);
        if (!root && i > 0 && steps[i - 1].chord &&
            ((rotateClasses(kAugmented, chord.root) >> steps[i - 1].chord->root) & 1))
            root = steps[i - 1].chord->root;
        if (root)
            chord.root = *root;
    });
    joinEqualNeighbours(steps);
}

void nameAsTextbooksDo(const ChordTable &table, const std::vector<PieceNote> &notes,
                       std::vector<Step> &steps)
{
    constexpr unsigned kMinorSeventh = 0x489;   // 0, 3, 7, 10 semitones
    constexpr unsigned kAddedSixth = 0x291;     // 0, 4, 7, 9
    constexpr unsigned kMinorSixth = 0x289;     // 0, 3, 7, 9
    constexpr unsigned kHalfDiminished = 0x449; // 0, 3, 6, 10
    constexpr unsigned kMinorAddFourth = 0xA9;  // 0, 3, 5, 7
    constexpr unsigned kDominantSeventh = 0x491;
    const std::optional<int> sixths = firstSlotOf(table, kAddedSixth);
    const std::optional<int> minorSevenths = firstSlotOf(table, kMinorSeventh);
    const std::optional<int> halfDiminished = firstSlotOf(table, kHalfDiminished);
    const std::optional<int> dominants = firstSlotOf(table, kDominantSeventh);
    // Each keeps the tones it renames, and so the rate.
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        if (!steps[i].chord)
            return;
        StepChord &chord = *steps[i].chord;
        const unsigned tones = chordTones(table.row(chord.chord));
        const auto sounds = [&](int pc) {
            return std::ranges::any_of(active,
                                       [&](size_t n) { return pitchClass(notes[n].pitch) == pc; });
        };
        if (sixths && minorSevenths && (tones == kMinorSeventh || tones == kAddedSixth)) {
            // A C E G: Am7 over A, else C6 unless its A outlasts its G.
            const int minor = tones == kMinorSeventh ? chord.root : (chord.root + 9) % 12;
            const std::optional<Fraction> end =
                i + 1 < steps.size() ? std::optional(steps[i + 1].start) : std::nullopt;
            const bool onSixth =
                chord.bass == minor ||
                lengthOf(notes, active, minor, steps[i].start, end) >
                    lengthOf(notes, active, (minor + 10) % 12, steps[i].start, end);
            chord = onSixth ? StepChord{*minorSevenths, minor, chord.bass}
                            : StepChord{*sixths, (minor + 3) % 12, chord.bass};
        } else if (halfDiminished && tones == kMinorSixth)
            chord = StepChord{*halfDiminished, (chord.root + 9) % 12, chord.bass};
        else if (dominants && tones == kMinorAddFourth && sounds((chord.root + 3) % 12) &&
                 !sounds((chord.root + 7) % 12))
            chord = StepChord{*dominants, (chord.root + 5) % 12, chord.bass};
    });
    joinEqualNeighbours(steps);
}

void resolveSuspensions(const ChordTable &table, std::vector<Step> &steps)
{
    constexpr unsigned kThirds = (1u << 3) | (1u << 4);
    constexpr unsigned kFourth = 1u << 5;
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        Step &step = steps[i];
        const Step &next = steps[i + 1];
        if (!step.chord || !next.chord || step.chord->root != next.chord->root)
            continue;
        const unsigned tones = chordTones(table.row(step.chord->chord));
        const unsigned resolved = chordTones(table.row(next.chord->chord));
        const bool onTone = (rotateClasses(resolved, next.chord->root) >> step.chord->bass) & 1;
        if (!(tones & kThirds) && (resolved & kThirds) && !(resolved & kFourth) && onTone) {
            step.chord = StepChord{next.chord->chord, next.chord->root, step.chord->bass};
            step.rate = next.rate;
        }
    }
    joinEqualNeighbours(steps);
}

void continueTwoToneTriads(const ChordTable &table, const std::vector<PieceNote> &notes,
                           std::vector<Step> &steps)
{
    constexpr unsigned kMajor = 0x91; // 0, 4, 7 semitones
    constexpr unsigned kMinor = 0x89; // 0, 3, 7
    const std::optional<int> majors = firstSlotOf(table, kMajor);
    const std::optional<int> minors = firstSlotOf(table, kMinor);
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        if (!majors || !minors || i == 0 || !steps[i].chord || !steps[i - 1].chord)
            return;
        StepChord &chord = *steps[i].chord;
        const int root = steps[i - 1].chord->root;
        const unsigned tones = chordTones(table.row(chord.chord));
        if (root == chord.root || (tones != kMajor && tones != kMinor))
            return;
        unsigned sounding = 0;
        for (const size_t n : active)
            sounding |= 1u << pitchClass(notes[n].pitch);
        const unsigned present = sounding & rotateClasses(tones, chord.root);
        if (std::popcount(present) != 2)
            return;
        // Two tones of a triad belong to one other triad at most.
        for (const auto &[shape, slot] : {std::pair(kMajor, *majors), std::pair(kMinor, *minors)}) {
            const unsigned other = rotateClasses(shape, root);
            if ((other & present) == present && ((other >> chord.bass) & 1)) {
                chord = StepChord{slot, root, chord.bass};
                break;
            }
        }
    });
    joinEqualNeighbours(steps);
}

void spellSteps(const ChordTable &table, const std::vector<PieceNote> &notes,
                const std::vector<Key> &keys, std::vector<Step> &steps)
{
    // A root or bass takes the spelling the step's notes give its pitch
    // class most often; where it does not sound, the key's.
    withStepNotes(notes, steps, [&](size_t i, const std::vector<size_t> &active) {
        Step &step = steps[i];
        if (!step.chord)
            return;
        step.spelled = symbolNotes(table, *step.chord, keyAt(keys, step.start));
        step.spelled.root = mostOften(notes, active, step.chord->root, step.spelled.root);
        if (step.spelled.bass)
            step.spelled.bass = mostOften(notes, active, step.chord->bass, *step.spelled.bass);
    });
}

} // namespace chordvane::harmony
