// What the harmony and spelling tests share: the shipped chord list and
// note names as MIDI keys.
#pragma once

#include "chordlist.h"

#include <fstream>
#include <string>
#include <string_view>

namespace chordvane::test {

inline const ChordTable &shippedList()
{
    static const ChordTable table = [] {
        std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/" + kFullListName, std::ios::binary);
        return ChordTable::fromText(std::string((std::istreambuf_iterator<char>(in)), {}));
    }();
    return table;
}

// "C4" = 60, "F#3", "Bb2".
inline int midiKey(std::string_view name)
{
    static constexpr int kSteps[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int key = kSteps[name[0] - 'A'];
    size_t i = 1;
    for (; name[i] == '#' || name[i] == 'b'; ++i)
        key += name[i] == '#' ? 1 : -1;
    return key + 12 * (std::stoi(std::string(name.substr(i))) + 1);
}

} // namespace chordvane::test
