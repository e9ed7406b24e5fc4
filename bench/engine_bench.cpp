#include "engine.h"
#include "findcommand.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace chordvane;

namespace {

// The shipped list filled up to 61 entries: the longest table a search scans.
std::string fullListPath()
{
    static const std::string path = [] {
        std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/CodeList.txt", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        int entries = 0;
        for (char c : text)
            entries += c == '\n';
        for (int i = entries; i < kChordSlots; ++i)
            text += "pad" + std::to_string(i) + ":1,3,5,7,9,11\r\n";
        const auto file = std::filesystem::temp_directory_path() / "chordvane-bench-list.txt";
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }();
    return path;
}

// Twelve distinct pitch classes at the lowest threshold: every root, every chord.
void setWorstCase(ChordEngine &engine)
{
    engine.InputNotes.fill(NO_NOTE);
    engine.InputNotes[11] = 1;
    for (int i = 0; i < 11; ++i)
        engine.InputNotes[i] = static_cast<Note>(2 + i);
    engine.MatchThreshold = 10;
}

void BM_SearchChordsWithFileRead(benchmark::State &state)
{
    FileSystemHost host(CHORDVANE_DATA_DIR);
    ChordEngine engine(host);
    setWorstCase(engine);
    for (auto _ : state) {
        engine.ChordListPath = fullListPath();
        engine.SearchChords(11);
        benchmark::DoNotOptimize(engine.ResultChords);
    }
}
BENCHMARK(BM_SearchChordsWithFileRead);

void BM_SearchLoadedTable(benchmark::State &state)
{
    FileSystemHost host(CHORDVANE_DATA_DIR);
    ChordEngine engine(host);
    ReadChordListFile(fullListPath(), engine.ChordNames, engine.ChordIntervals);
    setWorstCase(engine);
    for (auto _ : state) {
        engine.SearchLoadedChords(11);
        benchmark::DoNotOptimize(engine.ResultChords);
    }
}
BENCHMARK(BM_SearchLoadedTable);

// Batch mode as a script drives it: ordinary chords of three to five notes.
void BM_FindBatch(benchmark::State &state)
{
    const char *queries[] = {"C E G",   "A C E G",   "D F A C",   "G B D F",    "E G# B D",
                             "F A C E", "Bb D F Ab", "C Eb Gb A", "D F# A C E", "G B D F Ab"};
    std::string input;
    const int count = 10000;
    for (int i = 0; i < count; ++i) {
        input += queries[i % 10];
        input += '\n';
    }
    const std::vector<std::string> args = {"--list", fullListPath(), "--batch"};
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        cli::RunFind(args, in, out, err, CHORDVANE_DATA_DIR);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FindBatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
