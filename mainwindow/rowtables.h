#pragma once

#include <QRect>

#include <array>

namespace chordvane::rows {

inline constexpr int kRows = 12; // rows 0..10 ordinary, 11 the bass
inline constexpr int kBassRow = 11;
inline constexpr int kOrdinaryRows = 11;

struct Entry {
    const char *text; // UTF-8
    int offset;       // semitones from the written to the sounding note
};

// The transposition list: the written note sounds this far away (in the
// pitch class; an instrument's own octave is sound::Instrument's).
inline constexpr std::array<Entry, 7> kTunes = {{
    {"in C", 0},
    {"in B♭", -2},
    {"in E♭", 3},
    {"in F", 5},
    {"in A", -3},
    {"in D", 2},  // a D trumpet sounds a second above its part
    {"in G", -5}, // an alto flute a fourth below
}};

// The instrument list is sound::kInstruments: one table for what a row
// shows and how it sounds.

// Where a row's controls stand, in twips: ordinary rows in the window's
// client area, the bass row inside its frame.
struct RowGeometry {
    QRect check, staff, instrument, tune, result;
};

constexpr RowGeometry geometryOf(int row)
{
    if (row == kBassRow)
        return {QRect(), QRect(240, 360, 1335, 1095), QRect(1800, 360, 1335, 0),
                QRect(3240, 360, 855, 0), QRect(1800, 720, 1815, 615)};
    const bool left = row < 6;
    const int dx = left ? 0 : 4920;
    const int dy = 1320 * (left ? row : row - 6);
    return {QRect(120 + dx, 600 + dy, 255, 375), QRect(360 + dx, 240 + dy, 1335, 1095),
            QRect(1920 + dx, 240 + dy, 1335, 0), QRect(3360 + dx, 240 + dy, 855, 0),
            QRect(1920 + dx, 600 + dy, 1815, 615)};
}

} // namespace chordvane::rows
