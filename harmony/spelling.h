#pragma once

#include "harmony.h"

#include <optional>
#include <string>
#include <vector>

namespace chordvane::harmony {

// Spelled notes are positions on the line of fifths: 0 = C, 1 = G, 2 = D ...,
// -1 = F, -2 = B♭; 7 = C♯, -7 = C♭. Positions 12 apart are one pitch class.

// The name at a position: "C", "F♯", "B♭", "F𝄪", "B𝄫".
std::string noteName(int fifths);

// A position as letter and accidental: letter 0..6 = C D E F G A B, alter in
// semitones (-1 = ♭, 1 = ♯): B♭ (-2) is letter 6, alter -1.
struct Letter {
    int letter = 0;
    int alter = 0;
    bool operator==(const Letter &) const = default;
};
Letter letterOf(int fifths);

// The key in force at t: the latest of keys (in any order; of equal times the
// last listed) that starts at or before t; C major before the first.
Key keyAt(const std::vector<Key> &keys, const Fraction &t);

// How the key spells pitch class pc (0 = C): at the one of the twelve
// positions from five fifths below its tonic to six above. They hold the
// key's own notes as its signature writes them (in A♭ major D♭, never C♯)
// and, for the others, the lowered second, third, sixth and seventh and the
// raised fourth of a major key; in a minor key the raised sixth and seventh,
// the major third, the raised fourth and the lowered second.
int spellInKey(int pc, const Key &key);

// The symbol of a chord in the key: root, the chord's name in the table and,
// when the bass is not the root, "/" and the bass: "A♭add9/E♭", "F♯m7(♭5)",
// "C/E". Roots and basses are spelled by spellInKey, with two exceptions for
// notes outside the key: the root of a chord with a diminished fifth (dim,
// m7(♭5), dim7 ...) is the raised note that leads up a semitone (C♯dim7 in
// C major); a bass that is a tone of the chord is spelled as that tone above
// the root (E7/G♯ in C major).
std::string chordSymbol(const ChordTable &table, const StepChord &chord, const Key &key);

// The root and bass of chordSymbol as positions (SymbolNotes, harmony.h).
// Both need at most a double accidental.
SymbolNotes symbolNotes(const ChordTable &table, const StepChord &chord, const Key &key);

// The symbol with its root and bass spelled as given.
std::string chordSymbol(const ChordTable &table, const StepChord &chord, const SymbolNotes &notes);

// How the step spells a sounding pitch class pc: a tone of the chord outside
// the key as that tone above the symbol's root (G♯, the third of E7, in
// C major), everything else as the key spells it.
int spellInChord(int pc, const ChordTable &table, const StepChord &chord, const Key &key);

} // namespace chordvane::harmony
