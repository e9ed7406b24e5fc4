#include "resulttext.h"

namespace chordvane {

namespace {

void appendLine(std::string &out, int root, std::string_view chordName, int bass, bool overBass)
{
    out += NoteName(root);
    out += chordName;
    if (overBass) {
        out += " on ";
        out += NoteName(bass);
    }
}

} // namespace

void appendResultLine(std::string &out, const ChordTable &table, const ChordMatch &match, int bass)
{
    const bool overBass = match.root != NO_NOTE;
    appendLine(out, overBass ? match.root : bass, table.name(match.chord), bass, overBass);
}

std::string resultLine(const ChordTable &table, const ChordMatch &match, int bass)
{
    std::string line;
    appendResultLine(line, table, match, bass);
    return line;
}

std::string justTableText(const ChordRow &row, int root, std::string_view lineEnd)
{
    std::string text;
    for (const int v : row) {
        if (v == NO_NOTE)
            break;
        text += NoteName(root + v - 1);
        text += " ： ";
        text += deviationText(v);
        text += lineEnd;
    }
    return text;
}

int resultRootNote(const ChordEngine &engine, int i)
{
    const int root = engine.ResultRoot[i];
    return root == NO_NOTE ? engine.BassNote : root;
}

std::string resultLine(const ChordEngine &engine, int i)
{
    const int chord = engine.ResultChords[i];
    const bool known = chord >= 0 && chord < kChordSlots;
    std::string line;
    appendLine(line, resultRootNote(engine, i), known ? engine.ChordNames[chord] : std::string(),
               engine.BassNote, engine.ResultRoot[i] != NO_NOTE);
    return line;
}

std::string justTableText(const ChordEngine &engine, int i, std::string_view lineEnd)
{
    const int chord = engine.ResultChords[i];
    if (chord < 0 || chord >= kChordSlots)
        return {};
    return justTableText(engine.ChordIntervals[chord], resultRootNote(engine, i), lineEnd);
}

} // namespace chordvane
