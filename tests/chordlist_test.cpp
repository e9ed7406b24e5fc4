#include "chordlist.h"
#include "textdecode.h"

#include <gtest/gtest.h>

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
        {"x:1,2.5,3", {{"x", {1, 2, 3}}}},
        {"x:1,.5,+8", {{"x", {1, 0, 8}}}},
        {"x:1,1.0,5", {{"x", {1}}}},
        {"x:-,+,.", {{"x", {0}}}},
        // Lines without a colon and blank lines take no slot.
        {"garbage\n   \nm:1,4,8\n", {{"m", {1, 4, 8}}}},
        {"x:1,5,8\ny:1,4,8", {{"x", {1, 5, 8}}, {"y", {1, 4, 8}}}},
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

TEST(DecodeChordListText, Utf8BomAndCp932)
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
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(decodeChordListText(c.bytes), c.text);
    }
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_TRUE(isValidUtf8("♯♭ドレミ"));
}
