#pragma once

#include "harmony.h"
#include "meter.h"

#include <optional>
#include <vector>

namespace chordvane::harmony {

// For each note (notes sorted by start), the time from which it is
// figuration until its end, if it is:
// - a passing or neighbour note: attacked as a note of its line one or two
//   semitones away stops, on a weaker position than that note's start (or
//   anywhere off the beat when shorter than a beat and a second or seventh
//   against a note sounding with it), and left by a second (one or two
//   semitones) as it ends: all of it;
// - a suspension: held into the last moment before its end (or struck again
//   at that moment after the same pitch in its line, and then a second or
//   seventh against a note sounding with it, or a fourth or sixth over the
//   lowest note that falls to a third or fifth) and then resolved down one
//   or two semitones in its line: from that moment on;
// - an escape tone, incomplete neighbour or anticipation: shorter than a
//   beat, weaker than the note before it (or off the beat after a rest in
//   its line), joined to its line by a second on one side or repeated by
//   the next note, and a second or seventh against a note sounding with
//   it: all of it;
// - an appoggiatura: a second or seventh against a note sounding with it,
//   struck on a stronger position than the note a second below it that
//   follows and reached by a leap; or an accented passing or neighbour
//   note, reached by a step unless struck with a chord change and left by
//   a step (up or down) to a weaker position, a dissonance too unless
//   shorter than a beat and no longer than the note it steps to: all of it.
// Passing, neighbour and escape tones are never struck with three other
// notes: four notes struck at once are a chord.
// moments: every attack time, ascending.
std::vector<std::optional<Fraction>> figurationStarts(const std::vector<PieceNote> &notes,
                                                      const std::vector<Fraction> &moments,
                                                      const Timeline &timeline);

} // namespace chordvane::harmony
