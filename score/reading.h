#pragma once

// The reader's inner parts, shared between its files: what the XML walk
// collects part by part, before the parts are lined up on one time line.

#include "score.h"
#include "xmlwalk.h"

namespace chordvane::score {

struct RawNote {
    int measure = 0;
    Fraction start; // from the measure's start
    Fraction duration;
    int written = 0;
    Spelling spelling;
    int transposition = 0;
    bool tieStart = false;
    bool tieStop = false;
    int voice = 1;
    int staff = 1;
};

struct RawSetting {
    int measure = 0;
    Fraction at; // from the measure's start
    int transposition = 0;
    QString clef;
    QString name;
    QString abbreviation;
    int program = -1;
    int fifths = 0;
    bool minor = false;
    bool keyGiven = false;
};

struct RawMeasure {
    QString number;
    Fraction extent;                 // the furthest any note, rest or forward reaches
    std::optional<Fraction> nominal; // from the time signature
    bool implicit = false;
    int beats = 0; // the time signature in force; 0/0 for none
    int beatType = 0;
    QString rehearsal;
    bool doubleBarBefore = false; // a double bar at its left
    bool doubleBarAfter = false;
};

struct RawPart {
    QString id;
    std::vector<RawMeasure> measures;
    std::vector<RawNote> notes;
    std::vector<RawSetting> settings;
};

// A <score-instrument> of a part, with its <midi-instrument>'s program.
struct Instrument {
    QString id;
    QString name;
    QString abbreviation;
    int program = -1; // 0..127
};

struct ListedPart {
    QString id;
    QString name; // the display text's if given
    QString abbreviation;
    std::vector<Instrument> instruments;
    int program() const { return instruments.empty() ? -1 : instruments.front().program; }
};

struct RawScore {
    QString workTitle;
    QString movementTitle;
    std::vector<ListedPart> partList;
    std::vector<RawPart> parts;
};

// What one <note> element says, before it is placed in time.
struct NoteFields {
    bool grace = false;
    bool sounds = true; // false for a cue, a rest or an unpitched note
    bool chord = false;
    bool pitched = false;
    QString step;
    Fraction alter;
    std::optional<int> octave;
    std::optional<Fraction> duration;
    bool tieStart = false;
    bool tieStop = false;
    int voice = 1;
    int staff = 1;
    QString instrument; // the <score-instrument> it names, if any
};

// notes.cpp
NoteFields readNote(XmlWalk &walk);
struct WrittenPitch {
    int key = 0; // MIDI
    Spelling spelling;
};
// None, with the walk failed, when the pitch is incomplete.
std::optional<WrittenPitch> writtenPitch(XmlWalk &walk, const NoteFields &note);

// signatures.cpp. Both read staff 1's signature or the whole part's, and
// give none for another staff's.
struct TimeSignature {
    int beats = 0; // 0/0: none, as senza misura
    int beatType = 0;
    // In quarter notes; none without a signature.
    std::optional<Fraction> length() const
    {
        if (beatType == 0)
            return std::nullopt;
        return Fraction(beats) * Fraction(4) / Fraction(beatType);
    }
};
// None when the <time> gives no usable beats and beat type.
std::optional<TimeSignature> readTime(XmlWalk &walk);
struct KeySignature {
    int fifths = 0; // -7..7
    bool minor = false;
};
// None when the <key> gives no fifths.
std::optional<KeySignature> readKey(XmlWalk &walk);

// marks.cpp: what the chart shows besides the notes. A <work>'s title.
QString readWorkTitle(XmlWalk &walk);
// A <barline>'s
// double bar, on the side its location names (right by default).
void readBarline(XmlWalk &walk, RawMeasure &measure);
// A <direction-type>'s first rehearsal mark, cut to 40 characters.
void readDirectionType(XmlWalk &walk, RawMeasure &measure);

// partlist.cpp
std::vector<ListedPart> readPartList(XmlWalk &walk);
// A <part-name-display> or <part-abbreviation-display> as one line of text.
QString readDisplayText(XmlWalk &walk);

// partwiseparser.cpp: a plain MusicXML document.
// The bytes are let go once read, before the parts are placed.
ReadResult readMusicXml(QByteArray bytes);

// midiscore.cpp: a Standard MIDI File.
ReadResult readMidiScore(const QByteArray &bytes);

// placement.cpp: checks that the part list and the parts agree, then lines
// the parts' measures up and places their notes and settings in time,
// letting each raw part's notes go once they are placed.
ReadResult placeParts(RawScore raw);

// archive.cpp: the root MusicXML file of a compressed (.mxl) archive.
// On failure, false with `why` set.
bool unpackRootFile(const QByteArray &archive, QByteArray &root, ReadResult &why);

} // namespace chordvane::score
