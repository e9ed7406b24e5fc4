#include "transposing.h"

#include "harmonypiece.h"
#include "spelling.h"

#include <array>

namespace chordvane::score {

namespace {

int floorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The other spelling of the same pitch class when this one needs more
// than a double sharp or flat (C♭ is -7, B𝄪 is 19).
int withinDoubles(int fifths)
{
    const int accidentals = floorDiv(fifths + 1, 7);
    if (accidentals > 2)
        return fifths - 12;
    if (accidentals < -2)
        return fifths + 12;
    return fifths;
}

} // namespace

int writtenKeyFifths(int concertFifths, int transposition)
{
    // Concert to written is the way back: the negated transposition.
    return score::concertFifths(concertFifths, -transposition);
}

int writtenFifths(int concertFifths, int keyFifths, int transposition)
{
    // The symbol moves as its key does, so that it keeps its place in the
    // written key (the fourth of the key stays a fourth).
    return movedFifths(concertFifths, writtenKeyFifths(keyFifths, transposition) - keyFifths);
}

int movedFifths(int fifths, int shift)
{
    return withinDoubles(fifths + shift);
}

harmony::SymbolNotes writtenNotes(const harmony::SymbolNotes &notes, int keyFifths,
                                  int transposition)
{
    harmony::SymbolNotes written{writtenFifths(notes.root, keyFifths, transposition), {}};
    if (notes.bass)
        written.bass = writtenFifths(*notes.bass, keyFifths, transposition);
    return written;
}

std::string writtenSymbol(const ChordTable &table, const harmony::Step &step,
                          const std::vector<harmony::Key> &keys, int transposition)
{
    if (!step.chord)
        return {};
    if (transposition % 12 == 0)
        return step.symbol;
    const int key = harmony::keyAt(keys, step.start).fifths;
    return harmony::chordSymbol(table, *step.chord, writtenNotes(step.spelled, key, transposition));
}

std::optional<int> instrumentTransposition(std::string_view name)
{
    struct Instrument {
        std::string_view name;
        int transposition;
    };
    static constexpr std::array<Instrument, 9> kInstruments{{
        {"C", 0},
        {"Bb", -2},
        {"B\u266D", -2},
        {"Eb", -9},
        {"E\u266D", -9},
        {"F", -7},
        {"A", -3},
        {"D", 2},  // sounds a second above its part
        {"G", -5}, // a fourth below
    }};
    for (const Instrument &instrument : kInstruments) {
        if (instrument.name == name)
            return instrument.transposition;
    }
    return std::nullopt;
}

} // namespace chordvane::score
