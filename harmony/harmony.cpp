#include "harmony.h"

#include "chooser.h"
#include "figuration.h"
#include "meter.h"
#include "piececheck.h"
#include "resulttext.h"
#include "search.h"
#include "spelling.h"
#include "steppasses.h"
#include "weighing.h"

#include <algorithm>
#include <bit>
#include <span>

namespace chordvane::harmony {

namespace {

// What a beat or a wider window says: the chord it names (if any), that
// chord's rate against the window's harmonic classes and bass, and what
// the window holds.
struct Reading {
    std::optional<StepChord> chord;
    int rate = 0;
    unsigned harmonic = 0; // classes that sound as more than figuration, bass included
    bool oneLine = false;  // never more than one pitch class at once: a line alone or in octaves
};

// A beat as the first reading left it, kept until its measure is done.
struct BeatState {
    Beat beat;
    std::vector<size_t> active; // the notes sounding in it
    std::optional<int> bass;    // none in silence
    Reading reading;
    unsigned held = 0;            // classes of notes sounding on from before the beat to its end
    bool oneAttackingLine = true; // the notes struck in the beat belong to one line at most
};

class Analyser {
public:
    Analyser(const ChordTable &table, const Piece &piece, int threshold)
        : m_table(table)
        , m_threshold(threshold)
        , m_chooser(table)
        , m_plainChooser(table, ChordClass::Added)
        , m_brokenChooser(table, ChordClass::Seventh)
    {
        for (const PieceNote &n : piece.notes) {
            if (n.start < n.end)
                m_notes.push_back(n);
        }
        std::sort(m_notes.begin(), m_notes.end(), [](const PieceNote &a, const PieceNote &b) {
            if (a.start != b.start)
                return a.start < b.start;
            return a.pitch != b.pitch ? a.pitch < b.pitch : a.line < b.line;
        });
        Fraction end = piece.end;
        if (!piece.measureStarts.empty())
            end = std::max(end, piece.measureStarts.back());
        for (const PieceNote &n : m_notes) {
            end = std::max(end, n.end);
            if (m_moments.empty() || m_moments.back() != n.start)
                m_moments.push_back(n.start);
        }
        m_timeline.emplace(piece, end);
        m_figuration = figurationStarts(m_notes, m_moments, *m_timeline);
        m_keys = piece.keys;
        std::stable_sort(m_keys.begin(), m_keys.end(),
                         [](const Key &a, const Key &b) { return a.at < b.at; });
    }

    std::vector<Step> run();

private:
    std::vector<Heard> hear(const Beat &beat, const std::vector<size_t> &active);
    std::vector<Heard> hearWindow(const Fraction &from, const Fraction &to,
                                  std::span<const BeatState> beats) const;
    int bassOf(const std::vector<Heard> &heard);
    Reading nameStatic(const std::vector<Heard> &heard);
    Reading nameByWeight(const Fraction &from, const std::vector<Heard> &heard, int bass,
                         const ChordChooser &chooser) const;
    Reading readBeat(BeatState &state);
    void widen(std::span<BeatState> measure);
    bool named(const Reading &reading) const;
    // A chord's classes and its bass.
    unsigned tonesOf(const StepChord &chord) const
    {
        return rotateClasses(chordTones(m_table.row(chord.chord)), chord.root) | (1u << chord.bass);
    }

    const ChordTable &m_table;
    const int m_threshold;
    const ChordChooser m_chooser;
    const ChordChooser m_plainChooser;  // for windows wider than a beat
    const ChordChooser m_brokenChooser; // for a line alone: triads and sevenths
    std::vector<PieceNote> m_notes;
    std::vector<Fraction> m_moments;
    std::optional<Timeline> m_timeline;
    std::vector<std::optional<Fraction>> m_figuration;
    std::vector<Key> m_keys;
    std::optional<size_t> m_bass;   // the last bass note struck, which may ring on
    std::optional<int> m_bassClass; // the last beat's bass
    std::vector<ChordMatch> m_found;
    std::optional<StepChord> m_held; // the chord named last, until a silence
    unsigned m_heldTones = 0;        // its classes and its bass
};

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
    Fraction latestStart = heard.front().start;
    Fraction earliestEnd = heard.front().end;
    bool figuration = false;
    for (const Heard &h : heard) {
        latestStart = std::max(latestStart, h.start);
        earliestEnd = std::min(earliestEnd, h.end);
        figuration = figuration || (h.figuration && *h.figuration < h.end);
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
    // One sound through the whole beat keeps the name the search gives it.
    return latestStart < earliestEnd && !figuration
               ? nameStatic(heard)
               : nameByWeight(state.beat.start, heard, *state.bass, m_chooser);
}

void Analyser::widen(std::span<BeatState> measure)
{
    // A beat with too little to go on is read with the rest of its half
    // measure, then with its whole measure, in the plain chords alone; else
    // it goes on with the chord before it when that holds all its notes.
    const int perBar = measure.front().beat.perBar;
    for (size_t i = 0; i < measure.size(); ++i) {
        BeatState &state = measure[i];
        Reading &own = state.reading;
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

std::vector<Step> Analyser::run()
{
    std::vector<Step> steps;
    std::vector<size_t> active;
    size_t next = 0;
    const std::vector<Beat> beats = m_timeline->beats();
    std::vector<BeatState> measure;
    for (size_t b = 0; b < beats.size();) {
        measure.clear();
        for (; b < beats.size() &&
               (measure.empty() || beats[b].measure == measure.front().beat.measure);
             ++b) {
            const Beat &beat = beats[b];
            for (; next < m_notes.size() && m_notes[next].start < beat.end; ++next)
                active.push_back(next);
            std::erase_if(active, [&](size_t i) { return m_notes[i].end <= beat.start; });
            measure.push_back({beat, active, std::nullopt, {}});
            measure.back().reading = readBeat(measure.back());
        }
        widen(measure);
        for (const BeatState &state : measure) {
            if (!steps.empty() && steps.back().chord == state.reading.chord)
                continue;
            steps.push_back({state.beat.start,
                             state.beat.measure,
                             state.reading.chord,
                             state.reading.chord ? state.reading.rate : 0,
                             {},
                             {},
                             {}});
        }
    }
    nameDiminishedSevenths(m_table, m_keys, steps);
    spellSteps(m_table, m_notes, m_keys, steps);
    for (Step &step : steps) {
        if (!step.chord)
            continue;
        const StepChord &c = *step.chord;
        const int bassNote = c.bass + 1;
        const ChordMatch match{c.chord,
                               c.root == c.bass ? NO_NOTE : bassNote + (c.root - c.bass + 12) % 12,
                               step.rate};
        step.chordText = resultLine(m_table, match, bassNote);
        step.symbol = chordSymbol(m_table, c, step.spelled);
    }
    return steps;
}

} // namespace

Analysis analyse(const ChordTable &table, const Piece &piece, int threshold)
{
    Analysis analysis;
    const PieceProblem problem = checkPiece(piece);
    if (problem.error != PieceError::None) {
        analysis.error = problem.error;
        analysis.where = problem.where;
        return analysis;
    }
    try {
        analysis.steps = Analyser(table, piece, threshold).run();
    } catch (const FractionOverflow &) {
        analysis.error = PieceError::TimeTooFine;
    }
    return analysis;
}

} // namespace chordvane::harmony
