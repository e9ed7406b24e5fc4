#include "scorerows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace chordvane;

TEST(ScoreRows, TranspositionPicksTheListEntryOfItsPitchClass)
{
    // Horn, octave, a second up (in D), a fifth up (in G), a semitone down:
    // the sample scores have the rest.
    const std::pair<int, std::optional<int>> cases[] = {{-7, 5}, {5, 5},  {12, 0},
                                                        {2, 2},  {7, -5}, {-1, std::nullopt}};
    for (const auto &[transposition, tune] : cases)
        EXPECT_EQ(tuneForTransposition(transposition), tune) << transposition;
}

TEST(ScoreRows, NotesFoldIntoTheStaffsSight)
{
    const std::array<int, 3> cases[] = {
        // MIDI key, clef, note number
        {60, 1, 1}, {55, 1, -4}, {86, 1, 27}, {87, 1, 28}, // own octave: G3 .. D♯6
        {54, 1, 7}, {96, 1, 25}, {88, 1, 17},              // F♯3 up, C7 and E6 down
        {43, 2, 8}, {40, 2, 5},  {60, 2, 25},              // bass clef: G2, E2, middle C
        {28, 2, 5}, {84, 2, 25},                           // E1 up, C6 down
    };
    for (const auto &[midi, scoreType, note] : cases)
        EXPECT_EQ(staffNote(midi, scoreType), note) << midi << " clef " << scoreType;
}

namespace {

// A moment of parts in C on the treble clef, each holding these MIDI keys.
std::pair<score::Score, score::Moment> momentOf(const std::vector<std::vector<int>> &parts)
{
    score::Score score;
    score::Moment moment;
    for (size_t p = 0; p < parts.size(); ++p) {
        score.parts.emplace_back().name = QString("Part %1").arg(p + 1);
        score::PartMoment &part = moment.parts.emplace_back();
        part.written = part.sounding = parts[p];
        part.clef = "G";
        part.name = score.parts.back().name;
        moment.sounding.insert(moment.sounding.end(), parts[p].begin(), parts[p].end());
    }
    std::sort(moment.sounding.begin(), moment.sounding.end());
    return {score, moment};
}

} // namespace

TEST(ScoreRows, EverySoundingPitchClassReachesARow)
{
    const std::vector<int> d = {62};
    const std::vector<int> c = {60};
    struct Case {
        const char *what;
        std::vector<std::vector<int>> parts;
        std::vector<std::pair<int, std::string>> rows; // row, "staff note part"
    };
    const Case cases[] = {
        {"a free row, then the resting part's, then the last doubling row",
         {d, {}, d, d, d, d, d, d, d, d, d, {60, 64, 66}},
         {{0, "3 Part 1"},
          {1, "7 Part 12"},
          {9, "3 Part 10"},
          {10, "5 Part 12"},
          {11, "1 Part 12"}}},
        {"eleven doubled parts give way to eleven pitch classes",
         {c, c, c, c, c, c, c, c, c, c, c, {61, 62, 63, 64, 65, 66}, {67, 68, 69, 70, 71}},
         {{0, "8 Part 13"}, {1, "9 Part 13"}, {10, "7 Part 12"}, {11, "1 Part 11"}}},
        {"a doubling of the bass gives way, the bass never",
         {c, c, c, c, c, c, c, c, c, c, c, {48, 64}},
         {{10, "5 Part 12"}, {11, "13 Part 12"}}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        const auto [score, moment] = momentOf(k.parts);
        const ScoreRows rows = scoreRows(score, moment);
        std::set<int> sounding, shown;
        for (const int midi : moment.sounding)
            sounding.insert(pitchClass(midi));
        for (int r = 0; r < rows::kRows; ++r) {
            if (rows[r].note)
                shown.insert(pitchClass(rows[r].note->value - 1));
        }
        EXPECT_EQ(shown, sounding);
        for (const auto &[r, expected] : k.rows) {
            ASSERT_TRUE(rows[r].note) << r;
            EXPECT_EQ(std::to_string(rows[r].note->value) + " " + rows[r].part.name.toStdString(),
                      expected)
                << r;
        }
    }
}

TEST(ScoreRows, TheBassRowNamesThePartLowestInItsUsualRange)
{
    // Parts from the top of the score down, all on C3: General MIDI
    // programs (0-based, -1 none), the part the bass row names.
    const std::pair<std::vector<int>, const char *> cases[] = {
        {{41, 42}, "Part 2"},     // viola above cello: the cello
        {{42, 41}, "Part 1"},     // the cello, wherever it stands
        {{58, 58}, "Part 2"},     // euphonium and tuba, one program: the lower in the score
        {{-1, -1, -1}, "Part 3"}, // no programs: the lowest in the score
        {{43, 70, 42}, "Part 1"}, // string bass, bassoon, cello
        {{42, -1}, "Part 2"},     // a part without a program is not outranked
    };
    for (const auto &[programs, bass] : cases) {
        SCOPED_TRACE(bass);
        auto [score, moment] = momentOf(std::vector<std::vector<int>>(programs.size(), {48}));
        for (size_t p = 0; p < programs.size(); ++p)
            moment.parts[p].program = programs[p];
        EXPECT_EQ(scoreRows(score, moment)[rows::kBassRow].part.name.toStdString(), bass);
    }
}

TEST(ScoreRows, EqualNamesAreNumberedAndANewTranspositionRenames)
{
    auto [score, moment] = momentOf({{60}, {64}, {67}, {72}});
    const char *names[][2] = {
        {"Trombone", "Tbn."}, {"Trombone", "Tbn."}, {"Horn in F", "Hn."}, {"Trumpet in B♭", ""}};
    for (size_t p = 0; p < 4; ++p) {
        moment.parts[p].name = QString::fromUtf8(names[p][0]);
        moment.parts[p].abbreviation = QString::fromUtf8(names[p][1]);
    }
    moment.parts[3].transposition = -3; // moved from B♭ to A
    score.parts[3].settings = {{{}, -2, "G", moment.parts[3].name, {}, -1}};
    const ScoreRows rows = scoreRows(score, moment);
    const std::pair<const char *, const char *> expected[] = {{"Trombone 1", "Tbn. 1"},
                                                              {"Trombone 2", "Tbn. 2"},
                                                              {"Horn in F", "Hn."},
                                                              {"Trumpet in A", ""}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(rows[r].part.name.toStdString(), expected[r].first);
        EXPECT_EQ(rows[r].part.abbreviation.toStdString(), expected[r].second);
    }

    const std::tuple<const char *, int, int, const char *> renames[] = {
        {"Clarinet in B♭", -2, -3, "Clarinet in A"},
        {"Clarinet in Bb 1", -2, -3, "Clarinet in A 1"},
        {"Horn in F", -7, -9, "Horn in E♭"},
        {"Clarinet", -2, -3, "Clarinet (in A)"},
        {"Clarinet in B♭", -2, -14, "Clarinet in B♭"}, // an octave lower is the same key
        {"Violin", 0, 0, "Violin"},
    };
    for (const auto &[name, namedFor, now, renamed] : renames)
        EXPECT_EQ(renamedForTransposition(QString::fromUtf8(name), namedFor, now).toStdString(),
                  renamed);
}
