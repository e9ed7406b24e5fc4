#pragma once

// A reader of Standard MIDI Files (formats 0 and 1) into plain values: the
// notes each track or channel plays, in ticks, with the meter and keys the
// meta events give. No sound, no notation and no analysis; the score reader
// turns what it gives into parts and measures.
//
// Ticks count from the start of the file at the file's division (ticks per
// quarter note); tempo changes move no note in ticks, so they are skipped.
// Keys are MIDI key numbers (60 = middle C); channels 0..15 (9 is the
// General MIDI percussion channel, "channel 10" to musicians).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace chordvane::midifile {

struct Note {
    int key = 0;
    std::int64_t start = 0; // ticks
    std::int64_t end = 0;   // after start
};

// The notes of one track (format 1) or of one channel of a track (format 0),
// left out when it has none; percussion (channel 9) is never one.
struct Voice {
    int track = 0;           // from 0, as the file orders its tracks
    int channel = 0;         // the lowest it plays on
    std::string name;        // format 1: the track's name (meta 0x03) as bytes; may be empty
    int program = -1;        // the track's first program change on that channel; -1 if none
    std::vector<Note> notes; // by start
};

struct TimeSignature {
    std::int64_t at = 0; // ticks
    int beats = 4;
    int beatType = 4; // a power of two
};

struct KeySignature {
    std::int64_t at = 0;
    int fifths = 0; // -7..7 (-3 = E♭ major or C minor)
    bool minor = false;
};

struct MidiFile {
    int format = 0;
    int division = 0; // ticks per quarter note
    std::vector<Voice> voices;
    std::vector<TimeSignature> times; // by tick; empty when the file gives none
    std::vector<KeySignature> keys;   // by tick
    std::int64_t length = 0;          // the tick of the last track's end
};

enum class MidiError {
    None,
    NotMidi,       // no "MThd" header chunk at the start
    BadHeader,     // a header chunk too short, or no tracks, or a division of 0
    Format,        // format 2 (independent sequences) or unknown; value: the format
    Smpte,         // SMPTE time code timing instead of ticks per quarter note
    Truncated,     // a chunk or event runs past the end of its track or the file
    LongNumber,    // a variable-length quantity of more than four bytes
    BadEvent,      // a data byte without a status, or a status no file may hold
    TooManyEvents, // over kMaxEvents events in all tracks
    TooLong,       // a track runs past kMaxTicks
};

struct MidiResult {
    MidiError error = MidiError::None;
    int track = -1;         // where it lies, from 0; -1 in the header
    std::size_t offset = 0; // the byte of the file where it was found
    int value = 0;          // as MidiError says
    MidiFile file;
    bool ok() const { return error == MidiError::None; }
};

// Bounds that no real file comes near, so that a hostile one stays small in
// memory and in time.
inline constexpr std::size_t kMaxEvents = 1'000'000;
inline constexpr std::int64_t kMaxTicks = std::int64_t(1) << 40;

// True when the bytes start as a Standard MIDI File does.
bool looksLikeMidi(std::span<const std::uint8_t> bytes);

// Reads the whole file. Note-on with velocity 0 is a note-off; running
// status is followed (also after meta and system exclusive events, as
// some writers expect); a note-off ends the earliest sounding note of its
// key and channel, and a note still sounding at its track's end ends there.
// Notes of no length are left out.
MidiResult readMidi(std::span<const std::uint8_t> bytes);

// The General MIDI name of program 0..127 ("Acoustic Grand Piano").
const char *programName(int program);

} // namespace chordvane::midifile
