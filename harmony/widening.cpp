#include "analyser.h"

#include <algorithm>
#include <bit>

namespace chordvane::harmony {

void Analyser::widen(std::span<BeatState> measure)
{
    // A beat with too little to go on is read with the rest of its half
    // measure, then with its whole measure, in the plain chords alone; else
    // it goes on with the chord before it when that holds all its notes.
    const int perBar = measure.front().beat.perBar;
    for (size_t i = 0; i < measure.size(); ++i) {
        BeatState &state = measure[i];
        Reading &own = state.reading;
        if (!state.parts.empty()) {
            m_held = state.parts.back().second.chord;
            m_heldTones = tonesOf(*m_held);
            continue;
        }
        // A chord held through a moving line stays one step.
        const bool holds = m_held && state.bass == m_held->bass && state.oneAttackingLine &&
                           std::popcount(state.held) >= 2 && (state.held & ~tonesOf(*m_held)) == 0;
        if (holds) {
            if (own.chord != m_held) {
                own.chord = m_held;
                own.rate = rateOf(m_table, *m_held, state.held);
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
                // The whole measure is the last resort: a chord of two
                // classes there is all the music says.
                const bool enough =
                    std::popcount(wide.harmonic) >= 3 || last - first == measure.size();
                if (enough && fits) {
                    own = wide;
                    widened = true;
                    break;
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
        } else if (!state.bass) {
            m_held.reset();
        }
    }
}

} // namespace chordvane::harmony
