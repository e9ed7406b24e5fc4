// Reads a chord list from arbitrary bytes and searches it with arbitrary
// notes and threshold. Input: 2 bytes threshold, 2 bytes bass, 12 x 2 bytes
// other notes, then the chord list file's bytes (UTF-8, CP932, UTF-16 ...).
#include "chordlist.h"
#include "resulttext.h"
#include "search.h"
#include "textdecode.h"

#include <algorithm>
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
    using namespace chordvane;
    SearchRequest request;
    request.threshold = take16(data, size);
    request.bass = take16(data, size);
    for (int i = 0; i < 12; ++i)
        request.notes.push_back(take16(data, size));

    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // UTF-16 and CP932 alike come out as UTF-8, whatever the bytes were.
    const std::string text = decodeChordListText(bytes);
    check(isValidUtf8(text));
    isChordListText(bytes);
    const ChordTable table = ChordTable::fromText(text);
    std::vector<ChordMatch> found = findChords(table, request);
    const int bass = FoldIntoOctave(request.bass, 1);
    for (const ChordMatch &match : found) {
        check(match.chord >= 0 && match.chord < kChordSlots);
        check(match.rate >= 0 && match.rate <= 100);
        check(match.root == NO_NOTE || (match.root > bass && match.root < bass + 12));
        check(!resultLine(table, match, bass).empty());
        justTableText(table.row(match.chord), match.root == NO_NOTE ? bass : match.root);
    }
    // Ranking reorders, it neither drops nor invents a result.
    std::vector<ChordMatch> ranked = found;
    rankByMatchRate(table, request, ranked);
    // Only a dyad over a foreign bass moves below its rate, by 40 at most.
    check(
        std::is_sorted(ranked.begin(), ranked.end(), [](const ChordMatch &a, const ChordMatch &b) {
            return a.rate > b.rate + 40;
        }));
    check(std::is_permutation(ranked.begin(), ranked.end(), found.begin(), found.end()));
    return 0;
}
