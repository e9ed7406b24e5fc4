#include "reading.h"

#include <climits>
#include <numeric>

namespace chordvane::score {

namespace {

// Only staff 1's signature, or one for every staff, rules the part.
bool forOtherStaff(const XmlWalk &walk)
{
    return walk.attribute("number").toInt() > 1;
}

// Enharmonically the same key: eight sharps (G♯) are four flats (A♭).
int foldFifths(int fifths)
{
    if (fifths > 7)
        return fifths - 12 * ((fifths - 7 + 11) / 12);
    if (fifths < -7)
        return fifths + 12 * ((-7 - fifths + 11) / 12);
    return fifths;
}

} // namespace

std::optional<TimeSignature> readTime(XmlWalk &walk)
{
    if (forOtherStaff(walk)) {
        walk.skip();
        return std::nullopt;
    }
    // Each <beats> counts in the <beat-type> after it, so that 3+2/8 is five
    // eighths and 2/4 + 3/8 seven.
    Fraction wholes;
    Fraction pending;
    std::int64_t commonType = 1;
    bool senzaMisura = false;
    while (walk.nextChild()) {
        if (walk.is(u"beats")) {
            const QString value = walk.text();
            for (const QStringView term : QStringView(value).split(u'+')) {
                if (const auto n = parseInteger(term.trimmed(), 1000); n && *n > 0)
                    pending += Fraction(*n);
            }
        } else if (walk.is(u"beat-type")) {
            if (const auto n = parseInteger(walk.text(), 1024); n && *n > 0 && pending > 0) {
                wholes += pending / Fraction(*n);
                if (commonType <= INT_MAX) // else refused below
                    commonType = std::lcm(commonType, std::int64_t{*n});
            }
            pending = Fraction(0);
        } else {
            senzaMisura |= walk.is(u"senza-misura");
            walk.skip();
        }
    }
    if (senzaMisura)
        return TimeSignature{};
    const Fraction beats = wholes * Fraction(commonType);
    if (beats <= Fraction(0) || beats.numerator() > INT_MAX || commonType > INT_MAX)
        return std::nullopt;
    return TimeSignature{static_cast<int>(beats.numerator()), static_cast<int>(commonType)};
}

std::optional<KeySignature> readKey(XmlWalk &walk)
{
    if (forOtherStaff(walk)) {
        walk.skip();
        return std::nullopt;
    }
    std::optional<int> fifths;
    bool minor = false;
    bool nonTraditional = false;
    while (walk.nextChild()) {
        if (walk.is(u"fifths")) {
            fifths = parseInteger(walk.text(), 1000);
        } else if (walk.is(u"mode")) {
            minor = walk.text() == u"minor";
        } else {
            nonTraditional |= walk.is(u"key-step");
            walk.skip();
        }
    }
    // Keys built from steps and alterations name no major or minor key.
    if (nonTraditional)
        return KeySignature{};
    if (!fifths)
        return std::nullopt;
    return KeySignature{foldFifths(*fifths), minor};
}

} // namespace chordvane::score
