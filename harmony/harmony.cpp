#include "harmony.h"

#include "chooser.h"
#include "figuration.h"
#include "meter.h"
#include "resulttext.h"
#include "search.h"
#include "spelling.h"

#include <algorithm>
#include <bit>
#include <map>
#include <numeric>
#include <span>

namespace chordvane::harmony {

namespace {

__extension__ typedef __int128 Wide;

// Ticks per beat stay below this, and a beat's total weight below kMaxWeight,
// so that the chooser's cross products fit in 128 bits.
constexpr std::int64_t kMaxTicks = std::int64_t{1} << 32;
constexpr Wide kMaxWeight = Wide{1} << 52;

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
                       // Equal starts are a measure without length (an empty pickup).
                       return i > 0 && start < piece.measureStarts[i - 1];
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

// A note as one window hears it: cut to the window, with the time its figuration starts.
struct Heard {
    Fraction start;
    Fraction end;
    int pitch = 0;
    int line = 0;
    std::optional<Fraction> figuration;
    std::optional<size_t> note; // none for a bass that rings on
};

// What a beat or a wider window says: the chord it names (if any), that
// chord's rate against the window's harmonic classes and bass, and what
// the window holds.
struct Reading {
    std::optional<StepChord> chord;
    int rate = 0;
    unsigned harmonic = 0; // classes that sound as more than figuration, bass included
    bool oneLine = false;  // never more than one pitch class at once: a line alone or in octaves
};

// The weights of a window's classes and the harmonic ones among them.
struct Weighed {
    BeatWeights weights;
    unsigned harmonic = 0;
    unsigned all = 0;
    int mostAtOnce = 0; // the most pitch classes sounding together
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

int count(unsigned classes)
{
    return std::popcount(classes);
}

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
    Weighed weigh(const Fraction &from, const std::vector<Heard> &heard) const;
    int rateOf(const StepChord &chord, unsigned classes) const;
    Reading nameByWeight(const Fraction &from, const std::vector<Heard> &heard, int bass,
                         const ChordChooser &chooser) const;
    Reading readBeat(BeatState &state);
    void widen(std::span<BeatState> measure);
    void nameDiminishedSevenths(std::vector<Step> &steps) const;
    void spell(std::vector<Step> &steps) const;
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
    reading.oneLine = count(reading.harmonic) == 1;
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

Weighed Analyser::weigh(const Fraction &from, const std::vector<Heard> &heard) const
{
    // Each stretch between two changes adds its length to the classes sounding
    // in it, counted in ticks of one common unit for the whole window.
    struct Change {
        Fraction at;
        int pc;
        int sounding;
        int figuration;
        std::int64_t tick = 0;
    };
    std::vector<Change> changes;
    for (const Heard &h : heard) {
        if (!(h.start < h.end))
            continue;
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
        c.at -= from;
        const std::int64_t factor = c.at.denominator() / std::gcd(unit, c.at.denominator());
        if (factor >= kMaxTicks / unit)
            throw FractionOverflow();
        unit *= factor;
    }
    for (Change &c : changes)
        c.tick = c.at.numerator() * (unit / c.at.denominator());
    std::sort(changes.begin(), changes.end(),
              [](const Change &a, const Change &b) { return a.tick < b.tick; });

    Weighed out;
    std::array<int, 12> sounding{};
    std::array<int, 12> figuration{};
    std::array<Wide, 12> weight{};
    std::array<Wide, 12> figurationWeight{};
    std::int64_t at = 0;
    for (const Change &c : changes) {
        if (c.tick > at) {
            int together = 0;
            for (int pc = 0; pc < 12; ++pc) {
                const Wide w = Wide{c.tick - at} * sounding[pc];
                weight[pc] += w;
                together += sounding[pc] > 0;
                // A class is figuration only while every note of it is.
                if (sounding[pc] > 0 && figuration[pc] == sounding[pc])
                    figurationWeight[pc] += w;
            }
            out.mostAtOnce = std::max(out.mostAtOnce, together);
            at = c.tick;
        }
        sounding[c.pc] += c.sounding;
        figuration[c.pc] += c.figuration;
    }
    if (std::accumulate(weight.begin(), weight.end(), Wide{0}) >= kMaxWeight)
        throw FractionOverflow();
    for (int pc = 0; pc < 12; ++pc) {
        out.weights.sounding[pc] = static_cast<std::int64_t>(weight[pc]);
        out.weights.figuration[pc] = static_cast<std::int64_t>(figurationWeight[pc]);
        if (weight[pc] > 0)
            out.all |= 1u << pc;
        if (weight[pc] > figurationWeight[pc])
            out.harmonic |= 1u << pc;
    }
    return out;
}

int Analyser::rateOf(const StepChord &chord, unsigned classes) const
{
    // As the search rates the chord against these classes over its bass.
    IntervalSet notes = 0;
    for (int pc = 0; pc < 12; ++pc) {
        if (((classes & (1u << pc)) || pc == chord.bass) && pc != chord.root)
            notes = static_cast<IntervalSet>(notes | (1u << ((pc - chord.root + 12) % 12 + 1)));
    }
    const int exempt = chord.bass == chord.root ? 0 : (chord.bass - chord.root + 12) % 12 + 1;
    const auto rate = rateChord(m_table.row(chord.chord), notes, exempt);
    return rate ? rate->percent() : 0;
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
        reading.rate = rateOf(*reading.chord, reading.harmonic);
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
                           count(state.held) >= 2 && (state.held & ~tonesOf(*m_held)) == 0;
        if (holds) {
            if (own.chord != m_held) {
                own.chord = m_held;
                own.rate = rateOf(*m_held, state.held);
            }
        } else if (state.bass && !(named(own) && count(own.harmonic) >= 3 && !own.oneLine)) {
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
                const bool enough = count(wide.harmonic) >= 3 || last - first == measure.size();
                if (enough && fits) {
                    own = wide;
                    widened = true;
                    break;
                }
            }
            // A bass that moves to another tone of the chord arpeggiates it:
            // the step goes on over the bass it started on.
            if (!widened && m_held && !own.oneLine && count(own.harmonic) < 3 &&
                (own.harmonic & ~m_heldTones) == 0) {
                own.chord = m_held;
                own.rate = rateOf(*m_held, own.harmonic);
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
    nameDiminishedSevenths(steps);
    spell(steps);
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

void Analyser::spell(std::vector<Step> &steps) const
{
    // A root or bass takes the spelling the step's notes give its pitch
    // class most often; where it does not sound, the key's.
    std::vector<size_t> active;
    size_t next = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        Step &step = steps[i];
        const std::optional<Fraction> end =
            i + 1 < steps.size() ? std::optional(steps[i + 1].start) : std::nullopt;
        std::erase_if(active, [&](size_t n) { return !(step.start < m_notes[n].end); });
        for (; next < m_notes.size() && (!end || m_notes[next].start < *end); ++next) {
            if (step.start < m_notes[next].end)
                active.push_back(next);
        }
        if (!step.chord)
            continue;
        step.spelled = symbolNotes(m_table, *step.chord, keyAt(m_keys, step.start));
        const auto mostOften = [&](int pc, int fallback) {
            std::map<int, int> counts;
            for (const size_t n : active) {
                if (m_notes[n].spelled && pitchClass(m_notes[n].pitch) == pc)
                    ++counts[*m_notes[n].spelled];
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
        };
        step.spelled.root = mostOften(step.chord->root, step.spelled.root);
        if (step.spelled.bass)
            step.spelled.bass = mostOften(step.chord->bass, *step.spelled.bass);
    }
}

void Analyser::nameDiminishedSevenths(std::vector<Step> &steps) const
{
    // Any tone of a diminished seventh can be its root; the one that leads a
    // semitone up to the next chord's root names it, else the key's leading
    // tone, else a tone that leads up to a degree of the key.
    constexpr unsigned kDiminishedSeventh = 0x249; // 0, 3, 6, 9 semitones
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i].chord || chordTones(m_table.row(steps[i].chord->chord)) != kDiminishedSeventh)
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
        const Key key = keyAt(m_keys, steps[i].start);
        const int tonic = ((key.minor ? 9 : 0) + 7 * key.fifths % 12 + 24) % 12;
        const auto next = std::find_if(steps.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                       steps.end(), [](const Step &s) { return s.chord; });
        std::optional<int> root;
        if (next != steps.end())
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
    // Renaming can make neighbours equal.
    steps.erase(std::unique(steps.begin(), steps.end(),
                            [](const Step &a, const Step &b) { return a.chord == b.chord; }),
                steps.end());
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
        return "measure " + n + " starts before the one before it";
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
