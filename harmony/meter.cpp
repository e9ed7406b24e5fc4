#include "meter.h"

#include <algorithm>
#include <cstdint>

namespace chordvane::harmony {

namespace {

bool isCompound(int beats, int beatType)
{
    return beatType >= 8 && (beats == 6 || beats == 9 || beats == 12);
}

} // namespace

Fraction beatLength(int beats, int beatType)
{
    const Fraction note(4, beatType);
    return isCompound(beats, beatType) ? note * Fraction(3) : note;
}

Timeline::Timeline(const Piece &piece, const Fraction &end)
{
    std::vector<Meter> meters = piece.meters;
    std::stable_sort(meters.begin(), meters.end(),
                     [](const Meter &a, const Meter &b) { return a.at < b.at; });
    std::vector<Fraction> starts = piece.measureStarts;
    if (starts.empty())
        starts.push_back(Fraction(0));
    auto meter = meters.cbegin();
    const Meter *inForce = nullptr;
    for (size_t i = 0; i < starts.size(); ++i) {
        for (; meter != meters.cend() && meter->at <= starts[i]; ++meter)
            inForce = &*meter;
        Measure measure{starts[i], i + 1 < starts.size() ? starts[i + 1] : end, Fraction(1), 4};
        if (inForce) {
            measure.beat = beatLength(inForce->beats, inForce->beatType);
            measure.beatsPerBar =
                isCompound(inForce->beats, inForce->beatType) ? inForce->beats / 3 : inForce->beats;
        }
        m_measures.push_back(measure);
    }
}

std::vector<Beat> Timeline::beats() const
{
    std::vector<Beat> beats;
    for (size_t i = 0; i < m_measures.size(); ++i) {
        const Measure &m = m_measures[i];
        int index = 0;
        for (Fraction t = m.start; t < m.end; t += m.beat)
            beats.push_back(
                {t, std::min(t + m.beat, m.end), static_cast<int>(i), index++, m.beatsPerBar});
    }
    return beats;
}

int Timeline::measureAt(const Fraction &t) const
{
    const auto next =
        std::upper_bound(m_measures.begin(), m_measures.end(), t,
                         [](const Fraction &x, const Measure &m) { return x < m.start; });
    return next == m_measures.begin() ? 0 : static_cast<int>(next - m_measures.begin()) - 1;
}

Fraction Timeline::beatAt(const Fraction &t) const
{
    return m_measures[measureAt(t)].beat;
}

bool Timeline::onBeat(const Fraction &t) const
{
    const Measure &m = m_measures[measureAt(t)];
    return ((t - m.start) / m.beat).denominator() == 1;
}

int Timeline::strength(const Fraction &t) const
{
    constexpr int kDownbeat = 1000;
    constexpr int kBeat = 500;
    constexpr int kDivision = 400;
    const Measure &m = m_measures[measureAt(t)];
    const Fraction beats = (t - m.start) / m.beat;
    if (beats == Fraction(0))
        return kDownbeat;
    if (beats.denominator() == 1) {
        // Beat k falls on a half (quarter ...) of the bar when the bar divides that way.
        const auto k = static_cast<std::uint64_t>(beats.numerator());
        // Five beats go 3 + 2 and seven 4 + 3: the group's start is the
        // bar's second accent.
        if ((m.beatsPerBar == 5 && k == 3) || (m.beatsPerBar == 7 && k == 4))
            return kBeat + 1;
        int level = 0;
        for (std::uint64_t unit = 2;
             k % unit == 0 && static_cast<std::uint64_t>(m.beatsPerBar) % unit == 0; unit *= 2)
            ++level;
        return kBeat + level;
    }
    return kDivision - static_cast<int>(std::min<std::int64_t>(beats.denominator(), kDivision));
}

} // namespace chordvane::harmony
