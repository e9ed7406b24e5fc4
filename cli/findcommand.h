#pragma once

#include "engine.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chordvane::cli {

inline constexpr int kExitFound = 0;
inline constexpr int kExitNothing = 1;
inline constexpr int kExitError = 2;
inline constexpr int kMaxNotes = 12; // the bass and eleven more

// A note token: a letter A..G or H (either case) with any number of "#", "♯",
// "b", "♭"; or a signed decimal note number other than 99. Letter notes come
// back folded into 1..12. No value for anything else.
std::optional<int> parseNoteToken(std::string_view token);

// One line of a batch file, split at blanks.
struct BatchLine {
    enum class Kind { Skip, Query, Bad };
    Kind kind = Kind::Skip;
    std::vector<int> notes; // bass first
    std::string error;      // why a bad line is bad
};
BatchLine parseBatchLine(std::string_view line);

// The whole command; dataFolder is where the default chord lists live.
int runFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
            std::ostream &err, const std::string &dataFolder);

// Three programs share the command, so that each loads only what it uses.
// chordvane-find answers usage errors, --help, --version, queries and
// --batch with the engine alone; a command with a score option goes on, with
// the same arguments, to chordvane-find-scores (the score reader, Qt), one
// with a sound option to chordvane-find-sound (FluidSynth).
inline constexpr const char *kFindProgram = "chordvane-find";
inline constexpr const char *kScoresProgram = "chordvane-find-scores";
inline constexpr const char *kSoundProgram = "chordvane-find-sound";

// chordvane-find's part: the status of the command run, or kHandOver with
// the program the command needs in `companion`, nothing read or written.
inline constexpr int kHandOver = -1;
int runQuickFind(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                 std::ostream &err, const std::string &dataFolder, std::string &companion);

// Where chordvane-find in programFolder looks for a companion program:
// beside itself in the build tree, then where it is installed.
std::vector<std::string> companionPaths(const std::string &programFolder,
                                        const std::string &companion);

// The folder of the running program, one of the three, started as argv0;
// empty, after saying why on err, when none can be established.
std::string ownFolder(const char *argv0, const std::string &program, std::ostream &err);

} // namespace chordvane::cli
