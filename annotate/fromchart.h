#pragma once

#include "annotate.h"
#include "harmony.h"

#include <optional>
#include <string_view>
#include <vector>

namespace chordvane::annotate {

// A spelled note name as the chart writes it ("A♭", "F♯", "B𝄫") as a
// step and alter; none for anything else.
std::optional<Spelling> parseNoteName(std::string_view name);

// One chord symbol per harmonic step with a chord, spelled as the chart
// spells it: the root from the front of the step's symbol, the bass from
// behind its last "/" when the bass is not the root.
std::vector<ChordSymbol> chordSymbols(const ChordTable &table,
                                      const std::vector<harmony::Step> &steps);

} // namespace chordvane::annotate
