#pragma once

#include "chordlist.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace chordvane::sound {

// One sounding tone: a MIDI key (60 = middle C, C4), how many cents it is
// moved from that key's equal-tempered pitch, and its General MIDI program
// (0-based: 0 = acoustic grand piano, 56 = trumpet).
struct Tone {
    int key = 60;
    double cents = 0;
    int program = 0;
    bool operator==(const Tone &) const = default;
};

enum class Tuning { Equal, Just };

// How long a chord sounds before its keys are let go.
inline constexpr double kPlaySeconds = 2.0;

// A chord laid out in one fixed register, as the keyboard window shows it:
// the root (note number, C = 1, any octave) in MIDI 60..71, its tones
// upward from the root by the row's interval numbers (1 = the root, 5 =
// major third), then the bass (note number) in 48..59. In just intonation each tone moves
// by its JustCents above the root; the bass moves only when it is a chord
// tone. The bass comes last; tones on a key already taken are dropped.
// Example: root C, intervals 1, 5, 8, 11, bass C, just: C4 0, E4 -13.7,
// G4 +2, B♭4 +17.9, C3 0.
std::vector<Tone> layOutChord(int root, const ChordRow &row, int bass, Tuning tuning, int program);

// The sustained instruments a chord can be heard on.
enum class ChordSound { Organ, Strings, Brass, Piano };
int programOf(ChordSound sound);
// "organ", "strings", "brass", "piano"; false for anything else.
bool parseChordSound(std::string_view name, ChordSound &sound);

// How one instrument of the main window's list sounds: its General MIDI
// program, and the octaves (in semitones) between the written note plus
// the list's transposition and the real sound (the alto saxophone's +3
// stands for the major sixth below: -12). Names not in the list, and the
// placeholder and group headers, play piano in place.
struct Voice {
    int program = 0;
    int octaveShift = 0;
};
Voice voiceOf(std::string_view instrumentName);

// The MIDI key a row sounds: its written note number (C = 1 is middle C on
// the treble clef; the bass clef shares that numbering two octaves up), the
// transposition chosen and the instrument. The instrument's octave counts
// only while the row is on the instrument's own transposition
// (instrumentOffset); the key is kept within 0..127 by octaves.
int soundingKey(int written, bool bassClef, int tuneOffset, int instrumentOffset,
                const Voice &voice);

// Where a General MIDI SoundFont lies: Debian's default-GM alternative in
// the folders given, then the files of the packages that bring one, each
// looked for in every folder. Every path that exists() accepts, in that
// order, so that a damaged first one leaves the next to try.
std::vector<std::string> soundFontFolders();
std::vector<std::string> findSoundFonts(const std::vector<std::string> &folders,
                                        const std::function<bool(const std::string &)> &exists);

} // namespace chordvane::sound
