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

float JustCents(int note, int base, JustSeventh seventh)
{
    const float table = JustCents(note, base);
    if (note < base)
        note += 12;
    if (FoldIntoOctave(note - base + 1, 1) != 11)
        return table;
    switch (seventh) {
    case JustSeventh::NineFive:
        break;
    case JustSeventh::SixteenNine:
        return -3.9f; // 996.09 cents
    case JustSeventh::SevenFour:
        return -31.2f; // 968.83 cents
    }
    return table;
}

std::string_view seventhRatio(JustSeventh seventh)
{
    switch (seventh) {
    case JustSeventh::NineFive:
        break;
    case JustSeventh::SixteenNine:
        return "16:9";
    case JustSeventh::SevenFour:
        return "7:4";
    }
    return "9:5";
}

std::optional<JustSeventh> parseSeventh(std::string_view ratio)
{
    for (const JustSeventh seventh :
         {JustSeventh::NineFive, JustSeventh::SixteenNine, JustSeventh::SevenFour}) {
        if (seventhRatio(seventh) == ratio)
            return seventh;
    }
    return std::nullopt;
}

std::string deviationText(int interval)
{
    return deviationText(interval, JustSeventh::NineFive);
}

std::string deviationText(int interval, JustSeventh seventh)
{
    const float x = JustCents(interval, 1, seventh);
    char buffer[32];
    // Shortest round-trip form of the single-precision value: "11.7", not "11.69999981".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    std::string text(buffer, result.ptr);
    return x > 0 ? "+" + text : text;
}

} // namespace chordvane
