#pragma once

#include "soundoutput.h"

#include <vector>

namespace chordvane::test {

// Records what the windows would sound; no audio device is opened.
class FakeSound : public sound::SoundOutput {
public:
    std::vector<std::vector<sound::Tone>> played;
    int stops = 0;
    sound::SoundProblem problem = sound::SoundProblem::None;

    sound::SoundProblem play(const std::vector<sound::Tone> &tones) override
    {
        played.push_back(tones);
        return problem;
    }
    void stop() override { ++stops; }
    std::vector<std::string> problemDetails() const override { return {"/nowhere"}; }
};

} // namespace chordvane::test
