#include "fixedpitch.h"

#include <algorithm>
#include <array>
#include <string>

namespace chordvane::tuning {

namespace {

// The rule in one table: each family of fixed pitch with its General MIDI
// programs (0-based, first to last) and the names that call a part without
// a program one of it: whole Latin words in lower case, or Japanese names
// found anywhere in the name. Every program outside these (strings, winds,
// brass, voices, the timpani, the upright and fretless basses) can bend.
struct FixedFamily {
    int first = 0;
    int last = 0;
    std::array<std::string_view, 24> names{};
};

constexpr std::array<FixedFamily, 10> kFixedFamilies = {{
    {0,
     7,
     {"piano", "pno", "pf", "keyboard", "keyboards", "kbd", "keys", "harpsichord", "cembalo",
      "clavinet", "klavier", "pianoforte", "ピアノ", "キーボード", "チェンバロ", "ハープシコード"}},
    // Mallets and tuned percussion: celesta, glockenspiel, music box,
    // vibraphone, marimba, xylophone, tubular bells, dulcimer.
    {8, 15, {"celesta",      "glockenspiel",   "glock",    "glk",        "bells",     "chimes",
             "vibraphone",   "vibes",          "vib",      "marimba",    "xylophone", "xyl",
             "crotales",     "鉄琴",           "木琴",     "グロッケン", "マリンバ",  "シロフォン",
             "ビブラフォン", "ヴィブラフォン", "チャイム", "チェレスタ"}},
    {16,
     23,
     {"organ", "org", "accordion", "harmonium", "orgel", "organo", "オルガン", "アコーディオン",
      "エレクトーン"}},
    {24,
     31,
     {"guitar", "guitars", "gtr", "gitarre", "chitarra", "banjo", "mandolin", "ukulele", "ギター",
      "ウクレレ", "マンドリン", "バンジョー"}},
    {33, 34, {}}, // fretted electric basses
    {36, 39, {}}, // slap and synth basses
    {46, 46, {"harp", "hp", "harfe", "arpa", "ハープ"}},
    {80, 103, {"synth", "synthesizer", "シンセ"}},
    {108, 108, {}}, // kalimba
    {112, 127, {}}, // percussive and effects: no note to bend
}};

bool isAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool latin(std::string_view known)
{
    return !known.empty() && isAsciiLetterOrDigit(known.front());
}

bool namesFixed(std::string_view name)
{
    for (const FixedFamily &family : kFixedFamilies) {
        for (const std::string_view known : family.names) {
            if (!known.empty() && !latin(known) && name.find(known) != std::string_view::npos)
                return true;
        }
    }
    // Whole words: "Hp." is a harp, "Sharp" is not.
    for (size_t at = 0; at < name.size();) {
        if (!isAsciiLetterOrDigit(name[at])) {
            ++at;
            continue;
        }
        std::string word;
        for (; at < name.size() && isAsciiLetterOrDigit(name[at]); ++at)
            word += name[at] >= 'A' && name[at] <= 'Z' ? char(name[at] - 'A' + 'a') : name[at];
        for (const FixedFamily &family : kFixedFamilies) {
            if (std::find(family.names.begin(), family.names.end(), word) != family.names.end())
                return true;
        }
    }
    return false;
}

} // namespace

bool fixedPitch(int program, std::string_view name)
{
    if (program >= 0) {
        return std::any_of(kFixedFamilies.begin(), kFixedFamilies.end(),
                           [program](const FixedFamily &family) {
                               return program >= family.first && program <= family.last;
                           });
    }
    return namesFixed(name);
}

} // namespace chordvane::tuning
