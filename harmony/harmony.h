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
//
// Words as this code uses them:
//   step    a harmonic step: consecutive beats under one chord (or none),
//           one line of the chart. Nothing else is called a step here.
//   beat    one beat of the meter in force (the dotted beat of 6/8 ...).
//   window  a beat, or a half measure or a measure read together when a
//           beat alone holds too little.
//   line    one part's voice, heard as a melody.
//   second  melodic motion by one or two semitones along a line (passing
//           and neighbour notes, suspensions and appoggiaturas move so).
//   letter  the letter of a note's name, 0..6 = C ... B (MusicXML's <step>).
// The note input's staff has its own "step index", the line or space a note
// head stands on.
namespace chordvane::harmony {

// One sounding note. Notes of the same line that follow each other are heard
// as one melody (a part's voice); figuration is found along lines.
struct PieceNote {
    Fraction start;
    Fraction end;
    int pitch = 60;
    int line = 0;
    // As the score spells it at concert pitch, a position on the line of
    // fifths (0 = C, 1 = G, -1 = F, 7 = C♯; see spelling.h); none when unknown.
    std::optional<int> spelled = std::nullopt;
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

// measureStarts never descend (two equal starts: a measure without length); the last measure lasts
// until end (or the last note's end when that is later). Without measures the piece is one measure
// from 0. Each measure counts the beats of the meter in force at its start; before the first meter,
// beats are quarter notes. Notes, meters and keys may come in any order; notes without length are
// left out.
struct Piece {
    std::vector<PieceNote> notes;
    std::vector<Fraction> measureStarts;
    Fraction end;
    std::vector<Meter> meters;
    std::vector<Key> keys;
};

// A chord found: its slot in the chord table, its root and its bass as pitch classes.
struct StepChord {
    int chord = 0;
    int root = 0;
    int bass = 0;
    bool operator==(const StepChord &) const = default;
};

// The root and the bass of a chord symbol as positions on the line of fifths
// (spelling.h); a bass only when it is not the root.
struct SymbolNotes {
    int root = 0;
    std::optional<int> bass;
    bool operator==(const SymbolNotes &) const = default;
};

// One harmonic step: consecutive beats with the same chord, or without one
// (N.C.). rate is the chord's match rate in whole percent as the search
// computes it, against the pitch classes other than figuration and the bass
// of the beat or the wider window that named it; 0 without a chord.
struct Step {
    Fraction start;
    int measure = 0;                // index into Piece::measureStarts
    std::optional<StepChord> chord; // none: nothing reaches the threshold, or a line alone
    int rate = 0;
    std::string chordText; // as the results window writes it: "Am7 on C"
    std::string symbol;    // "A♭add9/E♭", "C/E": root and bass as spelled
    // The root and bass as the step's own notes spell them (the most
    // frequent spelling of that pitch class there), else as the key does.
    SymbolNotes spelled{};
};

// Why a piece cannot be analysed; `where` in Analysis says which entry.
enum class PieceError {
    None,
    NoteEndsBeforeStart,    // a note's end lies before its start (note index)
    PitchOutOfRange,        // a pitch outside 0..127 (note index)
    NoteBeforeFirstMeasure, // a note starts before the first measure (note index)
    MeasuresOutOfOrder,     // a measure start before the one before it (measure index)
    BadMeter,               // beats under 1 or beatType no power of two up to 64 (meter index)
    BadKey,                 // fifths outside -7..7 (key index)
    TimeTooFine,            // times too fine to count exactly in 64 bits (no index)
};

struct Analysis {
    PieceError error = PieceError::None;
    std::size_t where = 0;
    std::vector<Step> steps; // empty on an error
};

// The harmonic steps of piece, chords taken from table, beat by beat.
// A beat that holds one unchanging sound is named as the ordinary search
// names it: the first ranked result at threshold (percent). Other beats
// weigh their pitch classes by how long they sound and leave passing and
// neighbour notes and suspensions out without penalty (see chooser.h). A
// beat's bass is its lowest note when the beat first sounds; a passing note
// there keeps the bass before it, and a bass struck and then left to rest
// rings on through its measure while nothing sounds at or below it.
Analysis analyse(const ChordTable &table, const Piece &piece, int threshold = 65);

// An English sentence for the command line; empty when there is no error.
std::string englishMessage(const Analysis &analysis);

} // namespace chordvane::harmony
