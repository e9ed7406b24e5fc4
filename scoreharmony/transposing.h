#pragma once

#include "harmony.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Chord symbols at a transposing instrument's written pitch. Spellings are
// positions on the line of fifths (0 = C, -2 = B♭; see spelling.h). A
// transposition counts the semitones from written to sounding, as
// score::PartSetting::transposition does: -2 for a B♭ instrument, whose
// written D sounds C.
namespace chordvane::score {

// The written key of a concert key, as fifths -7..7: of two enharmonic keys
// the one with fewer accidentals (concert E♭ major, -3, is F major, -1, for
// a B♭ instrument; concert F♯ major is A♭ major, not G♯).
int writtenKeyFifths(int concertFifths, int transposition);

// A concert spelling moved to written pitch by letters as well as
// semitones, in step with the key: concert E♭ (-3) is F (-1) for a B♭
// instrument and C (0) for an E♭ one; concert G♭ is A♭ for B♭, never G♯.
// keyFifths is the concert key in force. At most a double accidental.
int writtenFifths(int concertFifths, int keyFifths, int transposition);

// A spelling moved by `shift` fifths, respelled when it would need more
// than a double accidental.
int movedFifths(int fifths, int shift);

// A step's root and bass at written pitch, the key in force as above.
harmony::SymbolNotes writtenNotes(const harmony::SymbolNotes &notes, int keyFifths,
                                  int transposition);

// A step's symbol as a player of an instrument with that transposition
// reads it ("F/A" for concert E♭/G and a B♭ instrument); keys: the concert
// keys of the piece. Empty for a step without a chord.
std::string writtenSymbol(const ChordTable &table, const harmony::Step &step,
                          const std::vector<harmony::Key> &keys, int transposition);

// The transposition of an instrument as the transposition lists name it:
// "C" 0, "Bb" or "B♭" -2, "Eb" or "E♭" -9, "F" -7, "A" -3, "D" 2, "G" -5;
// none for another.
std::optional<int> instrumentTransposition(std::string_view name);

} // namespace chordvane::score
