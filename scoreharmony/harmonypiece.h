#pragma once

#include "harmony.h"
#include "score.h"

namespace chordvane::score {

// A score as the harmony analysis takes it: concert notes, each part's
// voices as lines of their own, the measures with their time signatures,
// and the concert key in force: that of a part that does not transpose,
// else the first part's written key moved by its transposition (a B♭
// clarinet's D major is concert C); C major where no part gives one.
harmony::Piece harmonyPiece(const Score &score);

// How the score spells a note at concert pitch, on the line of fifths
// (0 = C, -2 = B♭): its written name moved by its part's interval as
// transposing parts are written (a B♭ clarinet's written D is C); none when
// the written name does not match the written key.
std::optional<int> concertSpelling(const PartNote &note);

// A written key signature moved by a transposition in semitones, as
// fifths -7..7: D major (2) for a B♭ instrument (-2) is C (0).
int concertFifths(int writtenFifths, int transposition);

} // namespace chordvane::score
