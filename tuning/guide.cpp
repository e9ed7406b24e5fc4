#include "guide.h"

#include <algorithm>

namespace chordvane::tuning {

Harmony harmonyOf(bool chord, const std::vector<int> &pitches)
{
    if (!chord || pitches.empty())
        return Harmony::NoChord;
    const int first = pitchClass(pitches.front());
    const bool oneClass = std::all_of(pitches.begin(), pitches.end(),
                                      [first](int pitch) { return pitchClass(pitch) == first; });
    return oneClass ? Harmony::Unison : Harmony::Chord;
}

std::array<std::string, 2> adviceCells(const std::optional<ChordTone> &tone, Harmony harmony,
                                       bool fixed, const GuideWords &words, bool arrows)
{
    std::array<std::string, 2> cells;
    switch (harmony) {
    case Harmony::Chord:
        cells = tone ? std::array<std::string, 2>{tone->degree,
                                                  arrows ? withArrow(tone->cents) : tone->cents}
                     : std::array<std::string, 2>{words.none, words.none};
        break;
    case Harmony::Unison:
        cells = {words.unison, words.none};
        break;
    case Harmony::NoChord:
        cells = {words.noChord, words.none};
        break;
    }
    if (fixed)
        cells[1] = words.fixed;
    return cells;
}

PlayerGuide playerGuide(std::vector<Player> players, int root, const ChordRow &row,
                        JustSeventh seventh)
{
    // The bass row shows a note a part's row may show already: one player, one line.
    std::vector<int> partKeys;
    for (const Player &player : players) {
        if (!player.bass)
            partKeys.push_back(player.pitch);
    }
    std::erase_if(players, [&partKeys](const Player &player) {
        return player.bass &&
               std::find(partKeys.begin(), partKeys.end(), player.pitch) != partKeys.end();
    });
    std::stable_sort(players.begin(), players.end(), [](const Player &a, const Player &b) {
        return a.bass != b.bass ? b.bass : a.pitch > b.pitch;
    });
    std::vector<int> pitches;
    for (const Player &player : players)
        pitches.push_back(player.pitch);
    PlayerGuide guide{harmonyOf(true, pitches), {}};
    for (Player &player : players) {
        guide.lines.push_back({std::move(player.name), std::move(player.written),
                               guide.harmony == Harmony::Chord
                                   ? chordTone(player.pitch, root, row, seventh)
                                   : std::nullopt,
                               player.fixed});
    }
    return guide;
}

std::array<std::string, 4> guideCells(const GuideLine &line, Harmony harmony,
                                      const GuideWords &words)
{
    auto [degree, cents] = adviceCells(line.tone, harmony, line.fixed, words, true);
    return {line.name, line.written, std::move(degree), std::move(cents)};
}

std::string guideText(const PlayerGuide &guide, const GuideWords &words, std::string_view lineEnd)
{
    std::string text;
    for (const GuideLine &line : guide.lines) {
        const std::array<std::string, 4> cells = guideCells(line, guide.harmony, words);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += '\t';
            text += cells[i];
        }
        text += lineEnd;
    }
    return text;
}

} // namespace chordvane::tuning
