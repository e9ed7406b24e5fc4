#include "analyser.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace chordvane::harmony {

namespace {

unsigned sounding(const BeatState &state, const std::vector<PieceNote> &notes)
{
    unsigned classes = 0;
    for (const size_t n : state.active)
        classes |= 1u << pitchClass(notes[n].pitch);
    return classes;
}

} // namespace

std::optional<Reading> Analyser::readTwoMeasures(std::span<const BeatState> measure,
                                                 std::span<const BeatState> other, bool after) const
{
    const Beat &beat = measure.front().beat;
    if (other.empty() || other.front().beat.perBar != beat.perBar ||
        other.front().beat.end - other.front().beat.start != beat.end - beat.start)
        return std::nullopt;
    const std::span<const BeatState> first = after ? measure : other;
    const std::span<const BeatState> second = after ? other : measure;
    std::vector<BeatState> both(first.begin(), first.end());
    both.insert(both.end(), second.begin(), second.end());
    const auto withBass =
        std::find_if(both.begin(), both.end(), [](const BeatState &b) { return b.bass; });
    const std::vector<Heard> heard =
        hearWindow(both.front().beat.start, both.back().beat.end, both);
    Reading wide = nameByWeight(both.front().beat.start, heard, *withBass->bass, m_plainChooser);
    if (!wide.chord)
        return std::nullopt;
    return wide;
}

std::optional<Reading> Analyser::fitAcross(const BeatState &state, Reading wide,
                                           const std::optional<StepChord> &beside) const
{
    const Reading &own = state.reading;
    // A line alone only carries on the chord of the music beside it, so
    // that it never stands as a step of its own.
    if (own.oneLine) {
        if (!beside || beside->chord != wide.chord->chord || beside->root != wide.chord->root)
            return std::nullopt;
        wide.chord = beside;
    } else {
        wide.chord->bass = *state.bass;
    }
    wide.rate = rateOf(m_table, *wide.chord, wide.harmonic);
    const bool fits = !named(own) || own.oneLine || (own.harmonic & ~tonesOf(*wide.chord)) == 0;
    if (!named(wide) || std::popcount(wide.harmonic) < 3 || !fits)
        return std::nullopt;
    return wide;
}

void Analyser::widen(std::span<BeatState> measure, std::span<const BeatState> preceding,
                     std::span<const BeatState> following)
{
    // A beat with too little to go on is read with the rest of its half
    // measure, then with its whole measure, in the plain chords alone; else
    // it goes on with the chord before it when that holds all its notes.
    const int perBar = measure.front().beat.perBar;
    // The readings of this measure with the one before and the one after.
    std::array<std::optional<std::optional<Reading>>, 2> across;
    for (size_t i = 0; i < measure.size(); ++i) {
        BeatState &state = measure[i];
        Reading &own = state.reading;
        const unsigned lastSounding = std::exchange(m_lastSounding, sounding(state, m_notes));
        if (!state.parts.empty()) {
            m_held = state.parts.back().second.chord;
            m_heldTones = tonesOf(*m_held);
            m_heldRate = state.parts.back().second.rate;
            continue;
        }
        // A chord held through a moving line stays one step.
        const bool holds = m_held && state.bass == m_held->bass && state.oneAttackingLine &&
                           std::popcount(state.held) >= 2 && (state.held & ~tonesOf(*m_held)) == 0;
        if (holds) {
            // Notes held on are still the chord they were named as, unless
            // one of its tones has stopped: then it is rated on what sounds,
            // the moving line's chord tones too.
            if (own.chord != m_held) {
                const bool lost = (lastSounding & m_heldTones & ~state.held) != 0;
                own.chord = m_held;
                own.rate = lost
                               ? rateOf(m_table, *m_held, state.held | (own.harmonic & m_heldTones))
                               : m_heldRate;
            }
        } else if (state.bass &&
                   !(named(own) && std::popcount(own.harmonic) >= 3 && !own.oneLine)) {
            std::vector<std::pair<size_t, size_t>> windows;
            if (perBar >= 4 && perBar % 2 == 0) {
                const size_t half = static_cast<size_t>(perBar / 2);
                const size_t first = i / half * half;
                windows.emplace_back(first, std::min(first + half, measure.size()));
            }
            windows.emplace_back(0, measure.size());
            bool widened = false;
            for (const auto &[first, last] : windows) {
                const std::span<const BeatState> beats(measure.begin() + first, last - first);
                const auto withBass = std::find_if(beats.begin(), beats.end(),
                                                   [](const BeatState &b) { return b.bass; });
                const std::vector<Heard> heard =
                    hearWindow(beats.front().beat.start, beats.back().beat.end, beats);
                const Reading wide =
                    nameByWeight(beats.front().beat.start, heard, *withBass->bass, m_plainChooser);
                if (!named(wide))
                    continue;
                // A beat that names a chord of its own keeps it unless the
                // window's chord holds its notes over the same bass.
                const bool fits = !named(own) || own.oneLine ||
                                  (wide.chord->bass == *state.bass &&
                                   (own.harmonic & ~tonesOf(*wide.chord)) == 0);
                // The nearer window wins, even on two classes (a wider one
                // would mix in the chord beside it), but a line alone spells
                // its broken chord across the measure.
                const bool enough = !wide.oneLine || std::popcount(wide.harmonic) >= 3 ||
                                    last - first == measure.size();
                if (enough && fits) {
                    own = wide;
                    widened = true;
                    break;
                }
            }
            // Two measures in one meter, when one alone says too little:
            // read once a measure, fitted to each beat.
            for (const bool after : {false, true}) {
                if (widened)
                    break;
                std::optional<std::optional<Reading>> &both = across[after];
                if (!both)
                    both = readTwoMeasures(measure, after ? following : preceding, after);
                const std::optional<Reading> wide =
                    *both
                        ? fitAcross(state, **both, after ? following.front().reading.chord : m_held)
                        : std::nullopt;
                if (wide) {
                    own = *wide;
                    widened = true;
                }
            }
            // A bass that moves to another tone of the chord arpeggiates it:
            // the step goes on over the bass it started on.
            if (!widened && m_held && !own.oneLine && std::popcount(own.harmonic) < 3 &&
                (own.harmonic & ~m_heldTones) == 0) {
                own.chord = m_held;
                own.rate = rateOf(m_table, *m_held, own.harmonic);
            }
        }
        if (!named(own))
            own.chord.reset();
        if (own.chord) {
            m_held = own.chord;
            m_heldTones = tonesOf(*own.chord);
            m_heldRate = own.rate;
        } else if (!state.bass) {
            m_held.reset();
        }
    }
}

} // namespace chordvane::harmony
