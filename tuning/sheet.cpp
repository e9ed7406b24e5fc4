#include "sheet.h"

#include "spelling.h"

#include <algorithm>

namespace chordvane::tuning {

SheetBlock sheetLines(const ChordTable &table, const SheetStep &step, JustSeventh seventh)
{
    std::vector<int> pitches;
    for (const SheetNote &note : step.notes)
        pitches.push_back(note.note.sounding);
    SheetBlock block{harmonyOf(step.chord.has_value(), pitches), {}};

    std::vector<SheetNote> notes = step.notes;
    // Parts keep their order, each part's notes from the top.
    std::stable_sort(notes.begin(), notes.end(), [](const SheetNote &a, const SheetNote &b) {
        return a.part != b.part ? a.part < b.part : a.note.sounding > b.note.sounding;
    });
    for (const SheetNote &sheetNote : notes) {
        const PartNote &note = sheetNote.note;
        const int pc = pitchClass(note.sounding);
        const int alter =
            note.concertAlter
                ? *note.concertAlter
                : harmony::letterOf(step.chord
                                        ? harmony::spellInChord(pc, table, *step.chord, step.key)
                                        : harmony::spellInKey(pc, step.key))
                      .alter;
        SheetLine line{sheetNote.part, pitchName(note.written, note.alter),
                       pitchName(note.sounding, alter), std::nullopt};
        if (block.harmony == Harmony::Chord)
            line.tone =
                chordTone(note.sounding, step.chord->root, table.row(step.chord->chord), seventh);
        block.lines.push_back(std::move(line));
    }
    return block;
}

std::vector<std::string> sheetFields(const SheetStep &step, const SheetPart &part,
                                     const SheetLine &line, Harmony harmony,
                                     const GuideWords &words)
{
    auto [degree, cents] = adviceCells(line.tone, harmony, part.fixed, words, false);
    return {step.measure,      step.beat,       step.chord ? step.symbol : "N.C.",
            part.name,         line.written,    line.concert,
            std::move(degree), std::move(cents)};
}

std::string spreadsheetText(std::string text)
{
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        text.insert(0, 1, '\'');
    return text;
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

std::string sheetCsvLine(std::vector<std::string> fields)
{
    for (const size_t i : {kMeasureField, kPartField}) {
        if (i < fields.size())
            fields[i] = spreadsheetText(std::move(fields[i]));
    }
    return csvLine(fields);
}

} // namespace chordvane::tuning
