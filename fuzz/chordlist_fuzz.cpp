// Reads a chord list from arbitrary bytes and searches it with arbitrary
// notes and threshold. Input: 2 bytes threshold, 13 x 2 bytes input notes,
// then the chord list file's bytes.
#include "chordlist.h"
#include "engine.h"
#include "resulttext.h"
#include "textdecode.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

std::int16_t take16(const std::uint8_t *&data, size_t &size)
{
    std::int16_t value = 0;
    if (size >= 2) {
        std::memcpy(&value, data, 2);
        data += 2;
        size -= 2;
    }
    return value;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    chordvane::FileSystemHost host("/nonexistent");
    chordvane::ChordEngine engine(host);
    engine.MatchThreshold = take16(data, size);
    for (auto &note : engine.InputNotes)
        note = take16(data, size);

    const std::string text = chordvane::DecodeChordListText(
        std::string_view(reinterpret_cast<const char *>(data), size));
    chordvane::ParseChordList(text, engine.ChordNames, engine.ChordIntervals);
    engine.SearchLoadedChords(11);

    const int count = engine.ResultCount();
    check(count >= 0 && count <= chordvane::kResultSlots);
    for (int i = 0; i < count; ++i) {
        check(engine.ResultChords[i] >= 0 && engine.ResultChords[i] < chordvane::kChordSlots);
        check(engine.ResultRates[i] >= 0 && engine.ResultRates[i] <= 100);
        check(!chordvane::ResultLine(engine, i).empty());
        chordvane::JustTableText(engine, i);
    }
    return 0;
}
