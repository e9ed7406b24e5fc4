#include "weighing.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace chordvane::harmony {

namespace {

__extension__ typedef __int128 Wide;

// Ticks per beat stay below this, and a beat's total weight below kMaxWeight,
// so that the chooser's cross products fit in 128 bits.
constexpr std::int64_t kMaxTicks = std::int64_t{1} << 32;
constexpr Wide kMaxWeight = Wide{1} << 52;

} // namespace

Weighed weigh(const Fraction &from, const std::vector<Heard> &heard)
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

bool unchanging(const std::vector<Heard> &heard)
{
    if (heard.empty())
        return false;
    Fraction latestStart = heard.front().start;
    Fraction earliestEnd = heard.front().end;
    for (const Heard &h : heard) {
        if (h.figuration && *h.figuration < h.end)
            return false;
        latestStart = std::max(latestStart, h.start);
        earliestEnd = std::min(earliestEnd, h.end);
    }
    return latestStart < earliestEnd;
}

} // namespace chordvane::harmony
