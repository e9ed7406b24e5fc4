// chordvane-find as a program: its exit status, where it finds its
// companions and chord lists, and what it says when it cannot.
#include "clirun.h"
#include "findcommand.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace chordvane;
using namespace chordvane::cli;
using chordvane::test::readFile;
using chordvane::test::shell;

TEST(ChordvaneFind, ExecutableReportsThroughItsExitStatus)
{
    struct Case {
        std::string args;
        int status;
    };
    const std::string score = std::string(CHORDVANE_SCORE_DATA) + "/band.musicxml";
    const Case cases[] = {
        {"C E G", 0},
        {"C", 1},
        {"C X", 2},
        {"--version", 0},
        {"--list /nonexistent C E", 2},
        {"--score " + score, 0}, // by way of chordvane-find-scores
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_EQ(shell(std::string(CHORDVANE_FIND) + " " + c.args + " >/dev/null 2>&1 </dev/null"),
                  c.status);
    }
}

TEST(ChordvaneFind, ACompanionThatCannotStartIsReportedWithEachPathsOwnError)
{
    // A copy of chordvane-find in bin/, with the companion beside it (as in
    // the build tree) and where it is installed.
    namespace fs = std::filesystem;
    test::TempDir dir;
    fs::create_directories(dir.path() + "/bin");
    fs::create_directories(dir.path() + "/libexec/chordvane");
    const std::string find = dir.path() + "/bin/chordvane-find";
    fs::copy_file(CHORDVANE_FIND, find);
    const std::string beside = dir.path() + "/bin/" + kScoresProgram;
    const std::string installed = dir.path() + "/libexec/chordvane/" + kScoresProgram;
    enum Fault { Missing, NotExecutable, NotAProgram };
    const auto plant = [](const std::string &path, Fault fault) {
        fs::remove(path);
        if (fault == Missing)
            return;
        std::ofstream(path) << "neither a script nor a program\n";
        fs::permissions(path, fault == NotExecutable ? fs::perms(0644) : fs::perms(0755));
    };
    struct Case {
        Fault beside, installed;
        int besideError, installedError;
    };
    const Case cases[] = {
        {Missing, Missing, ENOENT, ENOENT},
        {NotExecutable, Missing, EACCES, ENOENT},
        {NotAProgram, Missing, ENOEXEC, ENOENT},
        {Missing, NotExecutable, ENOENT, EACCES},
        {NotExecutable, NotAProgram, EACCES, ENOEXEC},
    };
    const std::string err = dir.path() + "/err.txt";
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(std::strerror(c.besideError)) + " | " +
                     std::strerror(c.installedError));
        plant(beside, c.beside);
        plant(installed, c.installed);
        EXPECT_EQ(
            shell(find + " --score " + CHORDVANE_SCORE_DATA + "/band.musicxml >/dev/null 2>" + err),
            2);
        EXPECT_EQ(readFile(err), "chordvane-find: --score needs chordvane-find-scores, which "
                                 "cannot be started (" +
                                     beside + ": " + std::strerror(c.besideError) + "; " +
                                     installed + ": " + std::strerror(c.installedError) +
                                     "); install Chordvane again\n");
    }
}

TEST(ChordvaneFind, WithoutProcItRunsAndReadsNothingFromTheCurrentFolder)
{
    // An empty /proc in a mount namespace of the test's own: /proc/self/exe
    // cannot be read, as in a chroot or a sandbox.
    if (shell("unshare -rm true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "unshare -rm is not permitted here, so /proc cannot be hidden";
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizers read their options and check for leaks through /proc, which "
                    "this test hides; the ordinary build runs it";
#endif
    namespace fs = std::filesystem;
    test::TempDir dir;
    const std::string ran = dir.path() + "/ran";
    for (const char *companion : {kScoresProgram, kSoundProgram}) {
        const std::string path = dir.write(companion, "#!/bin/sh\ntouch " + ran + "\n");
        fs::permissions(path, fs::perms(0755));
    }
    dir.write(kFullListName, "Planted:1,5,8\n");
    dir.write(kPlainListName, "Planted:1,5,8\n");
    const std::string find = CHORDVANE_FIND;
    const std::string bin = fs::path(find).parent_path().string();
    const std::string score = std::string(CHORDVANE_SCORE_DATA) + "/band.musicxml";
    // The programs and lists laid out as installed, where the companion's
    // folder is not chordvane-find's.
    test::TempDir prefix;
    fs::create_directories(prefix.path() + "/bin");
    fs::create_directories(prefix.path() + "/libexec/chordvane");
    fs::create_directories(prefix.path() + "/share/chordvane");
    fs::copy_file(find, prefix.path() + "/bin/chordvane-find");
    fs::copy_file(bin + "/" + kScoresProgram,
                  prefix.path() + "/libexec/chordvane/" + kScoresProgram);
    fs::copy_file(bin + "/" + kFullListName, prefix.path() + "/share/chordvane/" + kFullListName);
    struct Case {
        const char *name;
        std::string command; // run in dir
        int status;
        std::string line; // one it prints
    };
    const bool installed = fs::exists(CHORDVANE_INSTALLED_BIN "/chordvane-find");
    const Case cases[] = {
        {"by its path", find + " C E G", 0, "C\t100\n"},
        {"by PATH, past the current folder", "PATH=:.:" + bin + "; exec chordvane-find C E G", 0,
         "C\t100\n"},
        {"a score by PATH", "PATH=.:" + bin + "; exec chordvane-find --score " + score, 0,
         "1\t1\t48 57 60 64 67\tC6\t100\n"},
        {"a score by its path", find + " --no-jazz --score " + score, 0,
         "1\t1\t48 57 60 64 67\tC6\t100\n"},
        {"a score as installed", prefix.path() + "/bin/chordvane-find --score " + score, 0,
         "1\t1\t48 57 60 64 67\tC6\t100\n"},
        // Its own name, found nowhere but in the current folder.
        {"found nowhere", "PATH=.; exec -a chordvane-find " + find + " C E G", installed ? 0 : 2,
         installed ? "C\t100\n" : ""},
    };
    const std::string out = dir.path() + "/out.txt", err = dir.path() + "/err.txt";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string script = "mount -t tmpfs none /proc && cd " + dir.path() + " && " +
                                   "test ! -e /proc/self/exe && " + c.command;
        EXPECT_EQ(shell("unshare -rm bash -c '" + script + "' >" + out + " 2>" + err), c.status)
            << readFile(err);
        const std::string printed = '\n' + readFile(out);
        EXPECT_NE(printed.find('\n' + c.line), std::string::npos) << printed;
        EXPECT_EQ(printed.find("Planted"), std::string::npos);
        EXPECT_FALSE(fs::exists(ran));
        if (c.status == 2) {
            EXPECT_EQ(readFile(err).rfind("chordvane-find: cannot tell which folder it runs from: "
                                          "/proc/self/exe cannot be read",
                                          0),
                      0u)
                << readFile(err);
        }
    }
}
