#include "findcommand.h"
#include "findparts.h"

#include "textdecode.h"

#include <ostream>

namespace chordvane::cli {

namespace {

std::string_view chordListProblem(ChordListStatus status)
{
    switch (status) {
    case ChordListStatus::Ok:
        break;
    case ChordListStatus::Missing:
    case ChordListStatus::Cancelled:
    case ChordListStatus::WrongName:
        return "no such file";
    case ChordListStatus::Unreadable:
        return "not a file that can be read";
    case ChordListStatus::Empty:
        return "no line holds a chord (name:1,5,8)";
    case ChordListStatus::TooLarge:
        return "larger than 64 MiB";
    case ChordListStatus::NotText:
        return "not text (UTF-16 without a byte-order mark?); save it as UTF-8";
    }
    return {};
}

} // namespace

int runFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
            std::ostream &err, const std::string &dataFolder)
{
    Options options;
    if (const std::string error = parseOptions(args, options); !error.empty())
        return usageError(err, error);
    if (options.help || options.version) {
        options.help ? printHelp(out) : printVersion(out);
        return kExitFound;
    }

    std::vector<int> notes;
    if (options.scoreGiven) {
        // Read below, once the chord list is.
    } else if (options.batch) {
        if (!options.notes.empty())
            return usageError(err, "--batch reads its notes from standard input");
    } else {
        if (options.notes.empty())
            return usageError(err, "no bass note given");
        if (options.notes.size() > static_cast<size_t>(kMaxNotes))
            return usageError(err, "at most 11 notes besides the bass");
        for (const std::string &token : options.notes) {
            const auto note = parseNoteToken(token);
            if (!note)
                return usageError(err, "bad note " + quoteForMessage(token));
            notes.push_back(*note);
        }
    }

    if (!options.listGiven)
        options.listPath = joinPath(dataFolder, options.noJazz ? kPlainListName : kFullListName);
    ChordNameTable names;
    ChordIntervalTable intervals;
    if (const ChordListStatus status = readChordList(options.listPath, names, intervals);
        status != ChordListStatus::Ok) {
        err << "chordvane-find: cannot read the chord list " << quoteForMessage(options.listPath)
            << ": " << chordListProblem(status) << '\n';
        return kExitError;
    }
    const ChordTable table(names, intervals);
    if (options.tuning)
        return tuneScore(table, options, out, err);
    if (options.chart || options.annotateGiven)
        return chartScore(table, options, out, err);
    if (options.scoreGiven)
        return analyseScore(table, options, out, err);
    if (options.batch)
        return runBatch(table, options, in, out, err);
    return runQuery(table, options, notes, out, err);
}

} // namespace chordvane::cli
