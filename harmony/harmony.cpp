#include "harmony.h"

#include "chooser.h"
#include "figuration.h"
#include "meter.h"
#include "resulttext.h"
#include "search.h"
#include "spelling.h"

#include <algorithm>
#include <numeric>

namespace chordvane::harmony {

namespace {

__extension__ typedef __int128 Wide;

// Ticks per beat stay below this, and a beat's total weight below kMaxWeight,
// so that the chooser's cross products fit in 128 bits.
constexpr std::int64_t kMaxTicks = std::int64_t{1} << 32;
constexpr Wide kMaxWeight = Wide{1} << 52;

int pitchClass(int pitch)
{
    return pitch % 12; // pitches are 0..127
}

struct Problem {
    PieceError error = PieceError::None;
    std::size_t where = 0;
};

template <typename T, typename Test>
Problem firstWhere(const std::vector<T> &entries, PieceError error, Test broken)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (broken(entries[i], i))
            return {error, i};
    }
    return {};
}

Problem check(const Piece &piece)
{
    const Fraction first = piece.measureStarts.empty() ? Fraction(0) : piece.measureStarts.front();
    const Problem problems[] = {
        firstWhere(piece.notes, PieceError::NoteEndsBeforeStart,
                   [](const PieceNote &n, size_t) { return n.end < n.start; }),
        firstWhere(piece.notes, PieceError::PitchOutOfRange,
                   [](const PieceNote &n, size_t) { return n.pitch < 0 || n.pitch > 127; }),
        firstWhere(piece.notes, PieceError::NoteBeforeFirstMeasure,
                   [&](const PieceNote &n, size_t) { return n.start < first; }),
        firstWhere(piece.measureStarts, PieceError::MeasuresOutOfOrder,
                   [&](const Fraction &start, size_t i) {
                       return i > 0 && !(piece.measureStarts[i - 1] < start);
                   }),
        firstWhere(piece.meters, PieceError::BadMeter,
                   [](const Meter &m, size_t) {
                       return m.beats < 1 || m.beatType < 1 || m.beatType > 64 ||
                              (m.beatType & (m.beatType - 1)) != 0;
                   }),
        firstWhere(piece.keys, PieceError::BadKey,
                   [](const Key &k, size_t) { return k.fifths < -7 || k.fifths > 7; }),
    };
    for (const Problem &p : problems) {
        if (p.error != PieceError::None)
            return p;
    }
    return {};
}

// A note as one beat hears it: cut to the beat, with the time its figuration starts.
struct Heard {
    Fraction start;
    Fraction end;
    int pitch = 0;
    std::optional<Fraction> figuration;
    std::optional<size_t> note; // none for a bass that rings on
};

struct BeatChord {
    std::optional<StepChord> chord;
    int rate = 0;
};

class Analyser {
public:
    Analyser(const ChordTable &table, const Piece &piece, int threshold)
        : m_table(table)
        , m_threshold(threshold)
        , m_chooser(table)
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
    int bassOf(const std::vector<Heard> &heard);
    BeatChord nameStatic(const std::vector<Heard> &heard);
    BeatChord nameByWeight(const Beat &beat, const std::vector<Heard> &heard, int bass) const;

    const ChordTable &m_table;
    const int m_threshold;
    const ChordChooser m_chooser;
    std::vector<PieceNote> m_notes;
    std::vector<Fraction> m_moments;
    std::optional<Timeline> m_timeline;
    std::vector<std::optional<Fraction>> m_figuration;
    std::vector<Key> m_keys;
    std::optional<size_t> m_bass;   // the last bass note struck, which may ring on
    std::optional<int> m_bassClass; // the last beat's bass
    std::vector<ChordMatch> m_found;
};

std::vector<Heard> Analyser::hear(const Beat &beat, const std::vector<size_t> &active)
{
    std::vector<Heard> heard;
    for (const size_t i : active) {
        const PieceNote &n = m_notes[i];
        heard.push_back({std::max(n.start, beat.start), std::min(n.end, beat.end), n.pitch,
                         m_figuration[i], i});
    }
    // A bass struck and then left to rest rings on through its measure, as
    // the bass of an oom-pah figure does, while nothing sounds at or below it.
    if (m_bass && m_timeline->measureAt(m_notes[*m_bass].start) == beat.measure) {
        const PieceNote &bass = m_notes[*m_bass];
        const bool quiet = std::none_of(active.begin(), active.end(), [&](size_t i) {
            return m_notes[i].line == bass.line || m_notes[i].pitch <= bass.pitch;
        });
        if (quiet)
            heard.push_back({beat.start, beat.end, bass.pitch, std::nullopt, std::nullopt});
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

BeatChord Analyser::nameStatic(const std::vector<Heard> &heard)
{
    const auto lowest =
        std::min_element(heard.begin(), heard.end(),
                         [](const Heard &a, const Heard &b) { return a.pitch < b.pitch; });
    // Note numbers 1..12 carry the classes: MIDI key + 1 could reach the empty marker.
    SearchRequest request{pitchClass(lowest->pitch) + 1, {}, m_threshold};
    for (const Heard &h : heard)
        request.notes.push_back(pitchClass(h.pitch) + 1);
    findChords(m_table, request, m_found);
    if (m_found.empty())
        return {};
    rankByMatchRate(m_table, m_found);
    const ChordMatch &first = m_found.front();
    const int bass = request.bass - 1;
    const int root = first.root == NO_NOTE ? bass : (first.root - 1) % 12;
    return {StepChord{first.chord, root, bass}, first.rate};
}

BeatChord Analyser::nameByWeight(const Beat &beat, const std::vector<Heard> &heard, int bass) const
{
    // Each stretch between two changes adds its length to the classes sounding
    // in it, counted in ticks of one common unit for the whole beat.
    struct Change {
        Fraction at;
        int pc;
        int sounding;
        int figuration;
        std::int64_t tick = 0;
    };
    std::vector<Change> changes;
    for (const Heard &h : heard) {
        const int pc = pitchClass(h.pitch);
        changes.push_back({h.start, pc, 1, 0});
        changes.push_back({h.end, pc, -1, 0});
        if (h.figuration && std::max(*h.figuration, h.start) < h.end) {
            changes.push_back({std::max(*h.figuration, h.start), pc, 0, 1});
            changes.push_back({h.end, pc, 0, -1});
        }
    }
    std::int64_t unit = 1;
    for (Change &c : changes) {
        c.at -= beat.start;
        const std::int64_t factor = c.at.denominator() / std::gcd(unit, c.at.denominator());
        if (factor >= kMaxTicks / unit)
            throw FractionOverflow();
        unit *= factor;
    }
    for (Change &c : changes)
        c.tick = c.at.numerator() * (unit / c.at.denominator());
    std::sort(changes.begin(), changes.end(),
              [](const Change &a, const Change &b) { return a.tick < b.tick; });

    std::array<int, 12> sounding{};
    std::array<int, 12> figuration{};
    std::array<Wide, 12> weight{};
    std::array<Wide, 12> figurationWeight{};
    std::int64_t from = 0;
    for (const Change &c : changes) {
        if (c.tick > from) {
            for (int pc = 0; pc < 12; ++pc) {
                const Wide w = Wide{c.tick - from} * sounding[pc];
                weight[pc] += w;
                // A class is figuration only while every note of it is.
                if (sounding[pc] > 0 && figuration[pc] == sounding[pc])
                    figurationWeight[pc] += w;
            }
            from = c.tick;
        }
        sounding[c.pc] += c.sounding;
        figuration[c.pc] += c.figuration;
    }
    BeatWeights weights;
    unsigned harmonic = 0; // classes that sound as more than figuration
    if (std::accumulate(weight.begin(), weight.end(), Wide{0}) >= kMaxWeight)
        throw FractionOverflow();
    for (int pc = 0; pc < 12; ++pc) {
        weights.sounding[pc] = static_cast<std::int64_t>(weight[pc]);
        weights.figuration[pc] = static_cast<std::int64_t>(figurationWeight[pc]);
        if (weight[pc] > figurationWeight[pc])
            harmonic |= 1u << pc;
    }
    const std::optional<StepChord> chord = m_chooser.choose(weights, bass);
    if (!chord)
        return {};
    // Rated as the search rates the chord against the beat's harmonic classes and its bass.
    IntervalSet notes = 0;
    for (int pc = 0; pc < 12; ++pc) {
        if (((harmonic & (1u << pc)) || pc == bass) && pc != chord->root)
            notes = static_cast<IntervalSet>(notes | (1u << ((pc - chord->root + 12) % 12 + 1)));
    }
    const int exempt = chord->bass == chord->root ? 0 : (chord->bass - chord->root + 12) % 12 + 1;
    const auto rate = rateChord(m_table.row(chord->chord), notes, exempt);
    return {chord, rate ? rate->percent() : 0};
}

std::vector<Step> Analyser::run()
{
    std::vector<Step> steps;
    std::vector<size_t> active;
    size_t next = 0;
    std::optional<StepChord> last;
    for (const Beat &beat : m_timeline->beats()) {
        for (; next < m_notes.size() && m_notes[next].start < beat.end; ++next)
            active.push_back(next);
        std::erase_if(active, [&](size_t i) { return m_notes[i].end <= beat.start; });
        const std::vector<Heard> heard = hear(beat, active);

        BeatChord named;
        if (!heard.empty()) {
            Fraction latestStart = heard.front().start;
            Fraction earliestEnd = heard.front().end;
            bool figuration = false;
            for (const Heard &h : heard) {
                latestStart = std::max(latestStart, h.start);
                earliestEnd = std::min(earliestEnd, h.end);
                figuration = figuration || (h.figuration && *h.figuration < h.end);
            }
            const int bass = bassOf(heard);
            // One sound through the whole beat keeps the name the search gives it.
            named = latestStart < earliestEnd && !figuration ? nameStatic(heard)
                                                             : nameByWeight(beat, heard, bass);
        } else {
            m_bassClass.reset();
        }
        if (!steps.empty() && named.chord == last)
            continue;
        last = named.chord;
        Step step{beat.start, beat.measure, named.chord, named.rate, {}, {}};
        if (named.chord) {
            const StepChord &c = *named.chord;
            const int bassNote = c.bass + 1;
            const ChordMatch match{
                c.chord, c.root == c.bass ? NO_NOTE : bassNote + (c.root - c.bass + 12) % 12,
                named.rate};
            step.chordText = resultLine(m_table, match, bassNote);
            step.symbol = chordSymbol(m_table, c, keyAt(m_keys, beat.start));
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

} // namespace

Analysis analyse(const ChordTable &table, const Piece &piece, int threshold)
{
    Analysis analysis;
    const Problem problem = check(piece);
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

std::string englishMessage(const Analysis &analysis)
{
    const std::string n = std::to_string(analysis.where + 1); // counted from 1 for people
    switch (analysis.error) {
    case PieceError::None:
        return {};
    case PieceError::NoteEndsBeforeStart:
        return "note " + n + " ends before it starts";
    case PieceError::PitchOutOfRange:
        return "note " + n + " has a pitch outside MIDI 0..127";
    case PieceError::NoteBeforeFirstMeasure:
        return "note " + n + " starts before the first measure";
    case PieceError::MeasuresOutOfOrder:
        return "measure " + n + " does not start after the one before it";
    case PieceError::BadMeter:
        return "time signature " + n + " is not a meter that can be counted";
    case PieceError::BadKey:
        return "key " + n + " has more than seven sharps or flats";
    case PieceError::TimeTooFine:
        return "the durations are too fine to count exactly";
    }
    return {};
}

} // namespace chordvane::harmony
