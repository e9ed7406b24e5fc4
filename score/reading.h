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
};

struct RawMeasure {
    QString number;
    Fraction extent;                 // the furthest any note, rest or forward reaches
    std::optional<Fraction> nominal; // from the time signature
    bool implicit = false;
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

// partlist.cpp
std::vector<ListedPart> readPartList(XmlWalk &walk);
// A <part-name-display> or <part-abbreviation-display> as one line of text.
QString readDisplayText(XmlWalk &walk);

// partwiseparser.cpp: a plain MusicXML document.
ReadResult readMusicXml(const QByteArray &bytes);

// placement.cpp: checks that the part list and the parts agree, then lines
// the parts' measures up and places their notes and settings in time.
ReadResult placeParts(const RawScore &raw);

// archive.cpp: the root MusicXML file of a compressed (.mxl) archive.
// On failure, false with `why` set.
bool unpackRootFile(const QByteArray &archive, QByteArray &root, ReadResult &why);

} // namespace chordvane::score
