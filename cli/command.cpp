#include "findcommand.h"
#include "findparts.h"

#include "datafolder.h"
#include "textdecode.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iostream>

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

int runCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
               std::ostream &err, const std::string &dataFolder, Work work)
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
        // A score brings its own notes.
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
    return work(ChordTable(names, intervals), options, notes, in, out, err);
}

int runQuickFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                 std::ostream &err, const std::string &dataFolder, std::string &companion)
{
    Options options;
    if (parseOptions(args, options).empty() && (needsScores(options) || needsSound(options))) {
        companion = needsScores(options) ? kScoresProgram : kSoundProgram;
        return kHandOver;
    }
    return runCommand(args, in, out, err, dataFolder, queryWork);
}

std::vector<std::string> companionPaths(const std::string &programFolder,
                                        const std::string &companion)
{
    const std::filesystem::path folder(programFolder);
    return {(folder / companion).string(),
            (folder / CHORDVANE_COMPANIONS_FROM_BIN / companion).lexically_normal().string()};
}

std::string ownFolder(const char *argv0, const std::string &program, std::ostream &err)
{
    const std::string installed =
        (program == kFindProgram ? CHORDVANE_INSTALLED_BIN : CHORDVANE_INSTALLED_COMPANIONS) +
        ("/" + program);
    const ProgramFolder own = runningProgramFolder(argv0, installed);
    if (own.folder.empty())
        err << "chordvane-find: " << own.problem << '\n';
    return own.folder;
}

int companionMain(int argc, char **argv, const char *program, Work work)
{
    // Past a file size limit a write comes back short (EFBIG), to be reported
    // like a full disk, instead of killing the process without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::string folder = ownFolder(argc > 0 ? argv[0] : nullptr, program, std::cerr);
    if (folder.empty())
        return kExitError;
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const std::string dataFolder = findDataFolder(folder, CHORDVANE_DATA_FROM_COMPANIONS);
    const int status = runCommand(args, std::cin, std::cout, std::cerr, dataFolder, work);
    std::cout.flush();
    return status;
}

} // namespace chordvane::cli
