#include "analyser.h"

#include "figuration.h"

#include <algorithm>
#include <bit>

namespace chordvane::harmony {

std::vector<Heard> Analyser::hear(const Beat &beat, const std::vector<size_t> &active)
{
    std::vector<Heard> heard;
    for (const size_t i : active) {
        const PieceNote &n = m_notes[i];
        heard.push_back({std::max(n.start, beat.start), std::min(n.end, beat.end), n.pitch, n.line,
                         m_figuration[i], i});
    }
    // A bass struck and then left to rest rings on through its measure, as
    // the bass of an oom-pah figure does, while nothing sounds at or below it
    // and something sounds above.
    if (!active.empty() && m_bass &&
        m_timeline->measureAt(m_notes[*m_bass].start) == beat.measure) {
        const PieceNote &bass = m_notes[*m_bass];
        const bool quiet = std::none_of(active.begin(), active.end(), [&](size_t i) {
            return m_notes[i].line == bass.line || m_notes[i].pitch <= bass.pitch;
        });
        if (quiet)
            heard.push_back(
                {beat.start, beat.end, bass.pitch, bass.line, std::nullopt, std::nullopt});
    }
    return heard;
}

std::vector<Heard> Analyser::hearWindow(const Fraction &from, const Fraction &to,
                                        std::span<const BeatState> beats) const
{
    std::vector<size_t> notes;
    for (const BeatState &b : beats)
        notes.insert(notes.end(), b.active.begin(), b.active.end());
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    std::vector<Heard> heard;
    for (const size_t i : notes) {
        const PieceNote &n = m_notes[i];
        heard.push_back(
            {std::max(n.start, from), std::min(n.end, to), n.pitch, n.line, m_figuration[i], i});
    }
    return heard;
}

int Analyser::bassOf(const std::vector<Heard> &heard)
{
    // The lowest note heard first in the beat, unless it is figuration: a
    // passing note in the bass leaves the bass where it was.
    const auto bass =
        std::min_element(heard.begin(), heard.end(), [](const Heard &a, const Heard &b) {
            return a.start != b.start ? a.start < b.start : a.pitch < b.pitch;
        });
    if (bass->figuration && *bass->figuration <= bass->start && m_bassClass)
        return *m_bassClass;
    if (bass->note)
        m_bass = bass->note;
    m_bassClass = pitchClass(bass->pitch);
    return *m_bassClass;
}

Reading Analyser::nameStatic(const std::vector<Heard> &heard)
{
    const auto lowest =
        std::min_element(heard.begin(), heard.end(),
                         [](const Heard &a, const Heard &b) { return a.pitch < b.pitch; });
    // Note numbers 1..12 carry the classes: MIDI key + 1 could reach the empty marker.
    SearchRequest request{pitchClass(lowest->pitch) + 1, {}, m_threshold};
    Reading reading;
    for (const Heard &h : heard) {
        request.notes.push_back(pitchClass(h.pitch) + 1);
        reading.harmonic |= 1u << pitchClass(h.pitch);
    }
    reading.oneLine = std::popcount(reading.harmonic) == 1;
    findChords(m_table, request, m_found);
    if (m_found.empty())
        return reading;
    rankByMatchRate(m_table, request, m_found);
    const ChordMatch &first = m_found.front();
    const int bass = request.bass - 1;
    const int root = first.root == NO_NOTE ? bass : (first.root - 1) % 12;
    reading.chord = StepChord{first.chord, root, bass};
    reading.rate = first.rate;
    return reading;
}

Reading Analyser::nameByWeight(const Fraction &from, const std::vector<Heard> &heard, int bass,
                               const ChordChooser &chooser) const
{
    const Weighed weighed = weigh(from, heard);
    Reading reading;
    reading.oneLine = weighed.mostAtOnce <= 1;
    // A line alone is a chord only when all its own notes spell one.
    reading.harmonic = (reading.oneLine ? weighed.all : weighed.harmonic) | (1u << bass);
    BeatWeights weights = weighed.weights;
    if (reading.oneLine)
        weights.figuration.fill(0);
    reading.chord = (reading.oneLine ? m_brokenChooser : chooser)
                        .choose(weights, bass, reading.harmonic, m_threshold);
    // Every note of a line alone is a chord tone, its lowest too.
    if (reading.chord && reading.oneLine &&
        !(rotateClasses(chordTones(m_table.row(reading.chord->chord)), reading.chord->root) &
          (1u << bass)))
        reading.chord.reset();
    if (reading.chord)
        reading.rate = rateOf(m_table, *reading.chord, reading.harmonic);
    return reading;
}

Reading Analyser::nameBeat(const Fraction &from, const std::vector<Heard> &heard, int bass)
{
    // One sound through the whole beat keeps the name the search gives it.
    return unchanging(heard) ? nameStatic(heard) : nameByWeight(from, heard, bass, m_chooser);
}

bool Analyser::named(const Reading &reading) const
{
    return reading.chord && reading.rate >= m_threshold && reading.rate > 0;
}

Reading Analyser::readBeat(BeatState &state)
{
    const std::vector<Heard> heard = hear(state.beat, state.active);
    if (heard.empty()) {
        m_bassClass.reset();
        return {};
    }
    state.bass = bassOf(heard);
    std::optional<int> attacking;
    for (const size_t i : state.active) {
        const PieceNote &n = m_notes[i];
        if (n.start < state.beat.start && n.end >= state.beat.end)
            state.held |= 1u << pitchClass(n.pitch);
        else if (n.start >= state.beat.start) {
            if (attacking && *attacking != n.line)
                state.oneAttackingLine = false;
            attacking = n.line;
        }
    }
    const Reading reading = nameBeat(state.beat.start, heard, *state.bass);
    readParts(state, reading);
    return reading;
}

void Analyser::readParts(BeatState &state, const Reading &whole)
{
    // A beat longer than an eighth may hold a chord on each half (each
    // third of a dotted beat), as a half-note beat of 2/2 often does: its
    // parts are steps of their own when each names a chord (a line alone
    // its broken chord) and their roots differ.
    const Fraction length = state.beat.end - state.beat.start;
    if (length <= Fraction(1, 2))
        return;
    const int count = length.numerator() % 3 == 0 ? 3 : 2;
    std::vector<std::pair<Fraction, Reading>> parts;
    for (int k = 0; k < count; ++k) {
        Beat part = state.beat;
        part.start = state.beat.start + length * Fraction(k, count);
        part.end = state.beat.start + length * Fraction(k + 1, count);
        std::vector<size_t> active;
        for (const size_t i : state.active) {
            if (m_notes[i].start < part.end && m_notes[i].end > part.start)
                active.push_back(i);
        }
        const std::vector<Heard> heard = hear(part, active);
        if (heard.empty())
            return;
        const Reading reading = nameBeat(part.start, heard, bassOf(heard));
        if (!named(reading))
            return;
        parts.emplace_back(part.start, reading);
    }
    // A plain chord that holds every part's notes is the beat's one chord,
    // complete or not.
    const bool explained = named(whole) &&
                           chordClass(m_table.row(whole.chord->chord)) <= ChordClass::Added &&
                           std::all_of(parts.begin(), parts.end(), [&](const auto &part) {
                               return (part.second.harmonic & ~tonesOf(*whole.chord)) == 0;
                           });
    const bool changes = std::any_of(parts.begin(), parts.end(), [&](const auto &part) {
        return part.second.chord->root != parts.front().second.chord->root;
    });
    if (changes && !explained)
        state.parts = std::move(parts);
}

} // namespace chordvane::harmony
