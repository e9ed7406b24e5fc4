#include "spelling.h"

#include "chooser.h"

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
// line of fifths. Thirds, fifths and sevenths take the reading the row's
// other tones call for: ♯9 beside a major third, ♯11 and ♭13 beside a
// perfect fifth, a diminished seventh in a diminished seventh chord.
int toneFifths(int semitones, unsigned row)
{
    const auto has = [row](int s) {
        return (row & (1u << s)) != 0;
    };
    switch (semitones) {
    case 1:
        return -5;
    case 2:
        return 2;
    case 3:
        return has(4) ? 9 : -3;
    case 4:
        return 4;
    case 5:
        return -1;
    case 6:
        return has(7) ? 6 : -6;
    case 7:
        return 1;
    case 8:
        return has(7) ? -4 : 8;
    case 9:
        return has(6) && !has(7) && !has(10) && !has(11) ? -9 : 3;
    case 10:
        return -2;
    case 11:
        return 5;
    default:
        return 0;
    }
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
    return lowest + modulo(7 * pc - lowest, 12);
}

std::string chordSymbol(const ChordTable &table, const StepChord &chord, const Key &key)
{
    const unsigned row = rowClasses(table.row(chord.chord)) | 1u;
    int root = spellInKey(chord.root, key);
    const bool diminished = (row & (1u << 3)) && (row & (1u << 6)) && !(row & (1u << 7));
    if (diminished && !inSignature(root, key)) {
        const int above = spellInKey((chord.root + 1) % 12, key);
        if (inSignature(above, key))
            root = withinDoubles(above + 5);
    }
    std::string symbol = noteName(root) + table.name(chord.chord);
    if (chord.bass != chord.root) {
        const int semitones = modulo(chord.bass - chord.root, 12);
        int bass = spellInKey(chord.bass, key);
        if (!inSignature(bass, key) && (row & (1u << semitones)))
            bass = withinDoubles(root + toneFifths(semitones, row));
        symbol += "/" + noteName(bass);
    }
    return symbol;
}

} // namespace chordvane::harmony
