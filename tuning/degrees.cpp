#include "degrees.h"

#include "chordclass.h"

#include "chooser.h"
#include "notes.h"

namespace chordvane::tuning {

namespace {

// C D E F G A B as steps of the pitch classes that are natural notes, -1 for the others.
constexpr int kLetterOf[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};

} // namespace

std::string degreeName(int interval, const ChordRow &row)
{
    return degreeText(chordDegree(chordTones(row), pitchClass(interval - 1)));
}

std::optional<ChordTone> chordTone(int pitch, int root, const ChordRow &row, JustSeventh seventh)
{
    const int semitones = pitchClass(pitch - root);
    if ((chordTones(row)) & (1u << semitones))
        return ChordTone{degreeName(semitones + 1, row), deviationText(semitones + 1, seventh)};
    return std::nullopt;
}

std::string withArrow(std::string_view cents)
{
    std::string text(cents);
    if (cents.starts_with('+'))
        text += " ↑";
    else if (cents.starts_with('-'))
        text += " ↓";
    return text;
}

std::string pitchName(int pitch, int alter)
{
    static constexpr const char *kLetters = "CDEFGAB";
    if (alter < -2 || alter > 2 || kLetterOf[pitchClass(pitch - alter)] < 0)
        alter = kLetterOf[pitchClass(pitch)] < 0 ? 1 : 0;
    const int natural = pitch - alter;
    std::string name(1, kLetters[kLetterOf[pitchClass(natural)]]);
    static constexpr const char *kAccidentals[5] = {"𝄫", "♭", "", "♯", "𝄪"};
    name += kAccidentals[alter + 2];
    // Octaves change at C: C♭4 is B3's key, B♯3 middle C's.
    name += std::to_string((natural - pitchClass(natural)) / 12 - 1);
    return name;
}

} // namespace chordvane::tuning
