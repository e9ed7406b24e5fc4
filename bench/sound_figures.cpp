// Playback figures on the desktop's sound server: how long the SoundFont
// takes to load, what it costs in memory, and the time from a play command
// to the first audio buffer that holds the chord. Needs a running sound
// server (a null sink will do); prints what is missing otherwise.
#include "soundoutput.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace

int main()
{
    using namespace chordvane::sound;
    using namespace std::chrono_literals;
    const long before = residentKiB();
    FluidPlayer player(soundFontFolders());
    player.preload();
    const std::vector<Tone> c7 = {
        {60, 0, 0}, {64, -13.7, 0}, {67, 2, 0}, {70, 17.9, 0}, {48, 0, 0}};
    if (player.play(c7) != SoundProblem::None) {
        std::puts("nothing can sound here:");
        for (const std::string &detail : player.problemDetails())
            std::printf("  %s\n", detail.c_str());
        return 1;
    }
    std::printf("SoundFont %s\nloaded and driver opened in %.1f ms\n", player.soundFont().c_str(),
                player.loadTime().count() / 1000.0);
    std::printf("resident memory %ld KiB before, %ld KiB after (+%ld KiB)\n", before, residentKiB(),
                residentKiB() - before);
    std::vector<double> latencies;
    for (int i = 0; i < 30; ++i) {
        std::this_thread::sleep_for(150ms);
        player.play(c7);
        std::this_thread::sleep_for(60ms);
        if (const auto latency = player.lastLatency())
            latencies.push_back(latency->count() / 1000.0);
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty())
        return 1;
    std::printf("play to first buffer over %zu plays: median %.2f ms, max %.2f ms\n",
                latencies.size(), latencies[latencies.size() / 2], latencies.back());
    return 0;
}
