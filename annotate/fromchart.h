#pragma once

#include "annotate.h"
#include "harmony.h"

#include <vector>

namespace chordvane::annotate {

// One chord symbol per harmonic step with a chord, its root and bass
// spelled as the chart spells them (Step::spelled), so that a copy and
// the chart agree.
std::vector<ChordSymbol> chordSymbols(const ChordTable &table,
                                      const std::vector<harmony::Step> &steps);

} // namespace chordvane::annotate
