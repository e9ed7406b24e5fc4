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
        std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/" + kFullListName, std::ios::binary);
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

// As the window searches: the list file looked at, and read again only when
// it changed.
void BM_SearchChords(benchmark::State &state)
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
BENCHMARK(BM_SearchChords);

void BM_SearchLoadedTable(benchmark::State &state)
{
    FileSystemHost host(CHORDVANE_DATA_DIR);
    ChordEngine engine(host);
    readChordList(fullListPath(), engine.ChordNames, engine.ChordIntervals);
    setWorstCase(engine);
    for (auto _ : state) {
        engine.searchLoadedChords(11);
        benchmark::DoNotOptimize(engine.ResultChords);
    }
}
BENCHMARK(BM_SearchLoadedTable);

// 76 different arranger voicings of three to seven notes, bass first: triads,
// sevenths, ninths, thirteenths, altered and slash voicings on every root.
std::vector<std::string> voicings()
{
    const char *roots[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    const std::vector<std::vector<int>> shapes = {
        {0, 4, 7},
        {0, 3, 7},
        {0, 4, 7, 10},
        {0, 3, 7, 10},
        {0, 4, 7, 11},
        {0, 4, 7, 9},
        {0, 3, 6, 10},
        {0, 3, 6, 9},
        {0, 4, 7, 10, 14},
        {0, 3, 7, 10, 14},
        {0, 4, 7, 11, 14},
        {0, 4, 10, 14, 21},
        {0, 7, 10, 15, 17},
        {0, 4, 7, 10, 14, 21},
        {0, 4, 10, 13, 19},
        {0, 3, 7, 10, 14, 17},
        {0, 4, 7, 11, 14, 18},
        {0, 5, 7, 10, 14},
        {7, 12, 16, 19},
        {4, 12, 19, 22},
        {0, 4, 7, 10, 13, 17, 20},
        {10, 16, 19, 24, 26},
        {0, 4, 8, 10},
        {0, 2, 7, 11},
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 76; ++i) {
        const int root = (i * 5 + i / 24) % 12;
        std::string line;
        for (const int step : shapes[i % shapes.size()])
            line += std::string(line.empty() ? "" : " ") + roots[(root + step) % 12];
        lines.push_back(line);
    }
    return lines;
}

// The search alone, as score analysis and the command line call it.
void BM_FindChordsVoicings(benchmark::State &state)
{
    std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/" + kFullListName, std::ios::binary);
    const ChordTable table =
        ChordTable::fromText(std::string((std::istreambuf_iterator<char>(in)), {}));
    std::vector<SearchRequest> requests;
    for (const std::string &line : voicings()) {
        const cli::BatchLine parsed = cli::parseBatchLine(line);
        requests.push_back(
            {parsed.notes.front(), {parsed.notes.begin() + 1, parsed.notes.end()}, 65});
    }
    std::vector<ChordMatch> found;
    for (auto _ : state) {
        for (const SearchRequest &request : requests) {
            findChords(table, request, found);
            benchmark::DoNotOptimize(found.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(requests.size()));
}
BENCHMARK(BM_FindChordsVoicings);

// Batch mode as a script drives it: the 76 voicings repeated to 76 000 lines
// at the default rate.
void BM_FindBatch(benchmark::State &state)
{
    std::string input;
    const std::vector<std::string> lines = voicings();
    for (int i = 0; i < 1000; ++i) {
        for (const std::string &line : lines)
            input += line + '\n';
    }
    const std::vector<std::string> args = {"--batch"};
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        cli::runFind(args, in, out, err, CHORDVANE_DATA_DIR);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * 76000);
}
BENCHMARK(BM_FindBatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
