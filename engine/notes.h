#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chordvane {

// Note number: semitones, C = 1, C#/Db = 2 ... B = 12, the next C = 13.
// Numbers 12 apart are the same pitch class; octaves are never corrected.
using Note = std::int16_t;

// The empty marker of every engine array. Real notes never carry it.
inline constexpr Note NO_NOTE = 99;

// The pitch class of any count of semitones, negative ones too: 0..11.
// With MIDI keys 0 = C ... 11 = B; with note numbers 0 = B, 1 = C.
constexpr int pitchClass(int semitones)
{
    return (semitones % 12 + 12) % 12;
}

// Brings n into [base, base + 12), keeping its pitch class. NO_NOTE passes through.
int FoldIntoOctave(int n, int base);

// Pitch-class name of n ("C", "C♯/D♭", ... "B(H)"), UTF-8; empty for NO_NOTE.
std::string_view NoteName(int n);

// Cents by which the just interval from base up to note lies above the
// equal-tempered one. Interval number: 1 = unison, 5 = major third, 8 = fifth.
float JustCents(int note, int base);

// The table text of JustCents(interval, 1): "0", "+11.7", "-13.7", ...
std::string deviationText(int interval);

// The just minor seventh a player is told to aim at, where the tuning guide
// and the just playback take it from: 9:5, the just table's own (+17.9);
// 16:9, two fourths (-3.9); 7:4, the harmonic seventh many band directors
// ask of a dominant seventh (-31.2). The just table itself always shows 9:5.
enum class JustSeventh { NineFive, SixteenNine, SevenFour };

// JustCents with the minor seventh (interval number 11) as chosen.
float JustCents(int note, int base, JustSeventh seventh);
// deviationText with the minor seventh as chosen: "-31.2" for 7:4.
std::string deviationText(int interval, JustSeventh seventh);
// "9:5", "16:9", "7:4"; parseSeventh reads them back, nothing else.
std::string_view seventhRatio(JustSeventh seventh);
std::optional<JustSeventh> parseSeventh(std::string_view ratio);

} // namespace chordvane
