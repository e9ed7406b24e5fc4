#include "sheet.h"

#include "spelling.h"

#include <algorithm>

namespace chordvane::tuning {

std::vector<SheetLine> sheetLines(const ChordTable &table, const SheetStep &step)
{
    std::vector<SheetLine> lines;
    for (const PartSound &part : step.parts) {
        std::vector<PartNote> notes = part.notes;
        std::stable_sort(notes.begin(), notes.end(), [](const PartNote &a, const PartNote &b) {
            return a.sounding > b.sounding;
        });
        for (const PartNote &note : notes) {
            const int pc = pitchClass(note.sounding);
            const int alter =
                note.concertAlter
                    ? *note.concertAlter
                    : harmony::letterOf(
                          step.chord ? harmony::spellInChord(pc, table, *step.chord, step.key)
                                     : harmony::spellInKey(pc, step.key))
                          .alter;
            SheetLine line{part.name, pitchName(note.written, note.alter),
                           pitchName(note.sounding, alter), std::nullopt};
            if (step.chord)
                line.tone =
                    chordTone(note.sounding, step.chord->root, table.row(step.chord->chord));
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::vector<std::string> sheetFields(const SheetStep &step, const SheetLine &line)
{
    return {step.measure,
            step.beat,
            line.part,
            line.written,
            line.concert,
            line.tone ? line.tone->degree : "-",
            line.tone ? line.tone->cents : "-"};
}

std::string csvLine(const std::vector<std::string> &fields)
{
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ',';
        const std::string &field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            text += field;
            continue;
        }
        text += '"';
        for (const char c : field) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    return text + "\r\n";
}

} // namespace chordvane::tuning
