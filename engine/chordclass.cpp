#include "chordclass.h"

#include "search.h"

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

} // namespace chordvane
