#pragma once

#include "degrees.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace chordvane::tuning {

// What the notes sounding together give a player to tune to: a chord; one
// pitch class alone, in unison, in octaves or a line by itself; or no chord
// at all (the step has none: N.C.). Cents are given in a chord only: nobody
// is told to bend a melody or a unison.
enum class Harmony { Chord, Unison, NoChord };

// The harmony of the MIDI keys sounding, chord: whether the step or the
// search found one. Keys all of one pitch class (one key alone too) are a
// unison; no chord, or no key, is no chord.
Harmony harmonyOf(bool chord, const std::vector<int> &pitches);

// What a guide writes where it gives no degree or no cents, in the reader's
// language.
struct GuideWords {
    std::string none = "-";        // the degree and cents of a note that is no chord tone
    std::string unison = "unison"; // the degree of every note in a unison
    std::string noChord = "no chord";
    std::string fixed = "fixed"; // the cents of a part of fixed pitch: the reference
};

// The degree and the cents a guide shows for one note: in a chord the
// tone's degree and cents (with their arrow when asked: "-13.7 ↓"), none
// and none for a note that is no chord tone; in a unison or without a
// chord that word and none. A part of fixed pitch (fixedPitch) has the word
// fixed for its cents in every case: it is not told to move.
std::array<std::string, 2> adviceCells(const std::optional<ChordTone> &tone, Harmony harmony,
                                       bool fixed, const GuideWords &words, bool arrows);

// One player of a search: who, what the part shows and what sounds.
struct Player {
    std::string name;    // the part or the instrument
    std::string written; // the note as written for the player: "B♭4"
    int pitch = 60;      // the MIDI key that sounds
    bool bass = false;   // the bass row
    bool fixed = false;  // of fixed pitch (fixedPitch)
};

struct GuideLine {
    std::string name;
    std::string written;
    std::optional<ChordTone> tone; // none: no tone of the chord, or no chord to tune in
    bool fixed = false;
    bool operator==(const GuideLine &) const = default;
};

struct PlayerGuide {
    Harmony harmony = Harmony::Chord;
    std::vector<GuideLine> lines;
    bool operator==(const PlayerGuide &) const = default;
};

// What to tell each player about the chord row built on root: one line per
// player, from the highest sounding note down, the bass last; players
// sounding one key keep their order. The bass row is left out where it
// repeats the key of another player (a score's tuba on its own row and on
// the bass row). Players all on one pitch class are a unison.
PlayerGuide playerGuide(std::vector<Player> players, int root, const ChordRow &row,
                        JustSeventh seventh = JustSeventh::NineFive);

// What the windows show for the degree and the cents of a note that is no chord tone.
inline constexpr std::string_view kNoToneMark = "—";

// A line as a table shows it: name, written note, degree and the cents with
// their arrow (adviceCells).
std::array<std::string, 4> guideCells(const GuideLine &line, Harmony harmony,
                                      const GuideWords &words);

// The lines' cells joined by tabs, lineEnd after every line.
std::string guideText(const PlayerGuide &guide, const GuideWords &words,
                      std::string_view lineEnd = "\r\n");

} // namespace chordvane::tuning
