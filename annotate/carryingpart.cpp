#include "carryingpart.h"

#include "harmonypiece.h"
#include "spelling.h"
#include "transposing.h"

namespace chordvane::annotate {

namespace {

constexpr int kLetterFifths[7] = {0, 2, 4, -1, 1, 3, 5}; // C D E F G A B

int fifthsOf(const Spelling &name)
{
    return kLetterFifths[name.letter] + 7 * name.alter;
}

Spelling spellingOf(int fifths)
{
    const harmony::Letter letter = harmony::letterOf(fifths);
    return {letter.letter, letter.alter};
}

} // namespace

std::optional<size_t> carryingPart(const score::Score &score, const QString &choice)
{
    if (choice.isEmpty()) {
        for (size_t i = 0; i < score.parts.size(); ++i) {
            const auto &settings = score.parts[i].settings;
            const QString clef = settings.empty() ? QString() : settings.front().clef;
            if (clef != u"percussion" && clef != u"TAB")
                return i;
        }
        return std::nullopt;
    }
    for (size_t i = 0; i < score.parts.size(); ++i) {
        if (score.parts[i].id == choice)
            return i;
    }
    bool isNumber = false;
    const qsizetype number = choice.toLongLong(&isNumber);
    if (isNumber && number >= 1 && size_t(number) <= score.parts.size())
        return size_t(number - 1);
    return std::nullopt;
}

ChordSymbol writtenSymbol(const ChordSymbol &symbol, const score::Part &part)
{
    if (part.settings.empty())
        return symbol;
    const score::PartSetting *setting = &score::settingAt(part, symbol.at);
    if (pitchClass(setting->transposition) == 0)
        return symbol;
    // The concert key the part's own signature stands for, so that the
    // symbol keeps its place in the key the part writes.
    const int concertKey =
        setting->keyGiven ? score::concertFifths(setting->fifths, setting->transposition) : 0;
    const int writtenKey =
        setting->keyGiven ? setting->fifths : score::writtenKeyFifths(0, setting->transposition);
    const auto moved = [&](const Spelling &name) {
        return spellingOf(score::movedFifths(fifthsOf(name), writtenKey - concertKey));
    };
    ChordSymbol written = symbol;
    written.root = moved(symbol.root);
    if (symbol.bass)
        written.bass = moved(*symbol.bass);
    return written;
}

} // namespace chordvane::annotate
