#pragma once

#include <string_view>

namespace chordvane::tuning {

// Whether a player cannot bend a note towards just intonation: keyboards,
// mallets and tuned percussion, harp, guitar, organ and their kin. Such a
// part gets no cents; it is the reference the others tune to.
// program: the part's General MIDI program, 0-based (0 = acoustic grand
// piano), -1 when none is known; it decides by its family when known. Else
// the name decides: a word of it (any case) such as "Piano", "Pno.",
// "Harp", "Glockenspiel", or a Japanese name within it ("ピアノ").
bool fixedPitch(int program, std::string_view name);

} // namespace chordvane::tuning
