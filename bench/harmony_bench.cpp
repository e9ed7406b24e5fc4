#include "harmony.h"
#include "score.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <fstream>

using namespace chordvane;
using namespace chordvane::harmony;

namespace {

constexpr int kVoices = 4;
constexpr int kEighths = 8; // per 4/4 measure

// Four voices of eighths over a progression of one chord a measure: chord
// tones on the beats and passing or neighbour notes between them, so that
// every rule of the analysis has work to do.
Piece syntheticPiece(int measures)
{
    static const std::array<std::array<int, 4>, 8> kChords = {{
        {0, 4, 7, 0},
        {5, 9, 0, 5},
        {7, 11, 2, 5},
        {0, 4, 7, 0},
        {9, 0, 4, 9},
        {2, 5, 9, 2},
        {7, 11, 2, 5},
        {0, 4, 7, 0},
    }};
    static constexpr int kLow[kVoices] = {40, 52, 57, 64};
    const auto chordTone = [](int m, int beat, int voice) {
        const int pc = kChords[m % kChords.size()][(beat + voice) % 4];
        return kLow[voice] + (pc - kLow[voice] % 12 + 12) % 12;
    };
    Piece piece;
    piece.meters = {{0, 4, 4}};
    for (int m = 0; m < measures; ++m)
        piece.measureStarts.push_back(Fraction(4 * m));
    piece.end = Fraction(4 * measures);
    for (int m = 0; m < measures; ++m) {
        for (int v = 0; v < kVoices; ++v) {
            for (int e = 0; e < kEighths; ++e) {
                const int here = chordTone(m, e / 2, v);
                const int next = e / 2 == 3 ? chordTone(m + 1, 0, v) : chordTone(m, e / 2 + 1, v);
                int pitch = here;
                if (e % 2 == 1)
                    pitch = std::abs(next - here) >= 3 ? here + (next > here ? 2 : -2) : here + 1;
                const Fraction start = Fraction(4 * m) + Fraction(e, 2);
                piece.notes.push_back({start, start + Fraction(1, 2), pitch, v});
            }
        }
    }
    return piece;
}

// The same music as a MusicXML score, one part a voice.
QByteArray musicXml(const Piece &piece, int measures)
{
    static const char *kSteps[12][2] = {{"C", "0"}, {"C", "1"}, {"D", "0"}, {"D", "1"},
                                        {"E", "0"}, {"F", "0"}, {"F", "1"}, {"G", "0"},
                                        {"G", "1"}, {"A", "0"}, {"A", "1"}, {"B", "0"}};
    QByteArray list, parts;
    for (int v = 0; v < kVoices; ++v) {
        const QByteArray id = "P" + QByteArray::number(v);
        list += "<score-part id=\"" + id + "\"><part-name>" + id + "</part-name></score-part>";
        parts += "<part id=\"" + id + "\">";
        for (int m = 0; m < measures; ++m) {
            parts += "<measure number=\"" + QByteArray::number(m + 1) + "\">";
            if (m == 0)
                parts += "<attributes><divisions>2</divisions><time><beats>4</beats>"
                         "<beat-type>4</beat-type></time></attributes>";
            for (int e = 0; e < kEighths; ++e) {
                const int pitch = piece.notes[(m * kVoices + v) * kEighths + e].pitch;
                parts += QByteArray("<note><pitch><step>") + kSteps[pitch % 12][0] +
                         "</step><alter>" + kSteps[pitch % 12][1] + "</alter><octave>" +
                         QByteArray::number(pitch / 12 - 1) +
                         "</octave></pitch><duration>1</duration></note>";
            }
            parts += "</measure>";
        }
        parts += "</part>";
    }
    return "<score-partwise><part-list>" + list + "</part-list>" + parts + "</score-partwise>";
}

const ChordTable &shippedList()
{
    static const ChordTable table = [] {
        std::ifstream in(std::string(CHORDVANE_DATA_DIR) + "/" + kFullListName, std::ios::binary);
        return ChordTable::fromText(std::string((std::istreambuf_iterator<char>(in)), {}));
    }();
    return table;
}

// The analysis of 250 to 2000 measures: its time should grow with the length alone.
void BM_AnalysePiece(benchmark::State &state)
{
    const Piece piece = syntheticPiece(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const Analysis analysis = analyse(shippedList(), piece);
        if (analysis.steps.empty()) {
            state.SkipWithError("no steps");
            break;
        }
        benchmark::DoNotOptimize(analysis.steps.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(piece.notes.size()));
}
BENCHMARK(BM_AnalysePiece)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Reading the same 2000 measures from MusicXML, for comparison.
void BM_ReadScore(benchmark::State &state)
{
    const int measures = 2000;
    const QByteArray xml = musicXml(syntheticPiece(measures), measures);
    for (auto _ : state) {
        const score::ReadResult read = score::readScoreData(xml);
        if (!read.ok) {
            state.SkipWithError("cannot read the score");
            break;
        }
        benchmark::DoNotOptimize(read.score.parts.data());
    }
}
BENCHMARK(BM_ReadScore)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
