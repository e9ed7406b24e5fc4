#include "engine.h"
#include "resulttext.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>

using namespace chordvane;
using chordvane::test::FakeHost;
using chordvane::test::setNotes;

namespace {

struct Found {
    std::string line;
    int rate;
    bool operator==(const Found &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Found &f)
{
    return out << f.line << "@" << f.rate;
}

class SearchTest : public testing::Test {
protected:
    FakeHost host;
    ChordEngine engine{host};

    void load(std::string_view list)
    {
        parseChordList(list, engine.ChordNames, engine.ChordIntervals);
    }

    std::vector<Found> search(int bass, const std::vector<int> &others, int threshold)
    {
        setNotes(engine, bass, others);
        engine.MatchThreshold = static_cast<Note>(threshold);
        engine.searchLoadedChords(11);
        std::vector<Found> found;
        for (int i = 0; i < engine.resultCount(); ++i)
            found.push_back({resultLine(engine, i), engine.ResultRates[i]});
        return found;
    }
};

} // namespace

TEST_F(SearchTest, WorkedExamples)
{
    load(test::kExampleList);
    struct Case {
        int bass;
        std::vector<int> others;
        int threshold;
        std::vector<Found> expected;
    };
    const Case cases[] = {
        {13, {17, 20}, 65, {{"C", 100}, {"C7", 75}, {"Em on C", 67}}},
        {17, {20, 25}, 65, {{"C on E", 100}, {"Cm on E", 67}, {"C7 on E", 75}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "bass " << c.bass << " threshold " << c.threshold);
        EXPECT_EQ(search(c.bass, c.others, c.threshold), c.expected);
    }
    search(13, {17, 20}, 65);
    EXPECT_EQ(engine.BassNote, 1);
    EXPECT_EQ(engine.ResultRoot[2], 5);
    EXPECT_EQ(engine.ResultRoot[0], NO_NOTE);
    // A note 99 semitones above the bass is an E♭ like any other.
    EXPECT_EQ(search(1, {100, 8}, 100), (std::vector<Found>{{"Cm", 100}}));
}

TEST_F(SearchTest, ThresholdBoundaries)
{
    // Three tones lacking one: 66.67; four lacking one: 75; eight lacking one
    // or three: 87.5 and 62.5; five lacking four: exactly 20.
    load("tri:1,5,8\nsev:1,5,8,11\neight:1,2,3,4,5,6,7,8\nfive:1,3,5,8,11\n");
    struct Case {
        std::vector<int> others;
        int threshold;
        std::vector<Found> expected;
    };
    // clang-format off
    const Case cases[] = {
        {{5}, 65, {{"Ctri", 67}}}, {{5}, 67, {}},
        {{5, 8}, 75, {{"Ctri", 100}, {"Csev", 75}}}, {{5, 8}, 76, {{"Ctri", 100}}},
        {{2, 3, 4, 5, 6, 7}, 87, {{"Ceight", 88}}}, {{2, 3, 4, 5, 6, 7}, 88, {}},
        {{2, 3, 4, 5}, 62, {{"Ceight", 62}}}, {{2, 3, 4, 5}, 63, {}},
        {{11}, 41, {{"Csev", 50}}},
        {{11}, 20, {{"Csev", 50}, {"Cfive", 40}, {"A♯/B♭tri on C", 33}, {"A♯/B♭sev on C", 25},
                    {"A♯/B♭five on C", 40}}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "threshold " << c.threshold);
        EXPECT_EQ(search(1, c.others, c.threshold), c.expected);
    }
    // One tone of five present rates exactly 20: it passes 20, not 21.
    load("five:1,3,5,8,11\n");
    EXPECT_EQ(search(1, {7}, 20), (std::vector<Found>{{"F♯/G♭five on C", 20}}));
    EXPECT_EQ(search(1, {7}, 21), (std::vector<Found>{}));
}

TEST_F(SearchTest, OrderIsBassRootFirstThenRootsAscendingAboveTheBass)
{
    load(std::string(test::kExampleList) + "6:1,5,8,10\r\n");
    // C E G A over C: the sixth on the bass first, then the chords on A in
    // table order, whatever their rates.
    const auto found = search(1, {5, 8, 10}, 50);
    const std::vector<Found> expected = {{"C6", 100}, {"A7 on C", 75}, {"Am7 on C", 100}};
    EXPECT_EQ(found, expected);
}

TEST_F(SearchTest, DoubledNotesAndRowOrderDoNotChangeResults)
{
    std::ifstream list(std::string(CHORDVANE_DATA_DIR) + "/CodeList.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(list)), {});
    ASSERT_FALSE(text.empty());
    load(text);
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        const int bass = static_cast<int>(random() % 40) - 10;
        std::vector<int> others;
        const int count = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i)
            others.push_back(static_cast<int>(random() % 48) - 12);
        const int threshold = std::array{10, 30, 50, 65, 75, 100}[random() % 6];
        const auto reference = search(bass, others, threshold);

        auto shuffled = others;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        auto doubled = shuffled;
        for (int note : others)
            doubled.push_back(note + 12 * static_cast<int>(random() % 3) - 12);
        doubled.push_back(bass + 24);
        doubled.resize(std::min<size_t>(doubled.size(), 11));
        SCOPED_TRACE(round);
        EXPECT_EQ(search(bass, shuffled, threshold), reference);
        // Same pitch classes only if no note was cut off by the resize.
        if (doubled.size() < 11) {
            EXPECT_EQ(search(bass + 12, doubled, threshold), reference);
        }
    }
}

TEST_F(SearchTest, OnlyTheBassPitchClassFindsNothingAndKeepsOldResults)
{
    load(test::kExampleList);
    search(13, {17, 20}, 65);
    ASSERT_TRUE(engine.ResultFound);
    EXPECT_TRUE(search(1, {13, -11}, 10).empty());
    EXPECT_FALSE(engine.ResultFound);
    EXPECT_EQ(engine.ResultChords[0], 0); // previous results are left in place
    EXPECT_TRUE(search(5, {}, 10).empty());
}

TEST_F(SearchTest, LowThresholdRecordsEveryChordOnTheFifthOverTheBass)
{
    load(test::kExampleList);
    // On G, the C passed over, every chord of the table is recorded.
    const std::vector<Found> expected = {{"C", 67},       {"Cm", 67},      {"C7", 50},
                                         {"Cm7", 50},     {"G on C", 33},  {"Gm on C", 33},
                                         {"G7 on C", 25}, {"Gm7 on C", 25}};
    EXPECT_EQ(search(1, {8}, 10), expected);
    load(":1,2,3,4,5,6,7,8\n");
    EXPECT_EQ(search(1, {8}, 10).back(), (Found{"G on C", 12}));
}

TEST_F(SearchTest, WhichSlotsAreSearched)
{
    std::string full;
    for (int i = 0; i < 60; ++i)
        full += "x" + std::to_string(i) + ":1,2\n";
    struct Case {
        std::string list;
        std::vector<Found> expected; // for C E G B♭ at 75 %
    };
    const Case cases[] = {
        // Slot 0 may have an empty name; an empty name after it ends the table.
        {":1,5,8\n7:1,5,8,11\n", {{"C7", 100}}},
        {"7:1,5,8,11\n:1,5,8\nm7:1,4,8,11\n", {{"C7", 100}}},
        {full + "last:1,5,8,11\n", {{"Clast", 100}}},
        // No table, an empty one, or one without tones: no phantom chord.
        {"", {}},
        {":\n", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.list.substr(0, 40));
        load(c.list);
        EXPECT_EQ(search(1, {5, 8, 11}, 75), c.expected);
    }
}

TEST_F(SearchTest, KeepsAtMost101Results)
{
    std::string list;
    for (int i = 0; i < 61; ++i)
        list += "c" + std::to_string(i) + ":1,2,3,4,5,6,7,8\n";
    load(list);
    search(1, {2, 3}, 10);
    // Three roots with 61 candidates each; only slots 0..100 are kept.
    ASSERT_EQ(engine.resultCount(), 101);
    EXPECT_EQ(resultLine(engine, 0), "Cc0");
    EXPECT_EQ(resultLine(engine, 61), "C♯/D♭c0 on C");
    EXPECT_EQ(resultLine(engine, 100), "C♯/D♭c39 on C");
}

TEST(RateChord, WalksTonesAndNotesUpwardTogether)
{
    const auto bits = [](std::initializer_list<int> intervals) {
        IntervalSet set = 0;
        for (const int d : intervals)
            set |= static_cast<IntervalSet>(1u << d);
        return set;
    };
    struct Case {
        ChordRow row;
        std::initializer_list<int> notes;
        int exempt;
        std::optional<std::pair<int, int>> rate; // present, tones
    };
    constexpr Note _ = NO_NOTE;
    const Case cases[] = {
        {{1, 4, 8, 11, _, _, _, _}, {4, 11}, 0, {{3, 4}}},
        {{1, 4, 8, 11, _, _, _, _}, {4, 8, 11}, 0, {{4, 4}}},
        {{1, 4, 8, 11, _, _, _, _}, {4, 5}, 0, std::nullopt}, // 5 is no tone
        {{1, 4, 8, 11, _, _, _, _}, {12}, 0, std::nullopt},   // above the last tone
        {{1, 4, 8, 11, _, _, _, _}, {}, 0, std::nullopt},     // nothing entered
        // The bass, exempt, is present when it is the next tone of the walk...
        {{1, 4, 8, _, _, _, _, _}, {4, 8}, 8, {{3, 3}}},
        {{1, 4, 8, _, _, _, _, _}, {4, 9}, 9, {{2, 3}}},
        // ...and passed over, not counted, when a missing tone lies before it.
        {{1, 5, 8, 11, _, _, _, _}, {8, 11}, 8, {{2, 4}}},
        {{1, 5, 8, 11, _, _, _, _}, {5, 8}, 8, {{3, 4}}},
        // Only the tones before the first NO_NOTE belong to the chord.
        {{1, 5, _, 8, _, _, _, _}, {5}, 0, {{2, 2}}},
        {{1, 5, _, 8, _, _, _, _}, {5, 8}, 0, std::nullopt},
        {{1, 2, 3, 4, 5, 6, 7, 8}, {2, 3, 4, 5, 6, 7}, 0, {{7, 8}}},
        {{1, 2, 3, 4, 5, 6, 7, 8}, {8}, 0, {{2, 8}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row[1] << "," << c.row[2] << "," << c.row[3]
                                        << " exempt " << c.exempt);
        const auto rate = rateChord(c.row, bits(c.notes), c.exempt);
        ASSERT_EQ(rate.has_value(), c.rate.has_value());
        if (rate) {
            EXPECT_EQ(rate->present, c.rate->first);
            EXPECT_EQ(rate->tones, c.rate->second);
        }
    }
}

TEST_F(SearchTest, RankingOrdersByRateAndKeepsTheBest101)
{
    load(std::string(test::kExampleList) + "6:1,5,8,10\r\n");
    // C6 comes third in the order found; at an equal rate it stands on the
    // bass, where Am7 is an inversion over it.
    engine.RankByRate = true;
    const std::vector<Found> ranked = {{"C6", 100}, {"Am7 on C", 100}, {"A7 on C", 75}};
    EXPECT_EQ(search(1, {5, 8, 10}, 50), ranked);

    // 122 found: ranked first, so the best, found last on the bass, is kept;
    // equal rates keep the order found. C♯ and D over C share two tones with
    // "small" and none of them is the bass: it ranks as if 40 lower.
    std::string list;
    for (int i = 0; i < 60; ++i)
        list += "c" + std::to_string(i) + ":1,2,3,4,5,6,7,8\n";
    list += "small:1,2,3\n";
    load(list);
    const auto found = search(1, {2, 3}, 10);
    ASSERT_EQ(found.size(), 101u);
    EXPECT_EQ(found[0], (Found{"Csmall", 100}));
    EXPECT_EQ(found[1], (Found{"Cc0", 38}));
    EXPECT_EQ(found[60], (Found{"Cc59", 38}));
    EXPECT_EQ(found[61], (Found{"C♯/D♭small on C", 67}));
    EXPECT_EQ(found[62], (Found{"C♯/D♭c0 on C", 25}));
    EXPECT_EQ(found[100], (Found{"C♯/D♭c38 on C", 25}));
}
