#include "scorerows.h"

#include "staffmodel.h"

#include <algorithm>
#include <vector>

namespace chordvane {

namespace {

constexpr int kMiddleC = 60;

// Concert notes read best on the clef of their register.
int clefFor(int midi)
{
    return midi < kMiddleC ? staff::kBass : staff::kTreble;
}

} // namespace

std::optional<int> tuneForTransposition(int transposition)
{
    for (const rows::Entry &tune : rows::kTunes) {
        if (score::pitchClass(tune.offset - transposition) == 0)
            return tune.offset;
    }
    return std::nullopt;
}

int staffNote(int midi, int scoreType)
{
    // The outermost heads the staff area shows whole, as steps.
    const int highest = staff::stepFromY(staff::clampToStaffArea(-1000.0f));
    const int lowest = staff::stepFromY(staff::clampToStaffArea(1000.0f));
    // The bass clef's bottom line (G2, MIDI 43) reads note 8, as the treble
    // clef's G above middle C does.
    int n = midi - (scoreType == staff::kBass ? kMiddleC - 25 : kMiddleC - 1);
    // A black key is drawn as the natural below it with a sharp.
    const auto step = [scoreType](int note) {
        return staff::NoteToStep(staff::isNaturalNote(note) ? note : note - 1, scoreType);
    };
    while (step(n) < lowest)
        n += 12;
    while (step(n) > highest)
        n -= 12;
    return n;
}

ScoreRows scoreRows(const score::Score &score, const score::Moment &moment)
{
    ScoreRows rows{};
    std::array<bool, 12> shown{};
    const size_t partRows = std::min<size_t>(moment.parts.size(), rows::kOrdinaryRows);
    for (size_t p = 0; p < partRows; ++p) {
        const score::PartMoment &part = moment.parts[p];
        ScoreRow &row = rows[p];
        row.name = score.parts[p].name;
        row.scoreType = part.clef == QLatin1String("F") ? staff::kBass : staff::kTreble;
        const std::optional<int> tune = tuneForTransposition(part.transposition);
        row.tune = tune.value_or(0);
        if (part.sounding.empty())
            continue;
        const int top = part.sounding.back();
        row.value = staffNote(tune ? top - part.transposition : top, row.scoreType);
        shown[score::pitchClass(top)] = true;
    }

    if (!moment.sounding.empty()) {
        const int lowest = moment.sounding.front();
        ScoreRow &bass = rows[rows::kBassRow];
        bass.scoreType = clefFor(lowest);
        bass.value = staffNote(lowest, bass.scoreType);
        for (size_t p = 0; p < moment.parts.size() && bass.name.isEmpty(); ++p) {
            const std::vector<int> &sounding = moment.parts[p].sounding;
            if (!sounding.empty() && sounding.front() == lowest)
                bass.name = score.parts[p].name;
        }
        shown[score::pitchClass(lowest)] = true;
    }

    // Rows no part has take them first, then the rows of resting parts.
    std::vector<int> free;
    for (int r = static_cast<int>(partRows); r < rows::kOrdinaryRows; ++r)
        free.push_back(r);
    for (int r = 0; r < static_cast<int>(partRows); ++r) {
        if (!rows[r].value)
            free.push_back(r);
    }
    auto nextFree = free.begin();
    for (size_t p = 0; p < moment.parts.size(); ++p) {
        const std::vector<int> &sounding = moment.parts[p].sounding;
        for (auto note = sounding.rbegin(); note != sounding.rend() && nextFree != free.end();
             ++note) {
            if (shown[score::pitchClass(*note)])
                continue;
            shown[score::pitchClass(*note)] = true;
            ScoreRow &row = rows[*nextFree++];
            row.scoreType = clefFor(*note);
            row.value = staffNote(*note, row.scoreType);
            row.tune = 0;
            row.name = score.parts[p].name;
        }
    }
    return rows;
}

} // namespace chordvane
