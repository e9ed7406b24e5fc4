#include "findcommand.h"
#include "findparts.h"

namespace chordvane::cli {

namespace {

int fullWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
             std::istream &in, std::ostream &out, std::ostream &err)
{
    return (needsSound(options) ? soundWork : scoreWork)(table, options, notes, in, out, err);
}

} // namespace

int runFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
            std::ostream &err, const std::string &dataFolder)
{
    return runCommand(args, in, out, err, dataFolder, fullWork);
}

} // namespace chordvane::cli
