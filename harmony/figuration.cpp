#include "figuration.h"

#include <algorithm>
#include <cstdlib>
#include <span>

namespace chordvane::harmony {

namespace {

// The notes of each line ordered by one of their times, to find those of a
// line that start (or stop) exactly when another note stops (or starts).
class LineIndex {
public:
    struct Entry {
        int line;
        Fraction time;
        size_t note;
    };

    LineIndex(const std::vector<PieceNote> &notes, Fraction PieceNote::*time)
    {
        m_entries.reserve(notes.size());
        for (size_t i = 0; i < notes.size(); ++i)
            m_entries.push_back({notes[i].line, notes[i].*time, i});
        std::sort(m_entries.begin(), m_entries.end(), before);
    }

    std::span<const Entry> at(int line, const Fraction &time) const
    {
        const auto [first, last] =
            std::equal_range(m_entries.begin(), m_entries.end(), Entry{line, time, 0}, before);
        return {first, last};
    }

private:
    static bool before(const Entry &a, const Entry &b)
    {
        return a.line != b.line ? a.line < b.line : a.time < b.time;
    }

    std::vector<Entry> m_entries;
};

bool isSecond(int interval)
{
    return std::abs(interval) == 1 || std::abs(interval) == 2;
}

} // namespace

std::vector<std::optional<Fraction>> figurationStarts(const std::vector<PieceNote> &notes,
                                                      const std::vector<Fraction> &moments,
                                                      const Timeline &timeline)
{
    const LineIndex byStart(notes, &PieceNote::start);
    const LineIndex byEnd(notes, &PieceNote::end);
    std::vector<std::optional<Fraction>> starts(notes.size());
    std::vector<size_t> sounding; // the notes sounding when notes[i] starts (notes go by start)
    // Four notes or more struck at once are a chord even when each moves by
    // step: the voices of a chord change move together. (An appoggiatura is
    // struck with its chord.)
    std::vector<bool> chordal(notes.size(), false);
    for (size_t first = 0; first < notes.size();) {
        size_t last = first;
        int moving = 0;
        for (; last < notes.size() && notes[last].start == notes[first].start; ++last) {
            const auto before = byEnd.at(notes[last].line, notes[last].start);
            moving += std::none_of(before.begin(), before.end(), [&](const LineIndex::Entry &e) {
                return notes[e.note].pitch == notes[last].pitch;
            });
        }
        std::fill(chordal.begin() + first, chordal.begin() + last,
                  last - first >= 4 && moving >= 2);
        first = last;
    }
    for (size_t i = 0; i < notes.size(); ++i) {
        const PieceNote &n = notes[i];
        std::erase_if(sounding, [&](size_t k) { return notes[k].end <= n.start; });
        sounding.push_back(i);
        // A second or a seventh against a note sounding with it.
        const auto clashesWith = [&](size_t k) {
            const int apart = std::abs(notes[k].pitch - n.pitch) % 12;
            return apart == 1 || apart == 2 || apart == 10 || apart == 11;
        };
        const auto clashes = [&] {
            return std::any_of(sounding.begin(), sounding.end(), clashesWith);
        };
        // The notes struck with it above it too (notes go by start, then pitch).
        const auto clashesAtAll = [&] {
            for (size_t k = i + 1; k < notes.size() && notes[k].start == n.start; ++k) {
                if (clashesWith(k))
                    return true;
            }
            return clashes();
        };
        const auto before = byEnd.at(n.line, n.start);
        const auto after = byStart.at(n.line, n.end);
        const auto any = [&notes](std::span<const LineIndex::Entry> range, auto test) {
            return std::any_of(range.begin(), range.end(),
                               [&](const LineIndex::Entry &e) { return test(notes[e.note]); });
        };
        const bool secondAway =
            any(after, [&](const PieceNote &q) { return isSecond(q.pitch - n.pitch); });
        // Weaker than the note before it; off the beat, as weak will do:
        // the second and third notes of a triplet are equally weak.
        const auto weakerThan = [&](const PieceNote &p) {
            const int strength = timeline.strength(n.start);
            return strength < timeline.strength(p.start) ||
                   (strength == timeline.strength(p.start) && !timeline.onBeat(n.start));
        };
        const bool weaker = any(before, weakerThan);
        const bool secondIn =
            any(before, [&](const PieceNote &p) { return isSecond(n.pitch - p.pitch); });
        const bool struckAgain =
            any(before, [&](const PieceNote &p) { return p.pitch == n.pitch; });
        const auto fallsASecondTo = [&](const PieceNote &q) {
            return n.pitch - q.pitch == 1 || n.pitch - q.pitch == 2;
        };
        const bool short_ = n.end - n.start < timeline.beatAt(n.start);
        // A quick note off the beat that clashes passes even after a weaker
        // one: the E of C D E F under a D minor chord.
        const bool passes =
            any(before,
                [&](const PieceNote &p) { return isSecond(n.pitch - p.pitch) && weakerThan(p); }) ||
            (secondIn && short_ && !timeline.onBeat(n.start) && clashes());
        if (!chordal[i] && secondAway && passes) {
            starts[i] = n.start;
            continue;
        }
        // An escape tone, an incomplete neighbour or an anticipation: short
        // and weak (weaker than the note before it, or off the beat after a
        // rest), joined to its line by a second on one side or repeated by
        // the next note, and clashing with what sounds: a consonance there
        // is heard as a chord tone.
        const bool anticipates = any(after, [&](const PieceNote &q) { return q.pitch == n.pitch; });
        const bool weak = weaker || (before.empty() && !timeline.onBeat(n.start));
        if (!chordal[i] && short_ && weak && (secondIn || secondAway || anticipates) && clashes()) {
            starts[i] = n.start;
            continue;
        }
        // An appoggiatura: a dissonance struck on a stronger place than the
        // note it falls to by a second, by a leap, or by a step (an accented
        // passing or neighbour note, which may rise as well) unless the
        // voices change chord with it: a seventh struck with its chord
        // resolves, it is no appoggiatura. A quick accented passing or
        // neighbour note needs no dissonance when the note it steps to is as
        // long: an eighth A between B and G over C and E is no A minor, but
        // a dotted D that turns on a sixteenth E♭ is the chord's own D.
        const bool fallsToWeaker = any(after, [&](const PieceNote &q) {
            return fallsASecondTo(q) && timeline.strength(q.start) < timeline.strength(n.start);
        });
        const auto stepsToWeaker = [&](bool asLong) {
            return secondIn && any(after, [&](const PieceNote &q) {
                       return isSecond(q.pitch - n.pitch) &&
                              timeline.strength(q.start) < timeline.strength(n.start) &&
                              (!asLong || q.end - q.start >= n.end - n.start);
                   });
        };
        if ((fallsToWeaker || stepsToWeaker(false)) && (!secondIn || !chordal[i]) && !struckAgain &&
            n.end - n.start <= timeline.beatAt(n.start) &&
            ((stepsToWeaker(true) && short_) || clashes())) {
            starts[i] = n.start;
            continue;
        }
        if (!any(after, fallsASecondTo))
            continue;
        // The last moment before the note ends: the dissonance it resolves.
        const Fraction last = *(std::lower_bound(moments.begin(), moments.end(), n.end) - 1);
        // Struck again, it is a suspension only when it clashes, or stands a
        // fourth or sixth over the bass and falls to a third or fifth (4-3,
        // 6-5): a chord repeated before it moves is none.
        const auto suspendedOverBass = [&] {
            const int bass = notes[*std::ranges::min_element(sounding, {}, [&](size_t k) {
                                 return notes[k].pitch;
                             })].pitch;
            const auto overBass = [bass](int pitch) {
                return pitchClass(pitch - bass);
            };
            const int interval = overBass(n.pitch);
            return n.pitch > bass && (interval == 5 || interval == 8 || interval == 9) &&
                   any(after, [&](const PieceNote &q) {
                       const int resolved = overBass(q.pitch);
                       return fallsASecondTo(q) &&
                              (resolved == 3 || resolved == 4 || resolved == 7);
                   });
        };
        if (n.start < last || (struckAgain && (clashesAtAll() || suspendedOverBass())))
            starts[i] = last;
    }
    return starts;
}

} // namespace chordvane::harmony
