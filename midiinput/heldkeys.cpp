#include "heldkeys.h"

namespace chordvane::midiinput {

namespace {

constexpr int kSustainPedal = 64;
constexpr int kAllSoundOff = 120;
constexpr int kAllNotesOff = 123;

} // namespace

bool HeldKeys::take(std::span<const std::uint8_t> message)
{
    if (message.size() < 3)
        return false;
    const int kind = message[0] >> 4;
    const int data1 = message[1] & 0x7F;
    const int data2 = message[2] & 0x7F;
    if (kind == 0x9 && data2 > 0) {
        m_down.set(static_cast<size_t>(data1));
        m_sustained.reset(static_cast<size_t>(data1));
        const std::bitset<128> sounding = m_down | m_sustained;
        std::vector<int> keys;
        for (int key = 0; key < 128; ++key) {
            if (sounding.test(static_cast<size_t>(key)))
                keys.push_back(key);
        }
        if (keys == m_shown)
            return false;
        m_shown = std::move(keys);
        return true;
    }
    if (kind == 0x8 || kind == 0x9) {
        if (m_down.test(static_cast<size_t>(data1)) && m_pedal)
            m_sustained.set(static_cast<size_t>(data1));
        m_down.reset(static_cast<size_t>(data1));
    } else if (kind == 0xB && data1 == kSustainPedal) {
        m_pedal = data2 >= 64;
        if (!m_pedal)
            m_sustained.reset();
    } else if (kind == 0xB && (data1 == kAllSoundOff || data1 == kAllNotesOff)) {
        m_down.reset();
        m_sustained.reset();
    }
    return false;
}

} // namespace chordvane::midiinput
