#pragma once

#include <array>
#include <string_view>

namespace chordvane::sound {

// One instrument a row can name. offset: semitones from the written to the
// sounding pitch class, the transposition list's entry that goes with the
// instrument; program: General MIDI, 0-based (56 = trumpet); octave:
// semitones between the written note moved by offset and the real sound
// (the alto saxophone's +3 stands for the major sixth below: octave -12).
struct Instrument {
    std::string_view name; // UTF-8, as the instrument list shows it
    int offset = 0;
    int program = 0;
    int octave = 0;
};

// The instrument list, in the order a row offers it. Entries in 【 】 head a
// group and stand for its transposition; they, the placeholder and "その他"
// sound as a piano.
inline constexpr std::array<Instrument, 23> kInstruments = {{
    {"(楽器名)", 0, 0, 0},     {"【 in C 】", 0, 0, 0},
    {"Piano", 0, 0, 0},        {"Fl", 0, 73, 0},
    {"Bsn", 0, 70, 0},         {"St.Base", 0, 43, -12}, // written an octave above its sound
    {"Oboe", 0, 68, 0},        {"Pic", 0, 72, 12},      // written an octave below its sound
    {"Tuba", 0, 58, 0},        {"Trb", 0, 57, 0},
    {"Timp", 0, 47, 0},        {"【 in Eb 】", 3, 0, 0},
    {"Es.Cl", 3, 71, 0},       {"Al.Sax", 3, 65, -12},
    {"Al.Cl", 3, 71, -12},     {"B.Sax", 3, 67, -24},
    {"【 in Bb 】", -2, 0, 0}, {"Cl", -2, 71, 0},
    {"Trp", -2, 56, 0},        {"T.Sax", -2, 66, -12},
    {"【 in F 】", 5, 0, 0},   {"Hr", 5, 60, -12},
    {"その他", 0, 0, 0},
}};

// How a row sounds: its program, and the real transposition that goes with
// the transposition list's entry `offset` (offset plus octaves). A score's
// part brings its own; a row on an instrument of the list takes the list's.
struct Voice {
    int program = 0;
    int offset = 0;
    int octave = 0;
    bool operator==(const Voice &) const = default;
};
constexpr Voice voiceOf(const Instrument &instrument)
{
    return {instrument.program, instrument.offset, instrument.octave};
}

// The MIDI key a row's written note stands for, before any transposition:
// written is the note number (C = 1 is middle C on the treble clef; the bass
// clef shares that numbering two octaves up).
constexpr int writtenKey(int written, bool bassClef)
{
    return 60 - 1 + written - (bassClef ? 24 : 0); // MIDI 60 = middle C
}

// The MIDI key a row sounds: its written note number (C = 1 is middle C on
// the treble clef; the bass clef shares that numbering two octaves up) on
// the transposition chosen (tuneOffset). The voice's octave counts only
// while the row is on the voice's own transposition; the key is kept within
// 0..127 by octaves.
int soundingKey(int written, bool bassClef, int tuneOffset, const Voice &voice);

} // namespace chordvane::sound
