#pragma once

#include <functional>
#include <optional>
#include <string>

namespace chordvane {

// The folder that holds the chord lists and the read-me: the program's own
// folder in the build tree, else `installed` relative to it once installed
// (<prefix>/share/chordvane beside <prefix>/bin).
std::string findDataFolder(const std::string &programFolder,
                           const std::string &installed = "../share/chordvane");

// What a running program can learn of the file it was started from.
struct ProgramClues {
    std::optional<std::string> exeLink; // /proc/self/exe's target, none when unreadable
    std::string exeLinkError;           // why it could not be read
    std::string argv0;
    std::optional<std::string> path; // PATH, none when unset
    std::string currentFolder;       // absolute; empty when unknown
    std::string installed;           // where the program is installed, as an absolute file
};

// The running program's file, absolute; or an empty path and, in problem,
// why none can be established. Tried in turn: /proc/self/exe; argv[0] when
// it holds a slash (a path the caller named, made absolute against the
// current folder); else the first absolute PATH entry that holds an
// executable of that name, as the shell searched; else the installed file.
// Empty, "." and other relative PATH entries are skipped: they stand for
// wherever the user happens to stand. isProgram: an executable file is there.
struct ProgramFile {
    std::string path;
    std::string problem;
};
ProgramFile locateProgram(const ProgramClues &clues,
                          const std::function<bool(const std::string &)> &isProgram);

// The folder of the running executable, links resolved, from this process's
// clues; installed: where it is installed. An empty folder and the reason
// in problem when none can be established, never the current folder for
// want of a better one.
struct ProgramFolder {
    std::string folder;
    std::string problem;
};
ProgramFolder runningProgramFolder(const char *argv0, const std::string &installed);

} // namespace chordvane
