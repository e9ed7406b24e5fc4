#include "scorerows.h"

#include "fixedpitch.h"
#include "harmonypiece.h"
#include "partnames.h"
#include "spelling.h"
#include "staffmodel.h"

#include <algorithm>
#include <vector>

namespace chordvane {

namespace {

constexpr int kMiddleC = 60;
constexpr int kNoClass = -1;

// Concert notes read best on the clef of their register.
int clefFor(int midi)
{
    return midi < kMiddleC ? staff::kBass : staff::kTreble;
}

// How the part spells a note shown at concert pitch: as written when the
// part does not transpose, else a black key as a flat when the part wrote
// it with one, as a sharp otherwise.
int concertAlter(int sounding, int transposition, int writtenAlter)
{
    if (pitchClass(transposition) == 0)
        return writtenAlter;
    if (staff::isNaturalNote(pitchClass(sounding) + 1))
        return 0;
    return writtenAlter < 0 ? -1 : 1;
}

// How the part spells its note i at concert pitch (line of fifths).
std::optional<int> partSpelling(const score::PartMoment &part, size_t i)
{
    if (i >= part.spelling.size() || i >= part.written.size())
        return std::nullopt;
    score::PartNote note;
    note.written = part.written[i];
    note.sounding = part.sounding[i];
    note.spelling = part.spelling[i];
    return score::concertSpelling(note);
}

// A note at concert pitch on a staff of this clef, spelled as the part
// spells it there where it says, else as concertAlter guesses.
WrittenNote concertNote(const score::PartMoment &part, size_t i, int scoreType)
{
    const int midi = part.sounding[i];
    const std::optional<int> spelling = partSpelling(part, i);
    const int writtenAlter = i < part.spelling.size() ? part.spelling[i].alter : 0;
    WrittenNote note = spelledNote(midi,
                                   spelling ? harmony::letterOf(*spelling).alter
                                            : concertAlter(midi, part.transposition, writtenAlter),
                                   scoreType);
    note.concertSpelling = spelling;
    return note;
}

// The lowest key an instrument of a General MIDI program (0-based) usually
// plays; none without a program. Of parts on one bass note, the one lowest
// in its own range is the bass: the cello rather than the viola.
std::optional<int> usualLowestKey(int program)
{
    struct Range {
        int lastProgram;
        int lowestKey;
    };
    // By program, each entry up to its last program: pianos, mallets
    // (celesta ... dulcimer), organs, guitars, basses, the strings one by
    // one, harp, timpani, ensembles and voices, the brass and the reeds one
    // by one, flutes, and the synthesizers and effects.
    static constexpr Range kRanges[] = {
        {7, 21},  {8, 60},  {9, 79},  {10, 60}, {11, 53}, {12, 45},  {13, 65}, {14, 60},
        {15, 48}, {20, 24}, {23, 41}, {31, 40}, {39, 28}, {40, 55},  {41, 48}, {42, 36},
        {45, 28}, {46, 23}, {47, 40}, {51, 28}, {55, 40}, {56, 54},  {57, 40}, {58, 26},
        {59, 54}, {60, 34}, {63, 36}, {64, 56}, {65, 49}, {66, 44},  {67, 36}, {68, 58},
        {69, 52}, {70, 34}, {71, 50}, {72, 74}, {79, 60}, {127, 36},
    };
    if (program < 0 || program > 127)
        return std::nullopt;
    for (const Range &range : kRanges) {
        if (program <= range.lastProgram)
            return range.lowestKey;
    }
    return std::nullopt;
}

// The part the bass row names among those sounding the lowest note: the
// lowest in its usual range, else the lowest in the score.
std::optional<size_t> bassPart(const score::Moment &moment, int lowest)
{
    std::optional<size_t> chosen;
    std::optional<int> chosenRange;
    for (size_t p = moment.parts.size(); p-- > 0;) {
        const score::PartMoment &part = moment.parts[p];
        if (part.sounding.empty() || part.sounding.front() != lowest)
            continue;
        const std::optional<int> range = usualLowestKey(part.program);
        if (!chosen || (range && chosenRange && *range < *chosenRange)) {
            chosen = p;
            chosenRange = range;
        }
    }
    return chosen;
}

// The row's sound: the part's program and the octaves between the staff
// note on its transposition and the note the part really sounds.
sound::Voice partVoice(const score::PartMoment &part, const WrittenNote &note, int tune,
                       int sounding)
{
    sound::Voice voice{std::max(part.program, 0), tune, 0};
    voice.octave =
        sounding - sound::soundingKey(note.value, note.scoreType == staff::kBass, tune, voice);
    return voice;
}

} // namespace

std::optional<int> tuneForTransposition(int transposition)
{
    for (const rows::Entry &tune : rows::kTunes) {
        if (pitchClass(tune.offset - transposition) == 0)
            return tune.offset;
    }
    return std::nullopt;
}

int staffNote(int midi, int scoreType)
{
    // The outermost heads the staff area shows whole, as steps.
    const int highest = staff::stepFromY(staff::clampToStaffArea(-1000.0f));
    const int lowest = staff::stepFromY(staff::clampToStaffArea(1000.0f));
    // The bass clef's bottom line (G2, MIDI 43) reads note 8, as the treble
    // clef's G above middle C does.
    int n = midi - (scoreType == staff::kBass ? kMiddleC - 25 : kMiddleC - 1);
    // A black key is drawn as the natural below it with a sharp.
    const auto step = [scoreType](int note) {
        return staff::NoteToStep(staff::isNaturalNote(note) ? note : note - 1, scoreType);
    };
    while (step(n) < lowest)
        n += 12;
    while (step(n) > highest)
        n -= 12;
    return n;
}

WrittenNote spelledNote(int midi, int alter, int scoreType)
{
    const int natural = midi - alter;
    if (alter < -1 || alter > 1 || !staff::isNaturalNote(pitchClass(natural) + 1))
        alter = staff::isNaturalNote(pitchClass(midi) + 1) ? 0 : 1;
    // The head of the natural decides what is in sight.
    return {staffNote(midi - alter, scoreType) + alter, alter, scoreType};
}

ScoreRows scoreRows(const score::Score &score, const score::Moment &moment)
{
    ScoreRows rows{};
    const score::PartLabels labels = score::partLabels(score, moment);
    std::array<int, rows::kRows> rowClass;
    rowClass.fill(kNoClass);
    std::array<int, 12> rowsShowing{}; // by pitch class
    const auto show = [&](int r, int midi) {
        if (rowClass[r] != kNoClass)
            --rowsShowing[rowClass[r]];
        rowClass[r] = pitchClass(midi);
        ++rowsShowing[rowClass[r]];
    };
    const auto label = [&](size_t p, int tune, const WrittenNote &note, int sounding) {
        const score::PartMoment &part = moment.parts[p];
        return RowPart{labels.names[p], labels.abbreviations[p], tune,
                       partVoice(part, note, tune, sounding),
                       tuning::fixedPitch(part.program, part.name.toStdString())};
    };

    const size_t partRows = std::min<size_t>(moment.parts.size(), rows::kOrdinaryRows);
    for (size_t p = 0; p < partRows; ++p) {
        const score::PartMoment &part = moment.parts[p];
        ScoreRow &row = rows[p];
        const int scoreType = part.clef == QLatin1String("F") ? staff::kBass : staff::kTreble;
        const std::optional<int> tune = tuneForTransposition(part.transposition);
        row.scoreType = scoreType;
        if (part.sounding.empty()) {
            row.part = label(p, tune.value_or(0), WrittenNote{1, 0, scoreType}, kMiddleC);
            continue;
        }
        const int top = part.sounding.back();
        const size_t i = part.sounding.size() - 1;
        if (tune) {
            const int alter = part.spelling.empty() ? 0 : part.spelling.back().alter;
            row.note = spelledNote(part.written.back(), alter, scoreType);
            row.note->concertSpelling = partSpelling(part, i);
        } else {
            row.note = concertNote(part, i, scoreType);
        }
        row.part = label(p, tune.value_or(0), *row.note, top);
        show(static_cast<int>(p), top);
    }

    if (!moment.sounding.empty()) {
        const int lowest = moment.sounding.front();
        ScoreRow &bass = rows[rows::kBassRow];
        if (const std::optional<size_t> p = bassPart(moment, lowest)) {
            bass.note = concertNote(moment.parts[*p], 0, clefFor(lowest));
            bass.part = label(*p, 0, *bass.note, lowest);
        }
        bass.scoreType = clefFor(lowest);
        show(rows::kBassRow, lowest);
    }

    // Rows no part has come first, then the rows of resting parts, then a
    // row whose pitch class another row also shows, from the last part up.
    std::vector<int> free;
    for (int r = static_cast<int>(partRows); r < rows::kOrdinaryRows; ++r)
        free.push_back(r);
    for (int r = 0; r < static_cast<int>(partRows); ++r) {
        if (!rows[r].note)
            free.push_back(r);
    }
    auto nextFree = free.begin();
    const auto rowFor = [&]() -> int {
        if (nextFree != free.end())
            return *nextFree++;
        for (int r = rows::kOrdinaryRows - 1; r >= 0; --r) {
            if (rowClass[r] != kNoClass && rowsShowing[rowClass[r]] > 1)
                return r;
        }
        return -1;
    };
    for (size_t p = 0; p < moment.parts.size(); ++p) {
        const score::PartMoment &part = moment.parts[p];
        for (size_t i = part.sounding.size(); i-- > 0;) {
            const int midi = part.sounding[i];
            if (rowsShowing[pitchClass(midi)] > 0)
                continue;
            const int r = rowFor();
            if (r < 0)
                return rows; // twelve pitch classes shown
            ScoreRow &row = rows[r];
            row.scoreType = clefFor(midi);
            row.note = concertNote(part, i, row.scoreType);
            row.part = label(p, 0, *row.note, midi);
            show(r, midi);
        }
    }
    return rows;
}

} // namespace chordvane
