#include "resulttext.h"

namespace chordvane {

int ResultRootNote(const ChordEngine &engine, int i)
{
    const int root = engine.ResultRoot[i];
    return root == NO_NOTE ? engine.BassNote : root;
}

std::string ResultLine(const ChordEngine &engine, int i)
{
    const int chord = engine.ResultChords[i];
    std::string line(NoteName(ResultRootNote(engine, i)));
    if (chord >= 0 && chord < kChordSlots)
        line += engine.ChordNames[chord];
    if (engine.ResultRoot[i] != NO_NOTE) {
        line += " on ";
        line += NoteName(engine.BassNote);
    }
    return line;
}

std::string JustTableText(const ChordEngine &engine, int i, std::string_view lineEnd)
{
    const int chord = engine.ResultChords[i];
    if (chord < 0 || chord >= kChordSlots)
        return {};
    const int root = ResultRootNote(engine, i);
    std::string text;
    for (const int v : engine.ChordIntervals[chord]) {
        if (v == NO_NOTE)
            break;
        text += NoteName(root + v - 1);
        text += " ： ";
        text += DeviationText(v);
        text += lineEnd;
    }
    return text;
}

} // namespace chordvane
