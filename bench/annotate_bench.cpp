// Writing chord symbols into a score: placing them must grow with the notes
// of a measure alone, however many a measure holds.
#include "annotate.h"
#include "chordlist.h"

#include <benchmark/benchmark.h>

#include <fstream>

using namespace chordvane;
using namespace chordvane::annotate;

namespace {

const ChordTable &shippedList()
{
    static const ChordTable table = [] {
        std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/" + kFullListName, std::ios::binary);
        return ChordTable::fromText(std::string((std::istreambuf_iterator<char>(in)), {}));
    }();
    return table;
}

// One part, one measure of `notes` quarter notes (its time signature says
// 4/4; the notes run on), a C major symbol on every note.
QByteArray longMeasure(int notes)
{
    QByteArray xml = "<?xml version=\"1.0\"?><score-partwise version=\"3.1\"><part-list>"
                     "<score-part id=\"P1\"><part-name>P</part-name></score-part></part-list>"
                     "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>1</divisions>"
                     "<time><beats>4</beats><beat-type>4</beat-type></time></attributes>";
    for (int i = 0; i < notes; ++i)
        xml += "<note><pitch><step>C</step><octave>4</octave></pitch><duration>1</duration>"
               "<type>quarter</type></note>";
    return xml + "</measure></part></score-partwise>";
}

void BM_AnnotateOneLongMeasure(benchmark::State &state)
{
    const int notes = static_cast<int>(state.range(0));
    const QByteArray xml = longMeasure(notes);
    std::vector<ChordSymbol> symbols;
    for (int i = 0; i < notes; ++i)
        symbols.push_back({score::Fraction(i), {0, 0}, shippedList().row(0), "", std::nullopt});
    for (auto _ : state) {
        const AnnotatedData out = annotateData(xml, symbols, OutputForm::Plain);
        if (out.result.written != notes) {
            state.SkipWithError("symbols left out");
            break;
        }
        benchmark::DoNotOptimize(out.bytes.data());
    }
    state.SetComplexityN(notes);
}
BENCHMARK(BM_AnnotateOneLongMeasure)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
