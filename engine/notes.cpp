#include "notes.h"

#include <array>
#include <charconv>

namespace chordvane {

int FoldIntoOctave(int n, int base)
{
    if (n == NO_NOTE)
        return NO_NOTE;
    int offset = (n - base) % 12;
    if (offset < 0)
        offset += 12;
    return base + offset;
}

std::string_view NoteName(int n)
{
    static constexpr std::array<std::string_view, 12> kNames = {
        "C", "C♯/D♭", "D", "D♯/E♭", "E", "F", "F♯/G♭", "G", "G♯/A♭", "A", "A♯/B♭", "B(H)"};
    const int v = FoldIntoOctave(n, 1);
    if (v < 1 || v > 12)
        return {};
    return kNames[v - 1];
}

float JustCents(int note, int base)
{
    // Fixed constants, not derived from frequency ratios: these are the values
    // arrangers read off the usual just-intonation charts.
    static constexpr std::array<float, 12> kCents = {0.0f,  11.7f, 3.9f,  15.6f,  -13.7f, -2.0f,
                                                     -9.8f, 2.0f,  13.7f, -15.6f, 17.9f,  -11.7f};
    if (note < base)
        note += 12;
    const int v = FoldIntoOctave(note - base + 1, 1);
    if (v < 1 || v > 12)
        return 0.0f;
    return kCents[v - 1];
}

std::string deviationText(int interval)
{
    const float x = JustCents(interval, 1);
    char buffer[32];
    // Shortest round-trip form of the single-precision value: "11.7", not "11.69999981".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    std::string text(buffer, result.ptr);
    return x > 0 ? "+" + text : text;
}

} // namespace chordvane
