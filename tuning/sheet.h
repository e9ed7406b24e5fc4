#pragma once

#include "degrees.h"
#include "harmony.h"

#include <string>
#include <vector>

namespace chordvane::tuning {

// A note a part plays: the MIDI key as written with the part's spelling of
// it (alter: -1 = ♭), and the key that sounds.
struct PartNote {
    int written = 60;
    int alter = 0;
    int sounding = 60;
    // The alteration the score's own spelling gives it at concert pitch
    // (a cello's C♯ stays C♯); none: spelled as the chord or the key does.
    std::optional<int> concertAlter = std::nullopt;
};

struct PartSound {
    std::string name;
    std::vector<PartNote> notes; // in any order
};

// One harmonic step of a score as the sheet reads it: where it starts, the
// concert key and chord there, and what each part plays, in score order.
struct SheetStep {
    std::string measure; // the number as written
    std::string beat;    // "1", "2.5"
    harmony::Key key;
    std::optional<harmony::StepChord> chord;
    std::string symbol; // as the chart writes it: "F7", "E♭/F"; empty without a chord
    std::vector<PartSound> parts;
};

struct SheetLine {
    std::string part;
    std::string written;           // "B♭4", the part's own spelling
    std::string concert;           // the sounding note spelled in the concert key
    std::optional<ChordTone> tone; // none: no chord tone, or no chord
};

// One line per note: parts in score order, each from its highest sounding note down.
std::vector<SheetLine> sheetLines(const ChordTable &table, const SheetStep &step);

// MEASURE, BEAT, PART, WRITTEN, CONCERT, DEGREE and CENTS of a line, "-"
// for the degree and the cents of a note that is no chord tone.
std::vector<std::string> sheetFields(const SheetStep &step, const SheetLine &line);

// Fields separated by commas and ended by CR LF; a field holding a comma, a
// quote or a line break is quoted, its quotes doubled.
std::string csvLine(const std::vector<std::string> &fields);

} // namespace chordvane::tuning
