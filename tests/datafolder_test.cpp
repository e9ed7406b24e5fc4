// How a program finds its own folder when /proc/self/exe cannot be read.
#include "datafolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace chordvane;

TEST(LocateProgram, NeverTheCurrentFolderUnlessTheCallerNamedIt)
{
    const std::string installed = "/usr/local/bin/chordvane-find";
    struct Case {
        const char *name;
        std::optional<std::string> link;
        std::string argv0;
        std::optional<std::string> path;
        std::string current;
        std::vector<std::string> programs; // the executable files there are
        std::string found;                 // empty when nothing can be established
    };
    const std::vector<std::string> everywhere = {
        "/home/u/chordvane-find", "/home/u/bin/chordvane-find", "/opt/cv/bin/chordvane-find",
        "/usr/bin/chordvane-find", installed};
    // clang-format off
    const Case cases[] = {
        {"/proc tells", "/opt/cv/bin/chordvane-find", "/usr/bin/chordvane-find", "/usr/bin",
         "/home/u", everywhere, "/opt/cv/bin/chordvane-find"},
        {"an absolute argv[0]", {}, "/opt/cv/bin/chordvane-find", "/usr/bin", "/home/u",
         everywhere, "/opt/cv/bin/chordvane-find"},
        {"a relative argv[0] names the current folder", {}, "./chordvane-find", "/usr/bin",
         "/home/u", everywhere, "/home/u/chordvane-find"},
        {"a relative argv[0] below it", {}, "bin/../bin/chordvane-find", "/usr/bin", "/home/u",
         everywhere, "/home/u/bin/chordvane-find"},
        {"a relative argv[0] without a current folder", {}, "./chordvane-find", "/usr/bin", "",
         everywhere, installed},
        {"an argv[0] that is no program", {}, "/tmp/chordvane-find", "/usr/bin", "/home/u",
         everywhere, installed},
        {"empty and dot PATH entries are passed over", {}, "chordvane-find",
         ":.:./:/opt/cv/bin:/usr/bin", "/home/u", everywhere, "/opt/cv/bin/chordvane-find"},
        {"a relative PATH entry is passed over", {}, "chordvane-find", "bin:/usr/bin", "/home/u",
         everywhere, "/usr/bin/chordvane-find"},
        {"the first PATH entry that holds it", {}, "chordvane-find", "/nowhere:/usr/bin/:/opt/cv/bin",
         "/home/u", everywhere, "/usr/bin/chordvane-find"},
        {"a trailing empty entry", {}, "chordvane-find", "/nowhere:", "/home/u", everywhere,
         installed},
        {"PATH unset", {}, "chordvane-find", {}, "/home/u", everywhere, installed},
        {"only the current folder holds it", {}, "chordvane-find", ".", "/home/u",
         {"/home/u/chordvane-find"}, ""},
        {"no name at all", {}, "", "/usr/bin", "/home/u", {"/usr/bin/chordvane-find"}, ""},
        {"not installed either", {}, "chordvane-find", "/usr/bin", "/home/u", {}, ""},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgramClues clues;
        clues.exeLink = c.link;
        clues.exeLinkError = "Permission denied";
        clues.argv0 = c.argv0;
        clues.path = c.path;
        clues.currentFolder = c.current;
        clues.installed = installed;
        const ProgramFile file = locateProgram(clues, [&](const std::string &path) {
            return std::find(c.programs.begin(), c.programs.end(), path) != c.programs.end();
        });
        EXPECT_EQ(file.path, c.found);
        EXPECT_EQ(file.problem.empty(), !c.found.empty()) << file.problem;
    }
}

TEST(LocateProgram, SaysWhatWasTriedWhenNothingTells)
{
    struct Case {
        std::string argv0;
        std::string says;
    };
    const Case cases[] = {
        {"chordvane-find", "no absolute folder on PATH holds \"chordvane-find\""},
        {"./find\x1b[2J", "\"./find\\x1b[2J\" is not the program"},
        {"", "no program name was passed"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        ProgramClues clues;
        clues.exeLinkError = "No such file or directory";
        clues.argv0 = c.argv0;
        clues.path = ".:/usr/bin";
        clues.currentFolder = "/home/u";
        clues.installed = "/usr/local/bin/chordvane-find";
        const ProgramFile file = locateProgram(clues, [](const std::string &) { return false; });
        EXPECT_EQ(file.path, "");
        EXPECT_EQ(file.problem, "cannot tell which folder it runs from: /proc/self/exe cannot be "
                                "read (No such file or directory), " +
                                    c.says + ", and /usr/local/bin/chordvane-find is not there");
    }
}
