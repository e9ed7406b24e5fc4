#pragma once

#include <string>

namespace chordvane {

// The folder that holds the chord lists and the read-me: the program's own
// folder in the build tree, else `installed` relative to it once installed
// (<prefix>/share/chordvane beside <prefix>/bin).
std::string findDataFolder(const std::string &programFolder,
                           const std::string &installed = "../share/chordvane");

// The folder of the running executable.
std::string runningProgramFolder();

} // namespace chordvane
