#pragma once

#include "rowtables.h"
#include "score.h"

#include <QString>

#include <array>
#include <optional>

namespace chordvane {

// What one row shows at a moment of a score.
struct ScoreRow {
    // The staff's note number (C = 1; 1 is middle C on the treble clef, and
    // the bass clef shares that numbering), none while the row rests.
    std::optional<int> value;
    int scoreType = 1; // 1 treble clef, 2 bass clef
    int tune = 0;      // the transposition list's offset
    QString name;      // the part the note comes from; empty for a row no part fills
    bool operator==(const ScoreRow &) const = default;
};
using ScoreRows = std::array<ScoreRow, rows::kRows>;

// The offset of the transposition list entry with the pitch class of a
// part's transposition (semitones from written to sounding): -9 (alto
// saxophone) is in E♭, -7 (horn) in F, -14 in B♭. None for a pitch class the
// list lacks (+2, in D).
std::optional<int> tuneForTransposition(int transposition);

// The note number at which a staff of this clef shows a MIDI key (60 =
// middle C): in its own octave when the head is in sight, else moved by
// octaves until it is. Only the pitch class reaches the search.
int staffNote(int midi, int scoreType);

// The rows at one moment. The first eleven parts in score order fill rows
// 0..10, each with its highest sounding note as written for it (its
// transposition and clef from the part; a transposition the list lacks is
// shown at concert pitch); a resting part's row has no note. The bass row
// shows the lowest sounding note at concert pitch. Pitch classes that no
// row shows then go, at concert pitch and named after their part, to the
// rows no part has and then to the rows of resting parts, by score order
// and from the top of each part, while rows are left: so the rows spell
// the moment's chord whenever twelve rows can.
ScoreRows scoreRows(const score::Score &score, const score::Moment &moment);

} // namespace chordvane
