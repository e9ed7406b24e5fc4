#pragma once

// Standard MIDI Files and their events built byte by byte, for the tests.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace chordvane::test::midi {

inline std::string be(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

inline std::string vlq(std::uint32_t value)
{
    std::string out(1, static_cast<char>(value & 0x7F));
    while (value >>= 7)
        out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return out;
}

inline std::string header(int format, int tracks, int division = 4)
{
    return "MThd" + be(6, 4) + be(format, 2) + be(tracks, 2) + be(division, 2);
}

// A track chunk of the events, with an end-of-track after them.
inline std::string track(const std::string &events, bool end = true)
{
    const std::string body = events + (end ? std::string("\x00\xFF\x2F\x00", 4) : "");
    return "MTrk" + be(static_cast<std::uint32_t>(body.size()), 4) + body;
}

inline std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out += static_cast<char>(v);
    return out;
}

// Channel events after a delta in ticks; channel 0..15.
inline std::string on(std::uint32_t delta, int channel, int key, int velocity = 80)
{
    return vlq(delta) + bytes({0x90 | channel, key, velocity});
}
inline std::string off(std::uint32_t delta, int channel, int key)
{
    return vlq(delta) + bytes({0x80 | channel, key, 0});
}
inline std::string program(std::uint32_t delta, int channel, int number)
{
    return vlq(delta) + bytes({0xC0 | channel, number});
}
inline std::string meta(std::uint32_t delta, int type, const std::string &data)
{
    return vlq(delta) + bytes({0xFF, type}) + vlq(static_cast<std::uint32_t>(data.size())) + data;
}
inline std::string timeSignature(std::uint32_t delta, int beats, int power)
{
    return meta(delta, 0x58, bytes({beats, power, 24, 8}));
}
inline std::string keySignature(std::uint32_t delta, int fifths, int minor = 0)
{
    return meta(delta, 0x59, bytes({fifths & 0xFF, minor}));
}
inline std::string tempo(std::uint32_t delta, std::uint32_t microseconds)
{
    return meta(delta, 0x51, be(microseconds, 3));
}

} // namespace chordvane::test::midi
