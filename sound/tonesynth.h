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

// Keeps what FluidSynth, GLib (for FluidSynth's SoundFont loader) and ALSA
// would print on their own out of the terminal: the callers say what went
// wrong in their own words. ToneSynth calls it; a second call does nothing.
void quietSoundLibraries();

// A FluidSynth synthesizer with one General MIDI SoundFont. Every tone gets
// its own channel: its program, and a pitch bend (range ±2 semitones, set by
// RPN 0) that moves it by its cents before the note starts. A bend moves
// everything sounding on its channel, so two tones never share one.
class ToneSynth {
public:
    // Which of the SoundFont's samples are in memory: those of the programs
    // the channels have, loaded as a program is chosen, or all of them from
    // the start. Either sounds the same.
    enum class Samples { Played, All };
    // Loads the SoundFont; loaded() is false when it could not be read.
    explicit ToneSynth(const std::string &soundFont, Samples samples = Samples::Played);
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

// The first SoundFont of paths that FluidSynth can read, loaded; the ones
// before it that it could not read (damaged, or no SoundFont) are listed.
struct LoadedSynth {
    std::unique_ptr<ToneSynth> synth; // null when no path could be read
    std::string soundFont;
    std::vector<std::string> unreadable;
};
LoadedSynth loadFirstReadable(const std::vector<std::string> &paths);

// Tones held for `seconds` and then cut off with a short fade: 16-bit
// samples at kSampleRate, interleaved stereo.
std::vector<std::int16_t> renderSamples(ToneSynth &synth, const std::vector<Tone> &tones,
                                        double seconds);

// A whole WAV file (RIFF, PCM, 16-bit stereo at kSampleRate) holding the samples.
std::string wavFileBytes(const std::vector<std::int16_t> &samples);

} // namespace chordvane::sound
