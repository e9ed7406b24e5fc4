#pragma once

#include "voicing.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace chordvane::sound {

inline constexpr int kSampleRate = 44100;
// Two groups of channels take turns, so that a chord's release still rings
// on its own channels, unbent, while the next chord starts.
inline constexpr int kGroups = 2;
// Tones per group: one channel each, the General MIDI drum channel left out.
inline constexpr int kTonesPerGroup = 15;

// A FluidSynth synthesizer with one General MIDI SoundFont. Every tone gets
// its own channel: its program, and a pitch bend (range ±2 semitones, set by
// RPN 0) that moves it by its cents before the note starts. A bend moves
// everything sounding on its channel, so two tones never share one.
class ToneSynth {
public:
    // Loads the SoundFont; loaded() is false when it could not be read.
    explicit ToneSynth(const std::string &soundFont);
    ~ToneSynth();
    ToneSynth(const ToneSynth &) = delete;
    ToneSynth &operator=(const ToneSynth &) = delete;

    bool loaded() const;
    // Starts tones (at most kTonesPerGroup) on the channels of group 0 or 1,
    // first silencing whatever still rings there.
    void start(const std::vector<Tone> &tones, int group);
    // Lets the notes of a group go, as keys released.
    void release(int group);
    // Interleaved stereo 16-bit samples, frames of them.
    void render(int frames, std::int16_t *interleaved);

    // For an audio driver: the FluidSynth objects (fluid_settings_t *,
    // fluid_synth_t *), kept opaque here.
    void *settingsHandle() const;
    void *synthHandle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Renders tones held for `seconds` (44.1 kHz, 16-bit stereo) with the
// SoundFont, and writes them as a WAV file.
enum class WavResult { Written, BadSoundFont, CannotWrite };
WavResult renderWav(const std::string &soundFont, const std::vector<Tone> &tones, double seconds,
                    const std::string &path);

// The samples alone, interleaved stereo.
std::vector<std::int16_t> renderSamples(ToneSynth &synth, const std::vector<Tone> &tones,
                                        double seconds);

} // namespace chordvane::sound
