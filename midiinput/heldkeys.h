#pragma once

// The keys a MIDI keyboard holds, as a chord to show: what the player holds
// down and what the sustain pedal keeps sounding, with the chord let go kept
// until the next key goes down.

#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

namespace chordvane::midiinput {

class HeldKeys {
public:
    // One MIDI message, status byte first, of any channel. A key going down
    // shows every key then sounding (held, or kept by the pedal); a key or
    // the pedal let go changes nothing shown, so that the chord played
    // stays until the next. True when the keys shown changed.
    bool take(std::span<const std::uint8_t> message);

    // MIDI keys (60 = middle C), lowest first; empty until a key goes down.
    const std::vector<int> &shown() const { return m_shown; }

private:
    std::bitset<128> m_down;      // held down by the player
    std::bitset<128> m_sustained; // let go under the pedal, still sounding
    bool m_pedal = false;
    std::vector<int> m_shown;
};

} // namespace chordvane::midiinput
