#pragma once

#include "fraction.h"
#include "notes.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
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

// A note's name as the part writes it: letter 0..6 = C D E F G A B (MusicXML's <step>), alter in
// semitones (-1 = ♭, 1 = ♯; quarter tones rounded, halves up).
struct Spelling {
    int letter = 0;
    int alter = 0;
    friend bool operator==(const Spelling &, const Spelling &) = default;
};

// One sounding note of a part: an attack and how long it sounds, tied notes
// joined into one (with the first note's spelling).
struct PartNote {
    int written = 0;  // as the file writes it
    int sounding = 0; // concert pitch: written plus the part's transposition
    Fraction start;
    Fraction end;
    int voice = 1;
    int staff = 1;
    Spelling spelling;
};

// What holds in a part from `at` on: its transposition (semitones from
// written to sounding), staff 1's clef sign ("G", "F", "C", "percussion" ...),
// its names and program, which a <print> or a change of instrument can
// switch mid-score, and staff 1's key signature.
struct PartSetting {
    Fraction at;
    int transposition = 0;
    QString clef;
    QString name; // as in Part
    QString abbreviation;
    int program = -1;
    // The key as the part writes it (a transposing part's written key):
    // fifths -7..7 (-3 = E♭ major or C minor), minor for <mode>minor</mode>.
    // A key of steps and alterations counts as C major; keyGiven is false
    // until the part gives a key, when the key is C major by default.
    int fifths = 0;
    bool minor = false;
    bool keyGiven = false;
};

struct Part {
    QString id;
    QString name;         // <part-name-display> as shown (♭ ♯ ♮ 𝄫 𝄪), else <part-name>
    QString abbreviation; // <part-abbreviation-display>, else <part-abbreviation>; may be empty
    int program = -1;     // General MIDI program 0..127 of the first instrument; -1 if none given
    std::vector<PartNote> notes;       // by start
    std::vector<PartSetting> settings; // by time; the first at 0
};

struct Measure {
    QString number; // the number attribute as written
    Fraction start;
    Fraction length;
    // The first part's time signature in force: 6/8 stays 6/8, 3+2/8 is
    // 5/8; 0/0 before any and under senza misura.
    int beats = 0;
    int beatType = 0;
    QString rehearsal; // the top part's first <rehearsal> mark, else a lower one's; may be empty
    bool doubleBar = false; // ends with a double bar (light-light, or light-heavy as at the end)
};

struct Score {
    QString title; // <work-title>, else <movement-title>; may be empty
    std::vector<Part> parts;
    std::vector<Measure> measures;
    // Read from a Standard MIDI File: notes without notation, so there is
    // nothing to write chord symbols into.
    bool fromMidi = false;
};

// Why a score could not be read. The window and the command line each word
// it in their own language from the code and ReadResult's details.
enum class ReadError {
    None,             // read well
    NoSuchFile,       // nothing at the path
    Folder,           // the path names a folder
    NotRegularFile,   // a FIFO, device or socket, which could block or never end
    CannotOpen,       // the system refused to open or read the file; detail: its reason
    FileTooLarge,     // over kMaxFileBytes
    BrokenArchive,    // starts like a compressed (.mxl) archive but is no readable one
    MissingMember,    // the archive lacks a file; detail: its path in the archive
    MemberTooLarge,   // an archive member unpacks to over kMaxFileBytes; detail: its path
    BrokenMember,     // an archive member fails to unpack or its checksum; detail: its path
    BadContainer,     // META-INF/container.xml is not well-formed; detail: the XML reader's reason
    NoRootFile,       // META-INF/container.xml names no MusicXML root file
    NotXml,           // not XML: no element at all, or broken before the first; detail: reason
    EntitiesDeclared, // the document type declares entities, which are never expanded
    Timewise,         // a score-timewise document: only score-partwise is read
    NotMusicXml,      // the root element is another; detail: its name
    BrokenXml,        // not well-formed after the root element's start; detail: the reason
    EndsEarly,        // the document stops before its end, as a truncated file does
    BadNumber,        // detail: the element ("duration", "alter" ...); value: its text
    NoDuration,       // a note without <duration>
    BadPitch,     // a <pitch> whose step is not A to G or whose octave is missing; value: the step
    TimeOverflow, // durations too large or too finely divided to add up exactly
    TooManyNotes, // the moments would list more than kMaxMomentNotes notes
    NoParts,      // the score has no <part>
    PartListedTwice, // the part list names an id twice; detail: the id
    PartRepeated,    // two <part> elements have one id; detail: the id
    PartNotListed,   // a <part> the part list does not name; detail: the id
    PartEmpty,       // a <part> without measures; detail: the id
    PartMissing,     // the part list names a part the score lacks; detail: the id; value: its name
    // A Standard MIDI File, these codes last: detail is the track (from 1;
    // empty in the header), value the byte of the file where the fault lies.
    MidiHeader,        // the header chunk is too short or names no tracks or a division of 0
    MidiFormat,        // format 2 or an unknown one; value: the format, not a byte
    MidiSmpte,         // SMPTE time code timing, which counts no quarter notes
    MidiTruncated,     // a track or an event runs past the end of the file or its track
    MidiLongNumber,    // a variable-length quantity of more than four bytes
    MidiBadEvent,      // a data byte without a status, or a status no file may hold
    MidiTooManyEvents, // more events than any score holds
    MidiTooLong,       // the notes run on too far in time to be laid out in measures
};

// What reading gave: the score when ok, else the error and what it is about.
// Text taken from the file is cut to 40 characters.
struct ReadResult {
    bool ok = false;
    ReadError error = ReadError::None;
    QString detail; // as each ReadError says
    QString value;  // the file's text the error quotes, as each ReadError says
    QString part;   // the part's id and the measure's number when the error lies inside
    QString measure;
    qint64 line = 0; // where in the XML document, from 1; 0 when not known
    qint64 column = 0;
    Score score;
};

// True for the codes of a Standard MIDI File's faults.
constexpr bool isMidiError(ReadError error)
{
    return error >= ReadError::MidiHeader;
}
// The most events a MIDI file may hold, for messages.
std::size_t midiEventLimit();

// The error as one English sentence, for the command line: "part \"P1\",
// measure 3: bad <duration> \"x\"". Empty when ok.
QString englishMessage(const ReadResult &result);

// The largest file read, and the largest member of an archive unpacked.
inline constexpr qint64 kMaxFileBytes = 64 << 20;

// Reads a score-partwise MusicXML file, plain (.musicxml, .xml) or compressed
// (.mxl), or a Standard MIDI File (.mid), told apart by content. No DTD or
// external entity is ever read; a file that declares entities is refused.
// A MIDI file's tracks (in format 0, its channels) become parts, percussion
// left out, every note at concert pitch in C, spelt in the key in force.
ReadResult readScoreFile(const QString &path);
// The same, with the file's bytes as read kept in `bytes` (empty when
// nothing could be read), for a caller that needs them too.
ReadResult readScoreFile(const QString &path, QByteArray &bytes);
ReadResult readScoreData(QByteArray bytes);

struct PartMoment {
    std::vector<int> written;  // ascending
    std::vector<int> sounding; // ascending
    int transposition = 0;
    QString clef;
    // Initialised here, so that brace lists naming only the fields above
    // need not change.
    std::vector<Spelling> spelling{}; // of each written note, in the same order
    QString name{};                   // the part's names and program in force, as in Part
    QString abbreviation{};
    int program = -1;
    int fifths = 0; // the key in force, as in PartSetting
    bool minor = false;
    bool keyGiven = false;
};

// A note sounding at a moment: its part (index into Score::parts) and its
// place in that part's notes.
struct HeldNote {
    std::uint32_t part = 0;
    std::uint32_t note = 0;
};

// An attack: a time at which at least one note starts, with every note
// sounding then (started then or held from before).
struct Moment {
    Fraction at;
    int measure = 0;               // index into Score::measures
    QString measureNumber;         // as written
    Fraction beat;                 // 1 + quarter notes from the measure's start
    std::vector<int> sounding;     // all parts, ascending; unisons of two parts twice
    std::vector<HeldNote> held;    // the same notes by written pitch and spelling
    std::vector<PartMoment> parts; // as Score::parts once withParts() filled them; else empty
};

// The moments in order, each handed to visit as it is made (the same object
// each time, refilled), without parts: a caller that reads each moment once
// holds one moment's notes in memory, not the score's.
void forEachMoment(const Score &score, const std::function<void(const Moment &)> &visit);
// Every moment, without parts.
std::vector<Moment> scoreMoments(const Score &score);
// The moment with an entry for every part of the score: what holds in it
// then, and its notes from held.
Moment withParts(const Score &score, Moment moment);

// The part's settings in force at `at` (its first ones before they start).
const PartSetting &settingAt(const Part &part, const Fraction &at);

// How many notes the moments hold, over all moments, counted without
// building them. A score of ordinary size stays far below kMaxMomentNotes;
// the reader refuses one above it, whose moments would not fit in memory
// (thousands of notes held while thousands start).
std::size_t momentNoteCount(const Score &score);
inline constexpr std::size_t kMaxMomentNotes = 2'000'000;

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
