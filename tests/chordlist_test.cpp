#include "chordlist.h"
#include "engine.h"
#include "testsupport.h"
#include "textdecode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

using namespace chordvane;

namespace {

struct Slot {
    std::string name;
    std::vector<int> intervals;
};

std::vector<Slot> parse(std::string_view text)
{
    ChordNameTable names;
    ChordIntervalTable intervals;
    parseChordList(text, names, intervals);
    std::vector<Slot> slots;
    for (int s = 0; s < kChordSlots; ++s) {
        // A stored row is its numbers followed by NO_NOTE only.
        Slot slot{names[s], std::vector<int>(intervals[s].begin(), intervals[s].end())};
        while (!slot.intervals.empty() && slot.intervals.back() == NO_NOTE)
            slot.intervals.pop_back();
        if (!slot.name.empty() || !slot.intervals.empty())
            slots.push_back(slot);
    }
    return slots;
}

void expectSlots(std::string_view text, const std::vector<Slot> &expected)
{
    SCOPED_TRACE(testing::Message() << "list: \"" << text << "\"");
    const std::vector<Slot> slots = parse(text);
    ASSERT_EQ(slots.size(), expected.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i].name, expected[i].name) << "slot " << i;
        EXPECT_EQ(slots[i].intervals, expected[i].intervals) << "slot " << i;
    }
}

} // namespace

TEST(ParseChordList, FormatRules)
{
    struct Case {
        const char *text;
        std::vector<Slot> expected;
    };
    const std::vector<Case> cases = {
        {":1,5,8\r\nm:1,4,8\r\n", {{"", {1, 5, 8}}, {"m", {1, 4, 8}}}},
        {"7:1,5,8,11\r\n\r\ndim:1,4,7", {{"7", {1, 5, 8, 11}}, {"dim", {1, 4, 7}}}},
        {"x:1,5,5,8", {{"x", {1, 5}}}},
        // A trailing comma is ignored; nothing after the colon takes no slot.
        {"x:1,5,8,\r\ny:1,4", {{"x", {1, 5, 8}}, {"y", {1, 4}}}},
        {"x:\r\ny:1,4,8", {{"y", {1, 4, 8}}}},
        {"x:,\r\ny:1,4,8", {{"y", {1, 4, 8}}}},
        {"x:1,5,8,,\ny:1", {{"x", {1, 5, 8}}, {"y", {1}}}},
        {"x:,,\n", {{"x", {0}}}},
        {"ten:1,2,3,4,5,6,7,8,9,10", {{"ten", {1, 2, 3, 4, 5, 6, 7, 8}}}},
        // The name keeps blanks and everything before the first colon.
        {" m 7 :1,4:8,11", {{" m 7 ", {1, 4, 11}}}},
        {"a:b:1,5", {{"a", {0, 5}}}},
        // Numbers: blanks ignored, sign, point, reading stops at a stranger.
        {"x: 1 ,1 2, -3,4x5,,7", {{"x", {1, 12, -3, 4, 0, 7}}}},
        // Each field is read once: a fraction as the last number is one tone.
        {"x:1,4.5,5.5", {{"x", {1, 4, 6}}}},
        {"x:1,3,5,7.5", {{"x", {1, 3, 5, 8}}}},
        {"x:1,.5,+8", {{"x", {1, 0, 8}}}},
        {"x:1,1.0,5", {{"x", {1}}}},
        {"x:-,+,.", {{"x", {0}}}},
        // Lines without a colon and blank lines take no slot.
        {"garbage\n   \nm:1,4,8\n", {{"m", {1, 4, 8}}}},
        {"x:1,5,8\r\r\ny:1", {{"x", {1, 5, 8}}, {"y", {1}}}},
        // Too large for a note number: the entry ends there.
        {"x:1,5,99999,8\ny:1", {{"x", {1, 5}}, {"y", {1}}}},
        {"x:99999\ny:1", {{"y", {1}}}},
        {"x:32767,-32768,32767.5", {{"x", {32767, -32768}}}},
        {"x:1,99,8", {{"x", {1, 99, 8}}}},
        {"", {}},
        {"\n\n\r\n", {}},
    };
    for (const Case &c : cases)
        expectSlots(c.text, c.expected);
}

TEST(ParseChordList, KeepsAtMost61Entries)
{
    std::string text;
    for (int i = 0; i < 70; ++i)
        text += "c" + std::to_string(i) + ":1," + std::to_string(2 + i % 11) + "\r\n";
    const auto slots = parse(text);
    ASSERT_EQ(slots.size(), 61u);
    EXPECT_EQ(slots.front().name, "c0");
    EXPECT_EQ(slots.back().name, "c60");
}

TEST(DecodeChordListText, Utf8Cp932AndUtf16)
{
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"m7(\xE2\x99\xAD"
         "5):1,4,7,11",
         "m7(♭5):1,4,7,11"},
        {"\xEF\xBB\xBFm:1,4,8", "m:1,4,8"},
        // CP932: the flat sign and a kanji as Japanese Windows writes them.
        {"7(\x81\xF3"
         "9):1,2",
         "7(♭9):1,2"},
        {"\x82\xA0:1,5", "あ:1,5"},
        {"\xFF"
         "a",
         "\xEF\xBF\xBD"
         "a"},
        // UTF-16 after its byte-order mark, a surrogate pair included; an
        // unpaired surrogate and an odd last byte are undecodable.
        {std::string("\xFF\xFEm\0:\0\x6D\x26\x34\xD8\x1E\xDD", 12), "m:♭𝄞"},
        {std::string("\xFE\xFF\0m\0:\x26\x6D", 8), "m:♭"},
        {std::string("\xFF\xFE\x34\xD8m\0x", 7), "\xEF\xBF\xBDm\xEF\xBF\xBD"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(decodeChordListText(c.bytes), c.text);
    }
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_TRUE(isValidUtf8("♯♭ドレミ"));
}

TEST(ReadChordList, SaysWhyAFileGivesNoTable)
{
    using Status = ChordListStatus;
    test::TempDir dir;
    std::string bigList = dir.write("big.txt", "");
    std::filesystem::resize_file(bigList, kMaxChordListBytes);
    std::ofstream(bigList, std::ios::app) << "m:1,4,8\n";
    const std::string utf16Little("\xFF\xFEm\0:\0\x31\0,\0\x34\0", 12);
    const std::string utf16Big("\xFE\xFF\0m\0:\0\x31\0,\0\x34", 12);
    struct Case {
        std::string path;
        Status status;
        const char *firstName; // "keep" = untouched
    };
    const Case cases[] = {
        {dir.write("ok.txt", "m:1,4,8\n"), Status::Ok, "m"},
        {dir.write("le.txt", utf16Little), Status::Ok, "m"},
        {dir.write("be.txt", utf16Big), Status::Ok, "m"},
        {dir.write("empty.txt", ""), Status::Empty, ""},
        {dir.write("noentry.txt", "m:\nno colon\n"), Status::Empty, ""},
        {dir.write("nomark.txt", utf16Little.substr(2)), Status::NotText, "keep"},
        {dir.write("utf32.txt", std::string("\xFF\xFE\0\0m\0\0\0", 8)), Status::NotText, "keep"},
        {bigList, Status::TooLarge, "keep"},
        {dir.path() + "/absent.txt", Status::Missing, "keep"},
        {"", Status::Missing, "keep"},
        {dir.path(), Status::Unreadable, "keep"},
        {"/dev/null", Status::Unreadable, "keep"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        ChordNameTable names;
        ChordIntervalTable intervals;
        names[0] = "keep";
        EXPECT_EQ(readChordList(c.path, names, intervals), c.status);
        EXPECT_EQ(names[0], c.firstName);
    }
}
