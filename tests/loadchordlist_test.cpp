// Reading the chord list for the window's search: where it is looked for,
// when it is read again, and what a bad file leaves behind.
#include "engine.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

using namespace chordvane;
using chordvane::test::FakeHost;
using chordvane::test::setNotes;
using chordvane::test::TempDir;

TEST(LoadChordList, FindsAsksKeepsTheTableAndSaysHowItWent)
{
    using Status = ChordListStatus;
    TempDir dir;
    const std::string list = dir.write("CodeList.txt", test::kExampleList);
    const std::string listB = dir.write("CodeListB.txt", "m:1,4,8\n");
    const std::string other = dir.write("Other.txt", "x:1,2\n");
    const std::string empty = dir.write("Empty.txt", "no entry\n");
    const std::string missing = dir.path() + "/missing/CodeList.txt";
    struct Case {
        std::string path;   // ChordListPath before the read
        std::string answer; // typed at the prompt
        int prompts;
        const char *firstName; // slot 1's name after the read; "keep" = unchanged
        Status status;
    };
    const Case cases[] = {
        {list, "", 0, "m", Status::Ok},
        {"", "", 0, "m", Status::Ok}, // empty path: the program folder's CodeList.txt
        {empty, "", 0, "", Status::Empty},
        {missing, list, 1, "m", Status::Ok},
        {missing, "", 1, "keep", Status::Cancelled},
        {missing, other, 1, "keep", Status::WrongName},
        {missing, dir.path(), 1, "keep", Status::Missing},
        {missing, dir.path() + "/codelist.txt", 1, "keep", Status::Missing},
        {dir.path() + "/missing/CodeListB.txt", listB, 1, "", Status::Ok},
        {dir.path() + "/missing/CodeListB.txt", list, 1, "keep", Status::WrongName},
        {missing, listB, 1, "keep", Status::WrongName},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path + " <- " + c.answer);
        FakeHost host;
        host.folder = dir.path();
        host.existing = {list, listB, other, empty};
        host.answer = c.answer;
        ChordEngine engine(host);
        engine.ChordNames[1] = "keep";
        engine.ChordIntervals[1][0] = 1;
        engine.ChordListPath = c.path;
        EXPECT_EQ(engine.SearchChords(11), c.status);
        EXPECT_EQ(host.prompts, c.prompts);
        EXPECT_EQ(engine.ChordNames[1], c.firstName);
    }
}

TEST(LoadChordList, ReadsAgainOnlyAnotherListAChangedFileOrEditedTables)
{
    TempDir dir;
    const std::string list = dir.write("CodeList.txt", "a:1,5,8\n");
    const std::string other = dir.write("Other.txt", "b:1,5,8\n");
    struct Case {
        const char *what;
        std::string path;
        const char *text; // written over the file first, when given
        int newerBy;      // seconds added to the file's time after writing
        const char *firstName;
    };
    const Case cases[] = {
        {"same size and time: kept", list, "c:1,5,8\n", 0, "a"},
        {"newer", list, "d:1,5,8\n", 1, "d"},
        {"longer", list, "ee:1,5,8\n", 0, "ee"},
        {"another list", other, nullptr, 0, "b"},
        {"the first again", list, nullptr, 0, "ee"},
    };
    FileSystemHost host(dir.path());
    ChordEngine engine(host);
    engine.ChordListPath = list;
    ASSERT_EQ(engine.LoadChordList(), ChordListStatus::Ok);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.text) {
            const auto modified = std::filesystem::last_write_time(c.path);
            dir.write("CodeList.txt", c.text);
            std::filesystem::last_write_time(c.path, modified + std::chrono::seconds(c.newerBy));
        }
        engine.ChordListPath = c.path;
        EXPECT_EQ(engine.LoadChordList(), ChordListStatus::Ok);
        EXPECT_EQ(engine.ChordNames[0], c.firstName);
    }
    engine.ChordNames[0] = "edited";
    engine.LoadChordList();
    EXPECT_EQ(engine.ChordNames[0], "ee");
}

TEST(LoadChordList, HostileFilesNeverCrashAndUnreadableOnesKeepTheTable)
{
    TempDir dir;
    std::mt19937 random(7);
    std::string noise(200000, '\0');
    for (char &c : noise)
        c = static_cast<char>(random());
    std::string longLine = "x:" + std::string(10 * 1024 * 1024, '7') + "\n" + "y:1,5\n";
    std::string bigNumbers = "x:99999,-99999,1e5,32768\ny:1,32767,70000\n";
    const std::string files[] = {
        dir.write("noise.txt", noise),
        dir.write("long.txt", longLine),
        dir.write("numbers.txt", bigNumbers),
        dir.write("colons.txt", std::string(100000, ':')),
        dir.write("commas.txt", "x:" + std::string(100000, ',')),
    };
    FileSystemHost host(dir.path());
    ChordEngine engine(host);
    for (const std::string &file : files) {
        SCOPED_TRACE(file);
        engine.ChordListPath = file;
        setNotes(engine, 1, {5, 8, 2, 9});
        engine.MatchThreshold = 10;
        engine.SearchChords(11);
        EXPECT_LE(engine.resultCount(), 101);
    }
    engine.ChordListPath = files[1];
    engine.LoadChordList();
    EXPECT_EQ(engine.ChordNames[0], "y"); // the huge number ends its entry
    engine.ChordListPath = dir.path();    // a folder is no chord list
    engine.LoadChordList();
    EXPECT_EQ(engine.ChordNames[0], "y");
}
