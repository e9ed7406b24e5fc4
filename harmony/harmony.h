#pragma once

#include "chordlist.h"
#include "fraction.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The harmony of a whole score, one chord per harmonic step as a lead sheet
// shows it, instead of one name per attack.
//
// Times are exact quarter notes from the start of the piece. Pitches are
// concert MIDI keys (60 = middle C); pitch classes count 0 = C ... 11 = B.
namespace chordvane::harmony {

// One sounding note. Notes of the same line that follow each other are heard
// as one melody (a part's voice); figuration is found along lines.
struct PieceNote {
    Fraction start;
    Fraction end;
    int pitch = 60;
    int line = 0;
};

// A time signature in force from `at` on, as written: beats over beatType.
struct Meter {
    Fraction at;
    int beats = 4;
    int beatType = 4;
};

// A concert key in force from `at` on: its signature as fifths (sharps
// positive, flats negative, -7..7) and whether it is minor. C major where
// none is given.
struct Key {
    Fraction at;
    int fifths = 0;
    bool minor = false;
};

// measureStarts ascend; the last measure lasts until end (or the last note's
// end when that is later). Without measures the piece is one measure from 0.
// Notes, meters and keys may come in any order; a time without a meter has
// quarter-note beats.
struct Piece {
    std::vector<PieceNote> notes;
    std::vector<Fraction> measureStarts;
    Fraction end;
    std::vector<Meter> meters;
    std::vector<Key> keys;
};

// A chord found: its slot in the chord table, its root and its bass (the
// lowest note) as pitch classes.
struct StepChord {
    int chord = 0;
    int root = 0;
    int bass = 0;
    bool operator==(const StepChord &) const = default;
};

// One harmonic step: consecutive beats with the same chord, or without one.
struct Step {
    Fraction start;
    int measure = 0;                // index into Piece::measureStarts
    std::optional<StepChord> chord; // none: under two pitch classes, or no chord found
    int rate = 0;                   // whole percent, as the search rates; 0 without chord
    std::string chordText;          // as the results window writes it: "Am7 on C"
    std::string symbol;             // spelled in the key in force: "A♭add9/E♭", "C/E"
};

// Why a piece cannot be analysed; `where` in Analysis says which entry.
enum class PieceError {
    None,
    NoteEndsBeforeStart,    // a note's end lies before its start (note index)
    PitchOutOfRange,        // a pitch outside 0..127 (note index)
    NoteBeforeFirstMeasure, // a note starts before the first measure (note index)
    MeasuresOutOfOrder,     // a measure start not after the one before (measure index)
    BadMeter,               // beats under 1 or beatType no power of two up to 64 (meter index)
    BadKey,                 // fifths outside -7..7 (key index)
    TimeTooFine,            // times too fine to count exactly in 64 bits (no index)
};

struct Analysis {
    PieceError error = PieceError::None;
    std::size_t where = 0;
    std::vector<Step> steps; // empty on an error
};

// The harmonic steps of piece, chords taken from table. Beats that hold one
// unchanging sound are named as the ordinary search names them: the first
// ranked result at threshold (percent). Other beats weigh their pitch
// classes by duration and leave passing and neighbour notes and suspensions
// out without penalty.
Analysis analyse(const ChordTable &table, const Piece &piece, int threshold = 65);

// An English sentence for the command line; empty when there is no error.
std::string englishMessage(const Analysis &analysis);

} // namespace chordvane::harmony
