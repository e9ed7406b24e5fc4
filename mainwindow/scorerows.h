#pragma once

#include "instrumentrow.h"
#include "partnames.h"
#include "rowtables.h"
#include "score.h"

#include <QString>

#include <array>
#include <optional>

namespace chordvane {

// What one row shows at a moment of a score.
struct ScoreRow {
    std::optional<WrittenNote> note; // none while the row rests
    int scoreType = 1;               // the clef shown, also while the row rests
    RowPart part;                    // name empty for a row no part fills
    bool operator==(const ScoreRow &) const = default;
};
using ScoreRows = std::array<ScoreRow, rows::kRows>;

// The offset of the transposition list entry with the pitch class of a
// part's transposition (semitones from written to sounding): -9 (alto
// saxophone) is in E♭, -7 (horn) in F, -14 in B♭. None for a pitch class the
// list lacks (+1, a D♭ piccolo).
std::optional<int> tuneForTransposition(int transposition);

// The note number at which a staff of this clef shows a MIDI key (60 =
// middle C): in its own octave when the head is in sight, else moved by
// octaves until it is. Only the pitch class reaches the search.
int staffNote(int midi, int scoreType);

// A MIDI key on a staff of this clef, spelled with `alter` (semitones, as
// the part writes it) when that names a natural note with at most one
// flat or sharp, else the natural or the sharp below.
WrittenNote spelledNote(int midi, int alter, int scoreType);

using score::renamedForTransposition;

// The rows at one moment. The first eleven parts in score order fill rows
// 0..10, each with its highest sounding note as written for it (spelled as
// the part spells it; its transposition and clef from the part; a
// transposition the list lacks is shown at concert pitch); a resting part's
// row has no note. The bass row shows the lowest sounding note at concert
// pitch. Every sounding pitch class reaches a row: one that no row shows
// goes, at concert pitch and named after its part, to a row no part has,
// else to a resting part's row, else to the last row whose pitch class
// another row also shows. Parts are named as partLabels names them
// ("Tbn. 1"), and marked when of fixed pitch (fixedPitch: by program, else
// by name).
ScoreRows scoreRows(const score::Score &score, const score::Moment &moment);

} // namespace chordvane
