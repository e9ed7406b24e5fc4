#include "findcommand.h"
#include "findparts.h"

namespace chordvane::cli {

int scoreWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err)
{
    if (options.tuning)
        return tuneScore(table, options, out, err);
    if (options.chart || options.annotateGiven)
        return chartScore(table, options, out, err);
    if (options.scoreGiven)
        return analyseScore(table, options, out, err);
    return queryWork(table, options, notes, in, out, err);
}

} // namespace chordvane::cli
