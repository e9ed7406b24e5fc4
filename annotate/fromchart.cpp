#include "fromchart.h"

#include "spelling.h"

namespace chordvane::annotate {

namespace {

Spelling spelled(int fifths)
{
    const harmony::Letter letter = harmony::letterOf(fifths);
    return {letter.letter, letter.alter};
}

} // namespace

std::vector<ChordSymbol> chordSymbols(const ChordTable &table,
                                      const std::vector<harmony::Step> &steps)
{
    std::vector<ChordSymbol> symbols;
    for (const harmony::Step &step : steps) {
        if (!step.chord)
            continue;
        const int slot = step.chord->chord;
        const harmony::SymbolNotes &notes = step.spelled;
        ChordSymbol symbol{step.start, spelled(notes.root), table.row(slot), table.name(slot),
                           std::nullopt};
        if (notes.bass)
            symbol.bass = spelled(*notes.bass);
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

} // namespace chordvane::annotate
