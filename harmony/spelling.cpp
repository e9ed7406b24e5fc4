#include "spelling.h"

#include "chooser.h"

#include <algorithm>

namespace chordvane::harmony {

namespace {

int floorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

int modulo(int a, int b)
{
    return a - b * floorDiv(a, b);
}

int accidentals(int fifths)
{
    return floorDiv(fifths + 1, 7);
}

// The other spelling of the same class when this one needs more than a double accidental.
int withinDoubles(int fifths)
{
    if (accidentals(fifths) > 2)
        return fifths - 12;
    if (accidentals(fifths) < -2)
        return fifths + 12;
    return fifths;
}

bool inSignature(int fifths, const Key &key)
{
    return fifths >= key.fifths - 1 && fifths <= key.fifths + 5;
}

// Where a chord tone i semitones above the root lies from the root on the
// line of fifths: a major second (ninth) is +2, a minor third -3, a major third +4,
// 6 semitones the ♭5 and 8 the ♯5, unless the row's other tones call for ♯9
// beside a major third, ♯11 and ♭13 beside a perfect fifth, or a diminished
// seventh in a diminished seventh chord.
int toneFifths(int semitones, unsigned row)
{
    static constexpr int kPlain[12] = {0, -5, 2, -3, 4, -1, -6, 1, 8, 3, -2, 5};
    const auto has = [row](int s) {
        return (row & (1u << s)) != 0;
    };
    if (semitones == 3 && has(4))
        return 9;
    if ((semitones == 6 || semitones == 8) && has(7))
        return semitones == 6 ? 6 : -4;
    if (semitones == 9 && has(6) && !has(7) && !has(10) && !has(11))
        return -9;
    return kPlain[semitones];
}

} // namespace

std::string noteName(int fifths)
{
    static constexpr const char *kLetters = "FCGDAEB";
    std::string name(1, kLetters[modulo(fifths + 1, 7)]);
    int count = accidentals(fifths);
    for (; count >= 2; count -= 2)
        name += "𝄪";
    for (; count <= -2; count += 2)
        name += "𝄫";
    if (count == 1)
        name += "♯";
    else if (count == -1)
        name += "♭";
    return name;
}

int spellInKey(int pc, const Key &key)
{
    const int lowest = key.fifths + (key.minor ? 3 : 0) - 5;
    // 7 x 7 = 49: seven fifths up is one semitone, so pc x 7 is pc's place mod 12.
    return lowest + pitchClass(7 * pc - lowest);
}

Letter letterOf(int fifths)
{
    static constexpr int kSteps[7] = {3, 0, 4, 1, 5, 2, 6}; // F C G D A E B
    return {kSteps[modulo(fifths + 1, 7)], accidentals(fifths)};
}

Key keyAt(const std::vector<Key> &keys, const Fraction &t)
{
    // A piece may list its keys in any order: a search, not a bisection.
    const Key *found = nullptr;
    for (const Key &key : keys) {
        if (!(t < key.at) && (!found || !(key.at < found->at)))
            found = &key;
    }
    return found ? *found : Key{};
}

SymbolNotes symbolNotes(const ChordTable &table, const StepChord &chord, const Key &key)
{
    const unsigned row = chordTones(table.row(chord.chord));
    SymbolNotes notes{spellInKey(chord.root, key), std::nullopt};
    const bool diminished = (row & (1u << 3)) && (row & (1u << 6)) && !(row & (1u << 7));
    if (diminished && !inSignature(notes.root, key)) {
        const int above = spellInKey((chord.root + 1) % 12, key);
        if (inSignature(above, key))
            notes.root = withinDoubles(above + 5);
    }
    if (chord.bass != chord.root) {
        const int semitones = pitchClass(chord.bass - chord.root);
        int bass = spellInKey(chord.bass, key);
        if (!inSignature(bass, key) && (row & (1u << semitones)))
            bass = withinDoubles(notes.root + toneFifths(semitones, row));
        notes.bass = bass;
    }
    return notes;
}

int spellInChord(int pc, const ChordTable &table, const StepChord &chord, const Key &key)
{
    const int inKey = spellInKey(pc, key);
    const unsigned row = chordTones(table.row(chord.chord));
    const int semitones = pitchClass(pc - chord.root);
    if (inSignature(inKey, key) || !(row & (1u << semitones)))
        return inKey;
    return withinDoubles(symbolNotes(table, chord, key).root + toneFifths(semitones, row));
}

std::string chordSymbol(const ChordTable &table, const StepChord &chord, const Key &key)
{
    return chordSymbol(table, chord, symbolNotes(table, chord, key));
}

std::string chordSymbol(const ChordTable &table, const StepChord &chord, const SymbolNotes &notes)
{
    std::string symbol = noteName(notes.root) + table.name(chord.chord);
    if (notes.bass)
        symbol += "/" + noteName(*notes.bass);
    return symbol;
}

} // namespace chordvane::harmony
