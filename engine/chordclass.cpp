#include "chordclass.h"

#include "notes.h"
#include "search.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace chordvane {

namespace {

constexpr IntervalSet tones(std::initializer_list<int> intervals)
{
    IntervalSet set = 0;
    for (const int d : intervals)
        set = static_cast<IntervalSet>(set | (1u << d));
    return set;
}

constexpr std::array kClasses = {
    std::pair{tones({5, 8}), ChordClass::Triad},
    std::pair{tones({4, 8}), ChordClass::Triad},
    std::pair{tones({5, 8, 11}), ChordClass::Seventh},
    std::pair{tones({4, 8, 11}), ChordClass::Seventh},
    std::pair{tones({5, 8, 12}), ChordClass::Seventh},
    std::pair{tones({4, 7}), ChordClass::Seventh},
    std::pair{tones({4, 7, 11}), ChordClass::Seventh},
    std::pair{tones({4, 7, 10}), ChordClass::Seventh},
    std::pair{tones({5, 9}), ChordClass::Seventh},
    std::pair{tones({4, 8, 12}), ChordClass::Seventh},
    std::pair{tones({5, 8, 10}), ChordClass::Added},
    std::pair{tones({4, 8, 10}), ChordClass::Added},
    std::pair{tones({6, 8}), ChordClass::Added},
    std::pair{tones({6, 8, 11}), ChordClass::Added},
    std::pair{tones({3, 5, 8}), ChordClass::Added},
    std::pair{tones({3, 4, 8}), ChordClass::Added},
    std::pair{tones({3, 8}), ChordClass::Added},
    std::pair{tones({8}), ChordClass::BareFifth},
};

} // namespace

ChordClass chordClass(const ChordRow &row)
{
    IntervalSet set = 0;
    for (int k = 1; k < kChordColumns && row[k] != NO_NOTE; ++k) {
        if (row[k] < 2 || row[k] > 12)
            return ChordClass::Other; // a compound or odd number is no plain chord
        set = static_cast<IntervalSet>(set | (1u << row[k]));
    }
    for (const auto &[classSet, plainness] : kClasses) {
        if (set == classSet)
            return plainness;
    }
    return ChordClass::Other;
}

unsigned chordTones(const ChordRow &row)
{
    unsigned classes = 1u;
    for (const int v : row) {
        if (v == NO_NOTE)
            break;
        classes |= 1u << pitchClass(v - 1);
    }
    return classes;
}

ToneDegree chordDegree(unsigned tones, int semitones)
{
    const auto has = [tones](int s) {
        return ((tones >> s) & 1u) != 0;
    };
    const bool third = has(3) || has(4);
    const bool seventh = has(10) || has(11);
    switch (semitones) {
    case 0:
        return {1, 0};
    case 1:
        return {9, -1};
    case 2:
        return {third || seventh ? 9 : 2, 0};
    case 3:
        return has(4) ? ToneDegree{9, 1} : ToneDegree{3, -1};
    case 4:
        return {3, 0};
    case 5:
        return {third && seventh ? 11 : 4, 0};
    case 6:
        return has(7) ? ToneDegree{11, 1} : ToneDegree{5, -1};
    case 7:
        return {5, 0};
    case 8:
        return has(7) ? ToneDegree{13, -1} : ToneDegree{5, 1};
    case 9:
        if (seventh)
            return {13, 0};
        return has(3) && has(6) && !has(7) ? ToneDegree{7, -2} : ToneDegree{6, 0};
    case 10:
        return {7, -1};
    default:
        return {7, 0};
    }
}

std::string degreeText(const ToneDegree &degree)
{
    static constexpr const char *kAlters[5] = {"𝄫", "♭", "", "♯", "𝄪"};
    return kAlters[std::clamp(degree.alter, -2, 2) + 2] + std::to_string(degree.value);
}

} // namespace chordvane
