#pragma once

#include "score.h"

#include <QString>

#include <vector>

namespace chordvane::score {

// A part's name as it stands under a transposition other than the one it
// was named for: "Clarinet in B♭" moved to A reads "Clarinet in A"; a name
// that says no key gets one ("Clarinet (in A)").
QString renamedForTransposition(const QString &name, int namedFor, int transposition);

// Every part's name and abbreviation as the rows show them, in score order:
// those in force, renamed for the transposition in force, and numbered in
// score order where two or more parts bear one ("Tbn. 1", "Tbn. 2"; empty
// ones stay empty). Wherever the score names its players, they are named so.
struct PartLabels {
    std::vector<QString> names;
    std::vector<QString> abbreviations;
};
// At a moment with its parts (withParts).
PartLabels partLabels(const Score &score, const Moment &moment);
// At a time, from the parts' settings then.
PartLabels partLabelsAt(const Score &score, const Fraction &at);

} // namespace chordvane::score
