#include "piececheck.h"

#include <string>

namespace chordvane::harmony {

namespace {

template <typename T, typename Test>
PieceProblem firstWhere(const std::vector<T> &entries, PieceError error, Test broken)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (broken(entries[i], i))
            return {error, i};
    }
    return {};
}

} // namespace

PieceProblem checkPiece(const Piece &piece)
{
    const Fraction first = piece.measureStarts.empty() ? Fraction(0) : piece.measureStarts.front();
    const PieceProblem problems[] = {
        firstWhere(piece.notes, PieceError::NoteEndsBeforeStart,
                   [](const PieceNote &n, size_t) { return n.end < n.start; }),
        firstWhere(piece.notes, PieceError::PitchOutOfRange,
                   [](const PieceNote &n, size_t) { return n.pitch < 0 || n.pitch > 127; }),
        firstWhere(piece.notes, PieceError::NoteBeforeFirstMeasure,
                   [&](const PieceNote &n, size_t) { return n.start < first; }),
        firstWhere(piece.measureStarts, PieceError::MeasuresOutOfOrder,
                   [&](const Fraction &start, size_t i) {
                       // Equal starts are a measure without length (an empty pickup).
                       return i > 0 && start < piece.measureStarts[i - 1];
                   }),
        firstWhere(piece.meters, PieceError::BadMeter,
                   [](const Meter &m, size_t) {
                       return m.beats < 1 || m.beatType < 1 || m.beatType > 64 ||
                              (m.beatType & (m.beatType - 1)) != 0;
                   }),
        firstWhere(piece.keys, PieceError::BadKey,
                   [](const Key &k, size_t) { return k.fifths < -7 || k.fifths > 7; }),
    };
    for (const PieceProblem &p : problems) {
        if (p.error != PieceError::None)
            return p;
    }
    return {};
}

std::string englishMessage(const Analysis &analysis)
{
    const std::string n = std::to_string(analysis.where + 1); // counted from 1 for people
    switch (analysis.error) {
    case PieceError::None:
        return {};
    case PieceError::NoteEndsBeforeStart:
        return "note " + n + " ends before it starts";
    case PieceError::PitchOutOfRange:
        return "note " + n + " has a pitch outside MIDI 0..127";
    case PieceError::NoteBeforeFirstMeasure:
        return "note " + n + " starts before the first measure";
    case PieceError::MeasuresOutOfOrder:
        return "measure " + n + " starts before the one before it";
    case PieceError::BadMeter:
        return "time signature " + n + " is not a meter that can be counted";
    case PieceError::BadKey:
        return "key " + n + " has more than seven sharps or flats";
    case PieceError::TimeTooFine:
        return "the durations are too fine to count exactly";
    }
    return {};
}

} // namespace chordvane::harmony
