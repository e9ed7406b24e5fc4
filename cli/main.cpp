#include "datafolder.h"
#include "findcommand.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

int main(int argc, char **argv)
{
    using namespace chordvane;
    // Past a file size limit a write comes back short (EFBIG), to be reported
    // like a full disk, instead of killing the process without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::string programFolder =
        cli::ownFolder(argc > 0 ? argv[0] : nullptr, cli::kFindProgram, std::cerr);
    if (programFolder.empty())
        return cli::kExitError;
    // A command handed over has arguments, so argv[0] is there to replace.
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    std::string companion;
    const int status = cli::runQuickFind(args, std::cin, std::cout, std::cerr,
                                         findDataFolder(programFolder), companion);
    if (status != cli::kHandOver) {
        std::cout.flush();
        return status;
    }
    // Nothing has been read or written yet: the companion starts afresh,
    // named by its own path so that it finds its own folder.
    std::string tried;
    for (const std::string &path : cli::companionPaths(programFolder, companion)) {
        argv[0] = const_cast<char *>(path.c_str());
        ::execv(path.c_str(), argv);
        tried += (tried.empty() ? "" : "; ") + path + ": " + std::strerror(errno);
    }
    std::cerr << "chordvane-find: " << (companion == cli::kScoresProgram ? "--score" : "--wav")
              << " needs " << companion << ", which cannot be started (" << tried
              << "); install Chordvane again\n";
    return cli::kExitError;
}
