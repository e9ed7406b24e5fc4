#pragma once

#include "fraction.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace chordvane {
class ChordTable;
}

namespace chordvane::score {

// Pitches are MIDI key numbers (60 = middle C); times are quarter notes from
// the start of the score, measures following each other as written (repeats
// are not expanded).

// The pitch class of a MIDI key, or of any signed interval: 0 = C ... 11 = B.
constexpr int pitchClass(int midi)
{
    return ((midi % 12) + 12) % 12;
}

// One sounding note of a part: an attack and how long it sounds, tied notes
// joined into one.
struct PartNote {
    int written = 0;  // as the file writes it
    int sounding = 0; // concert pitch: written plus the part's transposition
    Fraction start;
    Fraction end;
    int voice = 1;
    int staff = 1;
};

// A part's transposition (semitones from written to sounding) and staff 1's
// clef sign ("G", "F", "C", "percussion" ...) from `at` on.
struct PartSetting {
    Fraction at;
    int transposition = 0;
    QString clef;
};

struct Part {
    QString id;
    QString name;
    std::vector<PartNote> notes;       // by start
    std::vector<PartSetting> settings; // by time; the first at 0
};

struct Measure {
    QString number; // the number attribute as written
    Fraction start;
    Fraction length;
};

struct Score {
    std::vector<Part> parts;
    std::vector<Measure> measures;
};

// error is an English sentence for the user when ok is false.
struct ReadResult {
    bool ok = false;
    QString error;
    Score score;
};

inline constexpr qint64 kMaxFileBytes = 64 << 20;
inline constexpr qint64 kMaxUnpackedBytes = 256 << 20;

// Reads a score-partwise MusicXML file, plain (.musicxml, .xml) or compressed
// (.mxl), told apart by content. No DTD or external entity is ever read; a
// file that declares entities is refused.
ReadResult readScoreFile(const QString &path);
ReadResult readScoreData(const QByteArray &bytes);

struct PartMoment {
    std::vector<int> written;  // ascending
    std::vector<int> sounding; // ascending
    int transposition = 0;
    QString clef;
};

// An attack: a time at which at least one note starts, with every note
// sounding then (started then or held from before).
struct Moment {
    Fraction at;
    int measure = 0;               // index into Score::measures
    QString measureNumber;         // as written
    Fraction beat;                 // 1 + quarter notes from the measure's start
    std::vector<int> sounding;     // all parts, ascending; unisons of two parts twice
    std::vector<PartMoment> parts; // as Score::parts
};

std::vector<Moment> scoreMoments(const Score &score);

// How many notes scoreMoments would list over all moments, parts' entries
// included, counted without building them. A score of ordinary size stays
// far below kMaxMomentNotes; the reader refuses one above it, whose moments
// would not fit in memory (thousands of notes held while thousands start).
std::size_t momentNoteCount(const Score &score);
inline constexpr std::size_t kMaxMomentNotes = 8'000'000;

// A beat (never negative) as a decimal with at most three places and no trailing zeros
// ("1", "2.5", "3.333"), halves rounded up.
std::string beatText(const Fraction &beat);

struct MomentChord {
    std::string name; // as the results window writes it: "Am7 on C"
    int rate = 0;
};

// The first chord, in ranked order, that the sounding notes spell at the
// threshold: the lowest note is the bass, the other pitch classes fill the
// rest. None when fewer than two pitch classes sound or nothing is found.
std::optional<MomentChord> nameChord(const ChordTable &table, const std::vector<int> &sounding,
                                     int threshold);

} // namespace chordvane::score
