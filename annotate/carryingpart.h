#pragma once

#include "annotate.h"
#include "score.h"

#include <QString>

#include <optional>

namespace chordvane::annotate {

// The index of the part that carries the symbols: the part with the id
// `choice`, else the one numbered so from 1 in score order; for an empty
// choice the first whose staff is neither percussion nor tablature. None
// when no part answers.
std::optional<size_t> carryingPart(const score::Score &score, const QString &choice);

// The symbol as the part writes it at the symbol's time: root and bass
// moved from concert pitch by the part's transposition, by letters as well
// as semitones and in step with its written key, as its notes are (concert
// A♭/E♭ is B♭/F in a B♭ trumpet's part in B♭ major).
ChordSymbol writtenSymbol(const ChordSymbol &symbol, const score::Part &part);

} // namespace chordvane::annotate
