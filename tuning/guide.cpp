#include "guide.h"

#include <algorithm>

namespace chordvane::tuning {

std::vector<GuideLine> playerGuide(std::vector<Player> players, int root, const ChordRow &row)
{
    std::stable_sort(players.begin(), players.end(), [](const Player &a, const Player &b) {
        return a.bass != b.bass ? b.bass : a.pitch > b.pitch;
    });
    std::vector<GuideLine> lines;
    for (Player &player : players) {
        lines.push_back({std::move(player.name), std::move(player.written),
                         chordTone(player.pitch, root, row)});
    }
    return lines;
}

std::array<std::string, 4> guideCells(const GuideLine &line, std::string_view none)
{
    if (!line.tone)
        return {line.name, line.written, std::string(none), std::string(none)};
    return {line.name, line.written, line.tone->degree, withArrow(line.tone->cents)};
}

std::string guideText(const std::vector<GuideLine> &lines, std::string_view none,
                      std::string_view lineEnd)
{
    std::string text;
    for (const GuideLine &line : lines) {
        const std::array<std::string, 4> cells = guideCells(line, none);
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
