#pragma once

#include "chooser.h"
#include "harmony.h"
#include "meter.h"
#include "search.h"
#include "weighing.h"

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The analyser's working state, shared by the files that read beats, widen
// them and join them into steps; not for use outside the library.
namespace chordvane::harmony {

// What a beat or a wider window says: the chord it names (if any), that
// chord's rate against the window's harmonic classes and bass, and what
// the window holds.
struct Reading {
    std::optional<StepChord> chord;
    int rate = 0;
    unsigned harmonic = 0; // classes that sound as more than figuration, bass included
    bool oneLine = false;  // never more than one pitch class at once: a line alone or in octaves
};

// A beat as the first reading left it, kept until its measure is done.
struct BeatState {
    Beat beat;
    std::vector<size_t> active; // the notes sounding in it
    std::optional<int> bass;    // none in silence
    Reading reading;
    unsigned held = 0;            // classes of notes sounding on from before the beat to its end
    bool oneAttackingLine = true; // the notes struck in the beat belong to one line at most
    // The parts of a long beat that each sound a chord of their own, when they differ.
    std::vector<std::pair<Fraction, Reading>> parts;
};

class Analyser {
public:
    Analyser(const ChordTable &table, const Piece &piece, int threshold);

    std::vector<Step> run();

private:
    std::vector<Heard> hear(const Beat &beat, const std::vector<size_t> &active);
    std::vector<Heard> hearWindow(const Fraction &from, const Fraction &to,
                                  std::span<const BeatState> beats) const;
    int bassOf(const std::vector<Heard> &heard);
    Reading nameStatic(const std::vector<Heard> &heard);
    Reading nameByWeight(const Fraction &from, const std::vector<Heard> &heard, int bass,
                         const ChordChooser &chooser) const;
    Reading nameBeat(const Fraction &from, const std::vector<Heard> &heard, int bass);
    Reading readBeat(BeatState &state);
    void readParts(BeatState &state, const Reading &whole);
    void widen(std::span<BeatState> measure, std::span<const BeatState> preceding,
               std::span<const BeatState> following);
    // The chord of a measure and the one before or after it, when the two
    // share a meter and name one.
    std::optional<Reading> readTwoMeasures(std::span<const BeatState> measure,
                                           std::span<const BeatState> other, bool after) const;
    // That reading as state's beat takes it, when it fits the beat; beside:
    // the chord next to the beat in the other measure.
    std::optional<Reading> fitAcross(const BeatState &state, Reading wide,
                                     const std::optional<StepChord> &beside) const;
    bool named(const Reading &reading) const;
    // A chord's classes and its bass.
    unsigned tonesOf(const StepChord &chord) const
    {
        return rotateClasses(chordTones(m_table.row(chord.chord)), chord.root) | (1u << chord.bass);
    }

    const ChordTable &m_table;
    const int m_threshold;
    const ChordChooser m_chooser;
    const ChordChooser m_plainChooser;  // for windows wider than a beat
    const ChordChooser m_brokenChooser; // for a line alone: triads and sevenths
    std::vector<PieceNote> m_notes;
    std::vector<Fraction> m_moments;
    std::optional<Timeline> m_timeline;
    std::vector<std::optional<Fraction>> m_figuration;
    std::vector<Key> m_keys;
    std::optional<size_t> m_bass;   // the last bass note struck, which may ring on
    std::optional<int> m_bassClass; // the last beat's bass
    std::vector<ChordMatch> m_found;
    std::optional<StepChord> m_held; // the chord named last, until a silence
    unsigned m_heldTones = 0;        // its classes and its bass
    int m_heldRate = 0;              // its rate where it was named
    unsigned m_lastSounding = 0;     // the classes the last beat sounded
};

} // namespace chordvane::harmony
