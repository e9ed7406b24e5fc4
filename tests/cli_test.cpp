#include "clirun.h"
#include "findcommand.h"
#include "testsupport.h"
#include "textdecode.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace chordvane;
using namespace chordvane::cli;
using chordvane::test::Outcome;
using chordvane::test::readFile;
using chordvane::test::run;

TEST(ParseNoteToken, AcceptsLettersWithAccidentalsAndNoteNumbers)
{
    // clang-format off
    const std::pair<const char *, int> notes[] = {
        {"C", 1}, {"c", 1}, {"C#", 2}, {"Db", 2}, {"d♭", 2}, {"F♯", 7}, {"Fb", 5}, {"E#", 6},
        {"Cb", 12}, {"H", 12}, {"h", 12}, {"B", 12}, {"bb", 11}, {"Bbb", 10}, {"C##", 3},
        {"13", 13}, {"-2", -2}, {"+5", 5}, {"0", 0}, {"32767", 32767}, {"-32768", -32768},
        {"007", 7},
    };
    // clang-format on
    for (const auto &[token, note] : notes) {
        SCOPED_TRACE(token);
        EXPECT_EQ(parseNoteToken(token), note);
    }
    for (const char *token : {"99", "099", "32768", "-32769", "", "I", "CB", "C#x", "1.5", "-", "#",
                              "C ", "1e3", "\xE2\x99", "C\xE2\x99"}) {
        SCOPED_TRACE(token);
        EXPECT_EQ(parseNoteToken(token), std::nullopt);
    }
    // A run of accidentals long enough to pass the empty marker stays a note.
    EXPECT_EQ(parseNoteToken("C" + std::string(98, '#')), 3);
}

TEST(ParseBatchLine, SkipsCommentsAndBlanksAndRejectsBadLines)
{
    using Kind = BatchLine::Kind;
    struct Case {
        const char *line;
        Kind kind;
        std::vector<int> notes;
    };
    const Case cases[] = {
        {"", Kind::Skip, {}},
        {"  \t ", Kind::Skip, {}},
        {"# C E G", Kind::Skip, {}},
        {"C E G", Kind::Query, {1, 5, 8}},
        {"\tC  E\tG \r", Kind::Query, {1, 5, 8}},
        {"C E X", Kind::Bad, {}},
        {"1 2 3 4 5 6 7 8 9 10 11 12", Kind::Query, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13", Kind::Bad, {}},
        {"C #", Kind::Bad, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const BatchLine parsed = parseBatchLine(c.line);
        EXPECT_EQ(parsed.kind, c.kind);
        if (c.kind == Kind::Query) {
            EXPECT_EQ(parsed.notes, c.notes);
        }
        if (c.kind == Kind::Bad) {
            EXPECT_FALSE(parsed.error.empty());
        }
    }
}

TEST(RunFind, ResultsAndExitStatus)
{
    test::TempDir dir;
    const std::string list = dir.write("list.txt", test::kExampleList);
    const std::string list6 =
        dir.write("list6.txt", std::string(test::kExampleList) + "6:1,5,8,10\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char *out;
    };
    const std::vector<Case> cases = {
        {{"--list", list, "C", "E", "G"}, 0, "C\t100\nC7\t75\nEm on C\t67\n"},
        {{"--list=" + list, "--rate", "100", "13", "17", "20"}, 0, "C\t100\n"},
        {{"--list", list, "--rate=100", "E", "G", "C"}, 0, "C on E\t100\n"},
        {{"--list", list, "--rate", "100", "--just", "C", "E", "G"},
         0,
         "C\t100\n  C ： 0\n  E ： -13.7\n  G ： +2\n"},
        {{"--list", list, "C"}, 1, ""},
        {{"--list", list, "C", "C#", "D"}, 1, ""},
        {{"--list", list, "--rate=100", "-1", "3", "6", "9"}, 0, "A♯/B♭7\t100\n"},
        {{"--list", list, "-2", "10", "13"}, 0, "Am\t67\n"},
        // Ranked: Am7 over C moves before A7 over C, after C6 on the bass; the format stays.
        {{"--list", list6, "--rate", "50", "C", "E", "G", "A"},
         0,
         "C6\t100\nA7 on C\t75\nAm7 on C\t100\n"},
        {{"--list", list6, "--rate", "50", "--rank", "--just", "C", "E", "G", "A"},
         0,
         "C6\t100\n  C ： 0\n  E ： -13.7\n  G ： +2\n  A ： -15.6\n"
         "Am7 on C\t100\n  A ： 0\n  C ： +15.6\n  E ： +2\n  G ： +17.9\n"
         "A7 on C\t75\n  A ： 0\n  C♯/D♭ ： -13.7\n  E ： +2\n  G ： +17.9\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.err, "");
    }
}

TEST(RunQuickFind, HandsEveryScoreOrSoundCommandUntouchedToItsProgram)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string companion; // when handed over
    };
    const Case cases[] = {
        {{"--score", "s.musicxml"}, kHandOver, kScoresProgram},
        {{"--score", "s.musicxml", "--chart"}, kHandOver, kScoresProgram},
        {{"--score", "s.musicxml", "--annotate", "a.musicxml"}, kHandOver, kScoresProgram},
        {{"--tuning", "--score", "s.musicxml"}, kHandOver, kScoresProgram},
        {{"--wav", "c.wav", "--sound", "organ", "C", "E"}, kHandOver, kSoundProgram},
        {{"C", "E", "G"}, kExitFound, ""},
        {{"--batch"}, kExitFound, ""},
        {{"--version"}, kExitFound, ""},
        {{"--chart"}, kExitError, ""},
        {{"--wav", "c.wav", "--batch"}, kExitError, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        std::istringstream in("C E G\n");
        std::ostringstream out, err;
        std::string companion;
        EXPECT_EQ(runQuickFind(c.args, in, out, err, CHORDVANE_DATA_DIR, companion), c.status);
        EXPECT_EQ(companion, c.companion);
        // Handed over with nothing written; else answered here.
        EXPECT_EQ((out.str() + err.str()).empty(), c.status == kHandOver);
    }
}

TEST(RunFind, DefaultListsLiveInTheDataFolder)
{
    const Outcome full = run({"C", "E", "G", "B♭", "D"});
    EXPECT_EQ(full.status, 0);
    EXPECT_NE(full.out.find("C9\t100\n"), std::string::npos) << full.out;
    const Outcome basic = run({"--no-jazz", "C", "E", "G", "B♭", "D"});
    EXPECT_EQ(basic.out.find("C9"), std::string::npos) << basic.out;
    EXPECT_NE(basic.out.find("Em7(♭5) on C\t100\n"), std::string::npos) << basic.out;
    EXPECT_EQ(run({"--no-jazz", "C", "E", "G", "B♭"}).out.substr(0, 7), "C7\t100\n");
}

TEST(RunFind, UsageErrorsSayWhatIsWrongAndQuoteInputSafely)
{
    const std::string data = CHORDVANE_DATA_DIR;
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{}, "no bass note"},
        {{"--rate", "0", "C"}, "--rate takes"},
        {{"--rate", "101", "C"}, "--rate takes"},
        {{"--rate", "6x", "C"}, "not \"6x\""},
        {{"--rate"}, "--rate needs a value"},
        {{"--list"}, "--list needs a value"},
        {{"--frobnicate", "C"}, "unknown option \"--frobnicate\""},
        {{"--just=1", "C"}, "--just takes no value"},
        {{"--list", data + "/CodeList.txt", "--no-jazz", "C", "E"}, "cannot be used together"},
        {{"C", "X"}, "bad note \"X\""},
        {{"99"}, "bad note \"99\""},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}, "at most 11"},
        {{"--batch", "C"}, "standard input"},
        {{"--score", "x.musicxml", "C"}, "--score takes no notes, --batch or --just"},
        {{"--score", "x.musicxml", "--just"}, "--score takes no notes, --batch or --just"},
        {{"--score"}, "--score needs a value"},
        {{"--sound", "organ", "C", "E"}, "not without --wav"},
        {{"--soundfont=x.sf2", "C", "E"}, "not without --wav"},
        {{"--wav", "/nonexistent/a.wav", "--wav=/nonexistent/b.wav", "C", "E"},
         "--wav given twice"},
        {{"--list", "/nonexistent/CodeList.txt", "C", "E"}, "\"/nonexistent/CodeList.txt\""},
        {{"--list", "/", "C", "E"}, "cannot read the chord list"},
        // Input comes back at most 40 characters long, controls and stray bytes escaped.
        {{"C", "\x1b[31mE"}, "bad note \"\\x1b[31mE\""},
        {{"C", "E\xff\xc2\x9b"}, "bad note \"E\\xff\\xc2\\x9b\""},
        {{"C", std::string(100000, 'Q')}, "bad note \"" + std::string(40, 'Q') + "…\""},
        {{"C", std::string(39, 'Q') + "♯♯"}, "\"" + std::string(39, 'Q') + "♯…\""},
        {{"--list", "/no\nwhere\\x", "C", "E"}, "\"/no\\x0awhere\\\\x\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("chordvane-find: ", 0), 0u);
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_LT(o.err.size(), 1000u);
        EXPECT_EQ(o.err.find('\x1b'), std::string::npos);
    }
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--rank"), std::string::npos);
}

TEST(RunFind, ChordListsThatGiveNoTableAreReportedNotSearched)
{
    test::TempDir dir;
    const std::string big = dir.write("big.txt", "");
    std::filesystem::resize_file(big, kMaxChordListBytes + 1);
    struct Case {
        std::string path;
        const char *says;
    };
    const Case cases[] = {
        {dir.write("empty.txt", ""), "no line holds a chord"},
        {dir.write("utf16.txt", std::string("m\0:\0\x31\0,\0\x34\0", 10)), "not text"},
        {big, "larger than 64 MiB"},
        {dir.path() + "/absent.txt", "no such file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        const Outcome o = run({"--list", c.path, "C", "E", "G"});
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        const std::string prefix =
            "chordvane-find: cannot read the chord list " + quoteForMessage(c.path) + ": ";
        EXPECT_EQ(o.err.rfind(prefix + c.says, 0), 0u) << o.err;
    }
    // UTF-16 with its byte-order mark reads as any other list.
    const std::string utf16 = dir.write("mark.txt", std::string("\xFF\xFE:\0\x31\0,\0\x35\0", 10));
    EXPECT_EQ(run({"--list", utf16, "C", "E"}).out, "C\t100\n");
}

TEST(RunFind, BatchPrintsOneBlockPerQueryAndGoesOnAfterBadLines)
{
    test::TempDir dir;
    const std::string list = dir.write("list.txt", test::kExampleList);
    // Lines over 64 KiB are reported; one of exactly 64 KiB is read.
    const auto padded = [](size_t length) {
        return std::string(length - 5, ' ') + "C E G";
    };
    const std::string input =
        "# header\nC E G\n\nC X\nE G C\r\nC\n1 2 3 4 5 6 7 8 9 10 11 12 13\n" +
        std::string(5000, 'Z') + "\x07\n" + padded(64 * 1024 + 1) + "\n" + padded(64 * 1024) +
        "\nD F A\n" + padded(200 * 1024);
    const Outcome o = run({"--list", list, "--rate", "100", "--batch"}, input);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "C\t100\n\n\nC on E\t100\n\n\n\n\n\nC\t100\n\nDm\t100\n\n\n");
    EXPECT_EQ(o.err, "chordvane-find: line 4: bad note \"X\"\n"
                     "chordvane-find: line 7: more than 12 notes\n"
                     "chordvane-find: line 8: bad note \"" +
                         std::string(40, 'Z') +
                         "…\"\n"
                         "chordvane-find: line 9: longer than 64 KiB\n"
                         "chordvane-find: line 12: longer than 64 KiB\n");
    const Outcome ranked = run({"--list", list, "--rank", "--rate", "65", "--batch"}, "E G C\n");
    EXPECT_EQ(ranked.out, "C on E\t100\nC7 on E\t75\nCm on E\t67\n\n");
    const Outcome good = run({"--list", list, "--batch"}, "C E G\nD F A\n");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "C\t100\nC7\t75\nEm on C\t67\n\nDm\t100\nDm7\t75\nF on D\t67\n\n");
}
