#include "rowchord.h"

#include "resulttext.h"
#include "rowtables.h"
#include "search.h"

#include <QCoreApplication>

namespace chordvane {

namespace {

// The translations' context of the texts below.
struct RowChord {
    Q_DECLARE_TR_FUNCTIONS(chordvane::RowChord)
};

} // namespace

QString rowChordText(const ChordTable &chords, const ChordEngine &engine, bool rankByRate)
{
    return rowChordText(chords, engine.InputNotes, engine.MatchThreshold, rankByRate);
}

QString rowChordText(const ChordTable &chords, const std::array<Note, kInputSlots> &inputs,
                     int threshold, bool rankByRate)
{
    if (inputs[rows::kBassRow] == NO_NOTE)
        return {};
    const auto found = searchInputs(chords, inputs, rows::kBassRow, threshold, rankByRate);
    if (!found || found->empty())
        return RowChord::tr("行のコード なし");
    const int bass = FoldIntoOctave(inputs[rows::kBassRow], 1);
    return RowChord::tr("行のコード %1 (%2%)")
        .arg(QString::fromStdString(resultLine(chords, found->front(), bass)),
             QString::number(found->front().rate));
}

} // namespace chordvane
