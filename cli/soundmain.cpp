#include "findcommand.h"
#include "findparts.h"

// chordvane-find hands it the commands that make a sound.
int main(int argc, char **argv)
{
    return chordvane::cli::companionMain(argc, argv, chordvane::cli::kSoundProgram,
                                         chordvane::cli::soundWork);
}
