#include "chordlist.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace chordvane {

void clearChordTable(ChordNameTable &names, ChordIntervalTable &intervals)
{
    for (auto &name : names)
        name.clear();
    for (auto &row : intervals)
        row.fill(NO_NOTE);
}

double readChordListNumber(std::string_view field)
{
    std::string number;
    bool negative = false;
    bool started = false; // a sign, digit or point has been read
    bool seenPoint = false;
    bool seenDigit = false;
    for (const char ch : field) {
        if (ch == ' ' || ch == '\t')
            continue;
        if (!started && (ch == '+' || ch == '-')) {
            negative = ch == '-';
            started = true;
        } else if (ch >= '0' && ch <= '9') {
            number += ch;
            started = seenDigit = true;
        } else if (ch == '.' && !seenPoint) {
            number += ch;
            started = seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    if (number.back() == '.')
        number.pop_back();
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

namespace {

struct Entry {
    std::array<Note, kChordColumns> row;
    int count = 0;
};

// Reads the numbers after the ":" of one line, each field once. An entry
// ends after its last field, on a number that equals, as read, the one
// stored before it, on the eighth column, or on a number that does not fit
// a note number.
Entry readEntry(std::string_view rest)
{
    Entry entry;
    entry.row.fill(NO_NOTE);
    while (!rest.empty()) {
        std::string_view field = rest;
        if (const size_t comma = rest.find(','); comma != std::string_view::npos) {
            field = rest.substr(0, comma);
            rest.remove_prefix(comma + 1);
        } else {
            rest = {};
        }
        if (entry.count == kChordColumns)
            break;
        const double v = readChordListNumber(field);
        if (entry.count > 0 && v == entry.row[entry.count - 1])
            break;
        const double rounded = std::nearbyint(v); // halves to even
        if (!(rounded >= std::numeric_limits<Note>::min() &&
              rounded <= std::numeric_limits<Note>::max()))
            break;
        entry.row[entry.count++] = static_cast<Note>(rounded);
    }
    return entry;
}

} // namespace

ChordTable::ChordTable()
{
    clearChordTable(m_names, m_intervals);
}

ChordTable::ChordTable(const ChordNameTable &names, const ChordIntervalTable &intervals)
    : m_names(names)
    , m_intervals(intervals)
{
    static_assert(kChordSlots <= 64, "one bit a slot");
    for (int m = 0; m < kChordSlots && (m == 0 || !m_names[m].empty()); ++m) {
        const ChordRow &row = m_intervals[m];
        // A row without tones is no chord, even in slot 0 whose name may be empty.
        if (std::all_of(row.begin(), row.end(), [](Note v) { return v == NO_NOTE; }))
            continue;
        const std::uint64_t slot = std::uint64_t{1} << m;
        m_scanned |= slot;
        for (int k = 1; k < kChordColumns && m_intervals[m][k] != NO_NOTE; ++k) {
            const int e = m_intervals[m][k];
            if (e >= 2 && e <= 12)
                m_slotsWith[e] |= slot;
        }
    }
}

std::uint64_t ChordTable::slotsHolding(std::uint16_t intervals) const
{
    std::uint64_t slots = m_scanned;
    for (int d = 2; d <= 12; ++d) {
        if (intervals & (1u << d))
            slots &= m_slotsWith[d];
    }
    return slots;
}

ChordTable ChordTable::fromText(std::string_view text)
{
    ChordNameTable names;
    ChordIntervalTable intervals;
    parseChordList(text, names, intervals);
    return ChordTable(names, intervals);
}

void parseChordList(std::string_view text, ChordNameTable &names, ChordIntervalTable &intervals)
{
    clearChordTable(names, intervals);
    int slot = 0;
    while (!text.empty() && slot < kChordSlots) {
        std::string_view line = text;
        if (const size_t end = text.find('\n'); end != std::string_view::npos) {
            line = text.substr(0, end);
            text.remove_prefix(end + 1);
        } else {
            text = {};
        }
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue; // empty lines and lines without ":" take no slot
        std::string_view rest = line.substr(colon + 1);
        if (!rest.empty() && rest.back() == ',')
            rest.remove_suffix(1);
        const Entry entry = readEntry(rest);
        if (entry.count == 0)
            continue;
        names[slot] = std::string(line.substr(0, colon));
        intervals[slot] = entry.row;
        ++slot;
    }
}

} // namespace chordvane
