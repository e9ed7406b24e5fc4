#pragma once

#include <cstdint>

namespace chordvane::staff {

// Clef of a staff: ScoreType 1 is the treble clef, 2 the bass clef.
inline constexpr int kTreble = 1;
inline constexpr int kBass = 2;

// Staff coordinates: y = 0 is the top line, 4 the bottom line, one unit a line
// spacing, y growing downward. Step index: lines and spaces counted upward,
// 3 = bottom line, 11 = top line, 1 = the first ledger line below.
int stepFromY(double y);

// The staff area spans y = -3 (its top edge) to 7 (its bottom edge). A
// position beyond the outermost heads the area shows whole (-2.5 and 6.5),
// as a drag past the control reports, is taken as that head's position, so
// an entered note is always in sight; other positions are kept as they are.
float clampToStaffArea(float y);

// Note number (C = 1) read at step s. The bass clef reads every position two
// steps higher and shares the treble clef's octave numbering.
int StepToNote(int s, int scoreType);

// Step index of a natural note n, the inverse of StepToNote.
int NoteToStep(int n, int scoreType);

// The line or space of a natural note: (11 - step) / 2.
float NoteToPosition(int n, int scoreType);

// none -> flat -> sharp -> none; other values stay as they are.
int CycleAccidental(int accidental);

// True for the note numbers of C, D, E, F, G, A and B in every octave.
bool isNaturalNote(int n);

} // namespace chordvane::staff
