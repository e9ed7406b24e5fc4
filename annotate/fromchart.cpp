#include "fromchart.h"

#include <array>

namespace chordvane::annotate {

namespace {

constexpr std::string_view kSteps = "CDEFGAB";
constexpr std::array<std::pair<std::string_view, int>, 4> kAccidentals = {
    {{"𝄫", -2}, {"𝄪", 2}, {"♭", -1}, {"♯", 1}}};

// The length of the note name at the front of text: a letter and its signs.
size_t noteNameLength(std::string_view text)
{
    if (text.empty() || kSteps.find(text.front()) == std::string_view::npos)
        return 0;
    size_t length = 1;
    for (bool more = true; more;) {
        more = false;
        for (const auto &[sign, alter] : kAccidentals) {
            if (text.substr(length).starts_with(sign)) {
                length += sign.size();
                more = true;
            }
        }
    }
    return length;
}

} // namespace

std::optional<Spelling> parseNoteName(std::string_view name)
{
    if (name.empty() || noteNameLength(name) != name.size())
        return std::nullopt;
    Spelling spelling{static_cast<int>(kSteps.find(name.front())), 0};
    for (name.remove_prefix(1); !name.empty();) {
        for (const auto &[sign, alter] : kAccidentals) {
            if (name.starts_with(sign)) {
                spelling.alter += alter;
                name.remove_prefix(sign.size());
            }
        }
    }
    return spelling;
}

std::vector<ChordSymbol> chordSymbols(const ChordTable &table,
                                      const std::vector<harmony::Step> &steps)
{
    std::vector<ChordSymbol> symbols;
    for (const harmony::Step &step : steps) {
        if (!step.chord)
            continue;
        const std::string_view symbol = step.symbol;
        const auto root = parseNoteName(symbol.substr(0, noteNameLength(symbol)));
        if (!root)
            continue;
        ChordSymbol out{step.start, *root, table.row(step.chord->chord),
                        table.name(step.chord->chord), std::nullopt};
        if (step.chord->bass != step.chord->root) {
            const size_t slash = symbol.rfind('/');
            if (slash != std::string_view::npos)
                out.bass = parseNoteName(symbol.substr(slash + 1));
        }
        symbols.push_back(std::move(out));
    }
    return symbols;
}

} // namespace chordvane::annotate
