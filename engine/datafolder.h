#pragma once

#include <string>

namespace chordvane {

// The folder that holds the chord lists and the read-me: the program's own
// folder in the build tree, <prefix>/share/chordvane after installation.
std::string findDataFolder(const std::string &programFolder);

// The folder of the running executable.
std::string runningProgramFolder();

} // namespace chordvane
