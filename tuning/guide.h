#pragma once

#include "degrees.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace chordvane::tuning {

// One player of a search: who, what the part shows and what sounds.
struct Player {
    std::string name;    // the part or the instrument
    std::string written; // the note as written for the player: "B♭4"
    int pitch = 60;      // the MIDI key that sounds
    bool bass = false;   // the bass row
};

struct GuideLine {
    std::string name;
    std::string written;
    std::optional<ChordTone> tone; // none: no tone of the chord
    bool operator==(const GuideLine &) const = default;
};

// What to tell each player about the chord row built on root: one line per
// player, from the highest sounding note down, the bass last; players
// sounding one key keep their order.
std::vector<GuideLine> playerGuide(std::vector<Player> players, int root, const ChordRow &row);

// What the windows show for the degree and the cents of a note that is no chord tone.
inline constexpr std::string_view kNoToneMark = "—";

// A line as a table shows it: name, written note, degree and the cents with
// their arrow; `none` for the degree and the cents of a note that is no
// chord tone.
std::array<std::string, 4> guideCells(const GuideLine &line, std::string_view none);

// The lines' cells joined by tabs, lineEnd after every line.
std::string guideText(const std::vector<GuideLine> &lines, std::string_view none,
                      std::string_view lineEnd = "\r\n");

} // namespace chordvane::tuning
