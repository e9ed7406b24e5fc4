#include "analyser.h"

#include "figuration.h"
#include "piececheck.h"
#include "resulttext.h"
#include "spelling.h"
#include "steppasses.h"

#include <algorithm>

namespace chordvane::harmony {

Analyser::Analyser(const ChordTable &table, const Piece &piece, int threshold)
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

std::vector<Step> Analyser::run()
{
    std::vector<Step> steps;
    std::vector<size_t> active;
    size_t next = 0;
    const std::vector<Beat> beats = m_timeline->beats();
    // Every measure is read before any is widened: a thin measure may take
    // its chord from the measure after it.
    std::vector<std::vector<BeatState>> measures;
    for (size_t b = 0; b < beats.size();) {
        std::vector<BeatState> &measure = measures.emplace_back();
        for (; b < beats.size() &&
               (measure.empty() || beats[b].measure == measure.front().beat.measure);
             ++b) {
            const Beat &beat = beats[b];
            for (; next < m_notes.size() && m_notes[next].start < beat.end; ++next)
                active.push_back(next);
            std::erase_if(active, [&](size_t i) { return m_notes[i].end <= beat.start; });
            measure.push_back({beat, active, std::nullopt, {}, 0, true, {}});
            measure.back().reading = readBeat(measure.back());
        }
    }
    for (size_t m = 0; m < measures.size(); ++m) {
        std::vector<BeatState> &measure = measures[m];
        widen(measure,
              m > 0 ? std::span<const BeatState>(measures[m - 1]) : std::span<const BeatState>(),
              m + 1 < measures.size() ? std::span<const BeatState>(measures[m + 1])
                                      : std::span<const BeatState>());
        for (const BeatState &state : measure) {
            for (const auto &[at, reading] : state.parts) {
                if (!steps.empty() && steps.back().chord == reading.chord)
                    continue;
                steps.push_back({at, state.beat.measure, reading.chord, reading.rate, {}, {}, {}});
            }
            if (!state.parts.empty())
                continue;
            if (!steps.empty() && steps.back().chord == state.reading.chord)
                continue;
            // A rest inside a measure does not end its harmony; a measure
            // of silence has none.
            if (!steps.empty() && state.active.empty() &&
                std::ranges::any_of(measure, [](const BeatState &b) { return !b.active.empty(); }))
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
    dropIncompleteExtended(m_table, steps);
    nameDiminishedSevenths(m_table, m_notes, m_keys, m_threshold, steps);
    nameAugmentedTriads(m_table, m_notes, steps);
    nameAsTextbooksDo(m_table, m_notes, steps);
    resolveSuspensions(m_table, steps);
    continueTwoToneTriads(m_table, m_notes, steps);
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
