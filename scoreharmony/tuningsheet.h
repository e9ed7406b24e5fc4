#pragma once

#include "harmony.h"
#include "score.h"
#include "sheet.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace chordvane::score {

// The parts as the tuning sheet names them: at each time the names in
// force as the rows show them (partLabelsAt: renamed for a transposition,
// equal names numbered) and whether each is of fixed pitch (by its program
// in force, else its name). Each name is kept once, however many steps
// refer to it.
class SheetParts {
public:
    explicit SheetParts(const Score &score);
    // The index in parts() of each part's name at `at`, in score order.
    const std::vector<std::uint32_t> &at(const Fraction &at);
    const std::vector<tuning::SheetPart> &parts() const { return m_parts; }

private:
    const Score &m_score;
    std::vector<const PartSetting *> m_settings; // in force at the last time asked
    std::vector<std::uint32_t> m_indices;
    std::vector<tuning::SheetPart> m_parts;
    std::unordered_map<std::string, std::uint32_t> m_known; // name and fixedness: index
};

// Each harmonic step of the piece made from score (harmonyPiece) in turn, as
// the tuning sheet takes it: the notes sounding at its first attack, or at
// its start when nothing starts within it, and what parts their indices
// name; the step's measure and beat as the chart writes them, the concert
// key at its start. One step is held at a time.
using SheetVisit =
    std::function<void(const tuning::SheetStep &step, const std::vector<tuning::SheetPart> &parts)>;
void forEachSheetStep(const Score &score, const harmony::Piece &piece,
                      const std::vector<harmony::Step> &steps, const SheetVisit &visit);

// A moment as the tuning panel shows it, within steps[step] (none below 0):
// the moment's measure, beat and notes, the step's chord and symbol, the
// concert key then. parts receives the names the notes refer to.
tuning::SheetStep momentSheet(const Score &score, const harmony::Piece &piece,
                              const std::vector<harmony::Step> &steps, int step,
                              const Moment &moment, std::vector<tuning::SheetPart> &parts);

} // namespace chordvane::score
