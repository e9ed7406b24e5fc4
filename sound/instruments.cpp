#include "instruments.h"

#include <algorithm>

namespace chordvane::sound {

std::optional<int> instrumentOfOldIndex(int oldIndex)
{
    // The first list's entries by their names today.
    static constexpr std::array<std::string_view, 23> kOldList = {
        "(楽器名)",
        "【 in C 】",
        "ピアノ",
        "フルート",
        "ファゴット",
        "コントラバス",
        "オーボエ",
        "ピッコロ",
        "テューバ",
        "トロンボーン",
        "ティンパニ",
        "【 in E♭ 】",
        "E♭クラリネット",
        "アルト・サクソフォン",
        "アルト・クラリネット",
        "バリトン・サクソフォン",
        "【 in B♭ 】",
        "クラリネット",
        "トランペット",
        "テナー・サクソフォン",
        "【 in F 】",
        "ホルン",
        "その他",
    };
    if (oldIndex < 0 || oldIndex >= static_cast<int>(kOldList.size()))
        return std::nullopt;
    const auto found =
        std::find_if(kInstruments.begin(), kInstruments.end(),
                     [&](const Instrument &i) { return i.name == kOldList[oldIndex]; });
    if (found == kInstruments.end())
        return std::nullopt;
    return static_cast<int>(found - kInstruments.begin());
}

int soundingKey(int written, bool bassClef, int tuneOffset, const Voice &voice)
{
    int key = writtenKey(written, bassClef) + tuneOffset;
    if (tuneOffset == voice.offset)
        key += voice.octave;
    while (key < 0)
        key += 12;
    while (key > 127)
        key -= 12;
    return key;
}

} // namespace chordvane::sound
