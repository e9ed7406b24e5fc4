#include "staffmodel.h"

#include "notes.h"

#include <array>
#include <cmath>

namespace chordvane::staff {

namespace {

// Note number of each step within the octave, C = step 1.
constexpr std::array<int, 8> kStepNote = {0, 1, 3, 5, 6, 8, 10, 12};
// Step of each pitch class 1..12 within the octave; 0 for the black keys.
constexpr std::array<int, 13> kNoteStep = {0, 1, 0, 2, 0, 3, 4, 0, 5, 0, 6, 0, 7};

int floorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Pitch class 1..12 of a note number. Not the engine's folding, which keeps
// its empty marker 99: on a staff 99 is a note like any other.
int noteClass(int n)
{
    return pitchClass(n - 1) + 1;
}

} // namespace

int stepFromY(double y)
{
    return 11 - static_cast<int>(std::floor(2 * y));
}

float clampToStaffArea(float y)
{
    // The outermost heads that lie wholly in the area: the space above the
    // second ledger line above, and the space below the second one below.
    constexpr float kHighest = -2.5f;
    constexpr float kLowest = 6.5f;
    if (y < kHighest)
        return kHighest;
    if (y >= kLowest + 0.5f)
        return kLowest;
    return y;
}

int StepToNote(int s, int scoreType)
{
    if (scoreType == kBass)
        s += 2;
    const int octave = floorDiv(s - 1, 7);
    const int k = s - 7 * octave;
    return 12 * octave + kStepNote[k];
}

int NoteToStep(int n, int scoreType)
{
    const int c = noteClass(n);
    const int step = 7 * (n - c) / 12 + kNoteStep[c];
    return scoreType == kBass ? step - 2 : step;
}

float NoteToPosition(int n, int scoreType)
{
    return static_cast<float>(11 - NoteToStep(n, scoreType)) / 2.0f;
}

int CycleAccidental(int accidental)
{
    switch (accidental) {
    case 0:
        return -1;
    case -1:
        return 1;
    case 1:
        return 0;
    default:
        return accidental;
    }
}

bool isNaturalNote(int n)
{
    return kNoteStep[noteClass(n)] != 0;
}

} // namespace chordvane::staff
