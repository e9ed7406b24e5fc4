#pragma once

#include "chordlist.h"
#include "engine.h"

#include <QString>

namespace chordvane {

// The rows' own chord for the status bar, "行のコード Am7 on C (67%)": the
// line the results window would open on if the search button were pressed
// now (the engine's rate, the chords and the ranking given). Empty while
// the bass row is empty; "行のコード なし" when nothing is found.
QString rowChordText(const ChordTable &chords, const ChordEngine &engine, bool rankByRate);
// The same for the rows' concert notes, at threshold.
QString rowChordText(const ChordTable &chords, const std::array<Note, kInputSlots> &inputs,
                     int threshold, bool rankByRate);

} // namespace chordvane
