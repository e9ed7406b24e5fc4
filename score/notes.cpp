#include "reading.h"

namespace chordvane::score {

namespace {

void readTieType(const QString &type, NoteFields &note)
{
    note.tieStart |= type == u"start";
    note.tieStop |= type == u"stop";
}

void readPitch(XmlWalk &walk, NoteFields &note)
{
    note.pitched = true;
    while (walk.nextChild()) {
        if (walk.is(u"step")) {
            note.step = walk.text();
        } else if (walk.is(u"alter")) {
            const QString value = walk.text();
            const auto parsed = parseDecimal(value);
            if (!parsed || *parsed < Fraction(-24) || *parsed > Fraction(24))
                walk.fail(ReadError::BadNumber, QStringLiteral("alter"), value);
            else
                note.alter = *parsed;
        } else if (walk.is(u"octave")) {
            note.octave = walk.integer("octave", 0, 9);
        } else {
            walk.skip();
        }
    }
}

void readNotations(XmlWalk &walk, NoteFields &note)
{
    while (walk.nextChild()) {
        if (walk.is(u"tied"))
            readTieType(walk.attribute("type"), note);
        walk.skip();
    }
}

} // namespace

NoteFields readNote(XmlWalk &walk)
{
    NoteFields note;
    while (walk.nextChild()) {
        if (walk.is(u"grace")) {
            note.grace = true;
            walk.skip();
        } else if (walk.is(u"cue") || walk.is(u"rest") || walk.is(u"unpitched")) {
            note.sounds = false;
            walk.skip();
        } else if (walk.is(u"chord")) {
            note.chord = true;
            walk.skip();
        } else if (walk.is(u"pitch")) {
            readPitch(walk, note);
        } else if (walk.is(u"duration")) {
            note.duration = walk.decimal("duration", true);
        } else if (walk.is(u"tie")) {
            readTieType(walk.attribute("type"), note);
            walk.skip();
        } else if (walk.is(u"notations")) {
            readNotations(walk, note);
        } else if (walk.is(u"voice")) {
            note.voice = walk.text().toInt();
        } else if (walk.is(u"staff")) {
            note.staff = std::max(walk.text().toInt(), 1);
        } else if (walk.is(u"instrument")) {
            note.instrument = walk.attribute("id");
            walk.skip();
        } else {
            walk.skip();
        }
    }
    return note;
}

std::optional<WrittenPitch> writtenPitch(XmlWalk &walk, const NoteFields &note)
{
    // By letter, A to G.
    static constexpr int kStepSemitones[] = {9, 11, 0, 2, 4, 5, 7};
    static constexpr int kStepIndex[] = {5, 6, 0, 1, 2, 3, 4};
    if (note.step.size() != 1 || note.step[0] < u'A' || note.step[0] > u'G' || !note.octave) {
        walk.fail(ReadError::BadPitch, {}, note.step);
        return std::nullopt;
    }
    const int letter = note.step[0].unicode() - u'A';
    // Quarter tones round to the nearest semitone, halves upward.
    const Fraction twice = note.alter * Fraction(2) + Fraction(1);
    const auto semitones = static_cast<int>(
        twice.numerator() >= 0
            ? twice.numerator() / (2 * twice.denominator())
            : -((-twice.numerator() + 2 * twice.denominator() - 1) / (2 * twice.denominator())));
    return WrittenPitch{12 * (*note.octave + 1) + kStepSemitones[letter] + semitones,
                        {kStepIndex[letter], semitones}};
}

} // namespace chordvane::score
