#pragma once

#include "degrees.h"
#include "guide.h"
#include "harmony.h"

#include <cstdint>
#include <string>
#include <vector>

namespace chordvane::tuning {

// A part as the sheet names it: its name in force, equal names numbered as
// the rows number them ("Trombone 1"), and whether it is of fixed pitch
// (fixedPitch). A sheet keeps each once; its notes refer to them by index.
struct SheetPart {
    std::string name;
    bool fixed = false;
    bool operator==(const SheetPart &) const = default;
};

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

// A note of a step and who plays it: part is an index into the sheet's parts.
struct SheetNote {
    std::uint32_t part = 0;
    PartNote note;
};

// One harmonic step of a score as the sheet reads it, or one moment within
// it: where it is, the concert key and the step's chord there, and the
// notes sounding then, in score order.
struct SheetStep {
    std::string measure; // the number as written
    std::string beat;    // "1", "2.5"
    harmony::Key key;
    std::optional<harmony::StepChord> chord;
    std::string symbol; // as the chart writes it: "F7", "E♭/F"; empty without a chord
    std::vector<SheetNote> notes;
};

struct SheetLine {
    std::uint32_t part = 0;        // index into the sheet's parts
    std::string written;           // "B♭4", the part's own spelling
    std::string concert;           // the sounding note spelled in the concert key
    std::optional<ChordTone> tone; // none: no chord tone, or no chord to tune in
};

// A step's lines and what they tune to (harmonyOf its sounding keys).
struct SheetBlock {
    Harmony harmony = Harmony::NoChord;
    std::vector<SheetLine> lines;
};

// One line per note: parts in score order, each from its highest sounding
// note down, with the minor seventh as chosen.
SheetBlock sheetLines(const ChordTable &table, const SheetStep &step,
                      JustSeventh seventh = JustSeventh::NineFive);

// The fields of a line, in this order, and where the text of the score stands.
// MEASURE, BEAT, SYMBOL ("N.C." without a chord), PART, WRITTEN, CONCERT,
// DEGREE and CENTS (adviceCells without arrows).
inline constexpr size_t kMeasureField = 0;
inline constexpr size_t kPartField = 3;
std::vector<std::string> sheetFields(const SheetStep &step, const SheetPart &part,
                                     const SheetLine &line, Harmony harmony,
                                     const GuideWords &words);

// Text from a score as a spreadsheet takes it for text: one that begins
// with =, +, -, @, a tab or a CR gets an apostrophe before it, so that no
// spreadsheet reads a formula (=HYPERLINK(…), @SUM(…)) into it.
std::string spreadsheetText(std::string text);

// Fields separated by commas and ended by CR LF; a field holding a comma, a
// quote or a line break (CR or LF) is quoted, its quotes doubled.
std::string csvLine(const std::vector<std::string> &fields);

// A line of the CSV sheet: its fields with the measure and the part made
// spreadsheet text, the cents left plain numbers.
std::string sheetCsvLine(std::vector<std::string> fields);

} // namespace chordvane::tuning
