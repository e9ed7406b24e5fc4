#pragma once

#include "harmony.h"
#include "score.h"
#include "sheet.h"

#include <vector>

namespace chordvane::score {

// What each part plays at each harmonic step of the piece made from score
// (harmonyPiece), for the tuning sheet: the notes sounding at the step's
// first attack, or at its start when nothing starts within it, under the
// part's name then (its id when it has none); the step's measure and beat as
// the chart writes them, and the concert key at its start.
std::vector<tuning::SheetStep> tuningSheet(const Score &score, const harmony::Piece &piece,
                                           const std::vector<harmony::Step> &steps);

} // namespace chordvane::score
