#include "datafolder.h"
#include "findcommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

int main(int argc, char **argv)
{
    using namespace chordvane;
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string programFolder = runningProgramFolder();
    std::string companion;
    const int status = cli::runQuickFind(args, std::cin, std::cout, std::cerr,
                                         findDataFolder(programFolder), companion);
    if (status != cli::kHandOver) {
        std::cout.flush();
        return status;
    }
    // Nothing has been read or written yet: the companion starts afresh.
    const std::vector<std::string> paths = cli::companionPaths(programFolder, companion);
    for (const std::string &path : paths)
        ::execv(path.c_str(), argv);
    std::cerr << "chordvane-find: " << (companion == cli::kScoresProgram ? "--score" : "--wav")
              << " needs " << paths.back() << ", which cannot be started (" << std::strerror(errno)
              << "); install Chordvane again\n";
    return cli::kExitError;
}
