#include "scorerows.h"

#include "fixedpitch.h"
#include "partnames.h"
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
        const int alter = part.spelling.empty() ? 0 : part.spelling.back().alter;
        row.note = tune ? spelledNote(part.written.back(), alter, scoreType)
                        : spelledNote(top, concertAlter(top, part.transposition, alter), scoreType);
        row.part = label(p, tune.value_or(0), *row.note, top);
        show(static_cast<int>(p), top);
    }

    if (!moment.sounding.empty()) {
        const int lowest = moment.sounding.front();
        ScoreRow &bass = rows[rows::kBassRow];
        for (size_t p = 0; p < moment.parts.size() && bass.part.name.isEmpty(); ++p) {
            const score::PartMoment &part = moment.parts[p];
            if (part.sounding.empty() || part.sounding.front() != lowest)
                continue;
            const int alter = part.spelling.empty() ? 0 : part.spelling.front().alter;
            bass.note = spelledNote(lowest, concertAlter(lowest, part.transposition, alter),
                                    clefFor(lowest));
            bass.part = label(p, 0, *bass.note, lowest);
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
            const int alter = i < part.spelling.size() ? part.spelling[i].alter : 0;
            ScoreRow &row = rows[r];
            row.scoreType = clefFor(midi);
            row.note =
                spelledNote(midi, concertAlter(midi, part.transposition, alter), row.scoreType);
            row.part = label(p, 0, *row.note, midi);
            show(r, midi);
        }
    }
    return rows;
}

} // namespace chordvane
