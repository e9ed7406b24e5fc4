#include "findcommand.h"
#include "findparts.h"

// chordvane-find hands it the commands that read a score.
int main(int argc, char **argv)
{
    return chordvane::cli::companionMain(argc, argv, chordvane::cli::kScoresProgram,
                                         chordvane::cli::scoreWork);
}
