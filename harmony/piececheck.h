#pragma once

#include "harmony.h"

#include <cstddef>

namespace chordvane::harmony {

// The first entry of a piece that cannot be analysed, if any.
struct PieceProblem {
    PieceError error = PieceError::None;
    std::size_t where = 0;
};

PieceProblem checkPiece(const Piece &piece);

} // namespace chordvane::harmony
