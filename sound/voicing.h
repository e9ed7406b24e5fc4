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
// The minor seventh takes the just seventh chosen (JustSeventh).
// Example: root C, intervals 1, 5, 8, 11, bass C, just: C4 0, E4 -13.7,
// G4 +2, B♭4 +17.9 (9:5; -31.2 with 7:4), C3 0.
std::vector<Tone> layOutChord(int root, const ChordRow &row, int bass, Tuning tuning, int program,
                              JustSeventh seventh = JustSeventh::NineFive);

// The sustained instruments a chord can be heard on.
enum class ChordSound { Organ, Strings, Brass, Piano };
int programOf(ChordSound sound);
// "organ", "strings", "brass", "piano"; false for anything else.
bool parseChordSound(std::string_view name, ChordSound &sound);

// Where a General MIDI SoundFont lies: Debian's default-GM alternative in
// the folders given, then the files of the packages that bring one, each
// looked for in every folder. Every path that exists() accepts, in that
// order, so that a damaged first one leaves the next to try.
std::vector<std::string> soundFontFolders();
std::vector<std::string> findSoundFonts(const std::vector<std::string> &folders,
                                        const std::function<bool(const std::string &)> &exists);

} // namespace chordvane::sound
