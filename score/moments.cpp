#include "score.h"

#include "resulttext.h"
#include "search.h"

#include <algorithm>
#include <queue>
#include <tuple>

namespace chordvane::score {

namespace {

// The entry in force at `at` of a list sorted by time (the first if none yet).
template <typename T, typename Time>
const T &inForce(const std::vector<T> &entries, const Fraction &at, Time time)
{
    const auto next = std::upper_bound(entries.begin(), entries.end(), at,
                                       [&](const Fraction &t, const T &e) { return t < time(e); });
    return next == entries.begin() ? *next : *(next - 1);
}

} // namespace

const PartSetting &settingAt(const Part &part, const Fraction &at)
{
    return inForce(part.settings, at,
                   [](const PartSetting &s) -> const Fraction & { return s.at; });
}

void forEachMoment(const Score &score, const std::function<void(const Moment &)> &visit)
{
    std::vector<HeldNote> notes;
    for (size_t p = 0; p < score.parts.size(); ++p) {
        for (size_t n = 0; n < score.parts[p].notes.size(); ++n)
            notes.push_back({static_cast<std::uint32_t>(p), static_cast<std::uint32_t>(n)});
    }
    const auto noteOf = [&score](const HeldNote &h) -> const PartNote & {
        return score.parts[h.part].notes[h.note];
    };
    std::stable_sort(notes.begin(), notes.end(), [&](const HeldNote &a, const HeldNote &b) {
        return noteOf(a).start < noteOf(b).start;
    });

    // One sweep: notes join the held set at their start and leave it at the
    // first attack at or after their end.
    Moment moment;
    std::vector<HeldNote> &held = moment.held;
    for (size_t next = 0; next < notes.size();) {
        const Fraction at = noteOf(notes[next]).start;
        std::erase_if(held, [&](const HeldNote &h) { return noteOf(h).end <= at; });
        for (; next < notes.size() && noteOf(notes[next]).start == at; ++next)
            held.push_back(notes[next]);

        moment.at = at;
        const auto &measure = inForce(score.measures, at,
                                      [](const Measure &m) -> const Fraction & { return m.start; });
        moment.measure = static_cast<int>(&measure - score.measures.data());
        moment.measureNumber = measure.number;
        moment.beat = Fraction(1) + (at - measure.start);
        // Held notes by written pitch, so that each part's spellings follow
        // its written notes; a unison spelt two ways keeps one order.
        std::sort(held.begin(), held.end(), [&](const HeldNote &a, const HeldNote &b) {
            const PartNote &x = noteOf(a);
            const PartNote &y = noteOf(b);
            return std::tuple(x.written, x.spelling.letter, x.spelling.alter) <
                   std::tuple(y.written, y.spelling.letter, y.spelling.alter);
        });
        moment.sounding.clear();
        for (const HeldNote &h : held)
            moment.sounding.push_back(noteOf(h).sounding);
        std::sort(moment.sounding.begin(), moment.sounding.end());
        visit(moment);
    }
}

std::vector<Moment> scoreMoments(const Score &score)
{
    std::vector<Moment> moments;
    forEachMoment(score, [&moments](const Moment &moment) { moments.push_back(moment); });
    return moments;
}

Moment withParts(const Score &score, Moment moment)
{
    moment.parts.assign(score.parts.size(), {});
    for (size_t p = 0; p < score.parts.size(); ++p) {
        const PartSetting &setting = settingAt(score.parts[p], moment.at);
        PartMoment &part = moment.parts[p];
        part.transposition = setting.transposition;
        part.clef = setting.clef;
        part.name = setting.name;
        part.abbreviation = setting.abbreviation;
        part.program = setting.program;
        part.fifths = setting.fifths;
        part.minor = setting.minor;
        part.keyGiven = setting.keyGiven;
    }
    for (const HeldNote &h : moment.held) {
        const PartNote &note = score.parts[h.part].notes[h.note];
        PartMoment &part = moment.parts[h.part];
        part.written.push_back(note.written);
        part.spelling.push_back(note.spelling);
        part.sounding.push_back(note.sounding);
    }
    for (PartMoment &part : moment.parts)
        std::sort(part.sounding.begin(), part.sounding.end());
    return moment;
}

std::size_t momentNoteCount(const Score &score)
{
    std::vector<std::pair<Fraction, Fraction>> notes; // start, end
    for (const Part &part : score.parts) {
        for (const PartNote &note : part.notes)
            notes.emplace_back(note.start, note.end);
    }
    std::sort(notes.begin(), notes.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    // The same sweep as scoreMoments, keeping only the ends of the held notes.
    std::priority_queue<Fraction, std::vector<Fraction>, std::greater<>> heldEnds;
    std::size_t count = 0;
    for (size_t next = 0; next < notes.size();) {
        const Fraction at = notes[next].first;
        while (!heldEnds.empty() && !(at < heldEnds.top()))
            heldEnds.pop();
        for (; next < notes.size() && notes[next].first == at; ++next)
            heldEnds.push(notes[next].second);
        count += heldEnds.size();
    }
    return count;
}

std::string beatText(const Fraction &beat)
{
    __extension__ typedef __int128 Wide; // thousandths of a huge beat overflow 64 bits
    const Wide denominator = beat.denominator();
    const Wide thousandths = (Wide(beat.numerator()) * 2000 + denominator) / (2 * denominator);
    const int decimals = static_cast<int>(thousandths % 1000);
    std::string text;
    for (Wide whole = thousandths / 1000; text.empty() || whole > 0; whole /= 10)
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
    if (decimals != 0) {
        std::string fraction = std::to_string(1000 + decimals).substr(1);
        while (fraction.back() == '0')
            fraction.pop_back();
        text += '.' + fraction;
    }
    return text;
}

std::optional<MomentChord> nameChord(const ChordTable &table, const std::vector<int> &sounding,
                                     int threshold)
{
    if (sounding.empty())
        return std::nullopt;
    // Note numbers 1..12 carry the pitch classes: MIDI key + 1 would reach
    // 99, the engine's empty marker, at D7.
    SearchRequest request;
    request.bass = pitchClass(sounding.front()) + 1;
    request.threshold = threshold;
    bool seen[12] = {};
    seen[request.bass - 1] = true;
    for (const int midi : sounding) {
        const int pc = pitchClass(midi);
        if (!seen[pc]) {
            seen[pc] = true;
            request.notes.push_back(pc + 1);
        }
    }
    if (request.notes.empty())
        return std::nullopt;
    std::vector<ChordMatch> found = findChords(table, request);
    if (found.empty())
        return std::nullopt;
    rankByMatchRate(table, request, found);
    return MomentChord{resultLine(table, found.front(), request.bass), found.front().rate};
}

} // namespace chordvane::score
