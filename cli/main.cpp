#include "datafolder.h"
#include "findcommand.h"

#include <iostream>

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string dataFolder = chordvane::findDataFolder(chordvane::runningProgramFolder());
    const int status = chordvane::cli::runFind(args, std::cin, std::cout, std::cerr, dataFolder);
    std::cout.flush();
    return status;
}
