#pragma once

#include "harmony.h"

#include <vector>

// Passes over the finished harmonic steps, before they are written out.
namespace chordvane::harmony {

// A chord of six tones or more of which two or more are missing is a
// guess: the notes fit it only in part. Its step has no chord. Neighbours
// that become equal are joined.
void dropIncompleteExtended(const ChordTable &table, std::vector<Step> &steps);

// Names each diminished seventh on the bottom of the stack of minor thirds
// its notes (sorted by start) spell, else on the tone that leads a semitone
// up to the next chord's root, else on the key's leading tone, else on a
// tone that leads up to a degree of the key. A diminished triad whose root
// does not lead up to the next chord's root but another of its seventh's
// tones does becomes that seventh (beside the seventh itself, the seventh's
// name), rated 75 for its three tones of four, when that reaches threshold;
// one still left becomes the dominant seventh a major third below it when
// that root sounds in the step or names the step before (B D F: G7/B).
// Neighbours that become equal are joined.
void nameDiminishedSevenths(const ChordTable &table, const std::vector<PieceNote> &notes,
                            const std::vector<Key> &keys, int threshold, std::vector<Step> &steps);

// Names each augmented triad on the bottom of the stack of major thirds
// its notes spell (C E G♯: C; A♭ C E: A♭), else on the root of the step
// before when that is one of its tones (C, then Caug). Neighbours that become
// equal are joined.
void nameAugmentedTriads(const ChordTable &table, const std::vector<PieceNote> &notes,
                         std::vector<Step> &steps);

// Of two names for the same tones, the one a harmony textbook gives:
// A C E G is Am7 over A or where its A sounds longer than its G, else C6,
// the A an added sixth (over G: C6/G); a minor sixth chord is the
// half-diminished seventh on its sixth (C E♭ G A: Am7(♭5)/C); a minor
// triad with an added fourth but no fifth is the dominant seventh on that
// fourth without its third (D F G: G7/D).
void nameAsTextbooksDo(const ChordTable &table, const std::vector<PieceNote> &notes,
                       std::vector<Step> &steps);

// A step without a third (a sus chord, a bare fifth) before a chord on its
// root with a third is that chord over its own bass, the third delayed: a
// suspension that resolves. It takes that chord's rate.
void resolveSuspensions(const ChordTable &table, std::vector<Step> &steps);

// A triad of which only two tones sound is the other triad that holds them
// and the bass, when that one stands on the root of the step before: E G
// after C is C/E, not Em. The rate stays: two tones of three.
void continueTwoToneTriads(const ChordTable &table, const std::vector<PieceNote> &notes,
                           std::vector<Step> &steps);

// Fills each step's spelled root and bass: the spelling the step's notes
// (sorted by start) give that pitch class most often, else the key's.
void spellSteps(const ChordTable &table, const std::vector<PieceNote> &notes,
                const std::vector<Key> &keys, std::vector<Step> &steps);

} // namespace chordvane::harmony
