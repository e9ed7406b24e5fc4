#pragma once

#include "voicing.h"

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace chordvane::sound {

// Why nothing sounds. UnreadableSoundFont: SoundFonts were found, but
// none could be read (damaged, or no SoundFont at all).
enum class SoundProblem { None, NoSoundFont, UnreadableSoundFont, NoAudioDevice };

// Where the windows' sound goes. Tests put a fake in its place, so that no
// test opens an audio device.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Stops what sounds and sounds these tones for about two seconds.
    virtual SoundProblem play(const std::vector<Tone> &tones) = 0;
    // Lets what sounds go.
    virtual void stop() = 0;
    // For a problem's message: the folders searched for a SoundFont, the
    // SoundFonts that could not be read, or the audio drivers tried.
    virtual std::vector<std::string> problemDetails() const = 0;
};

// FluidSynth to the desktop's sound server (PipeWire, PulseAudio, else ALSA).
// Nothing is loaded when it is made: preload() starts loading the SoundFont
// and opening the driver on a thread of its own, and the first play() waits
// for that (or starts it).
class FluidPlayer : public SoundOutput {
public:
    explicit FluidPlayer(std::vector<std::string> soundFontFolders);
    ~FluidPlayer() override;

    void preload();
    SoundProblem play(const std::vector<Tone> &tones) override;
    void stop() override;
    std::vector<std::string> problemDetails() const override;

    // Figures for the curious: how long loading took, and the time from the
    // last play() to the driver's first buffer that holds it.
    std::chrono::microseconds loadTime() const;
    std::optional<std::chrono::microseconds> lastLatency() const;
    std::string soundFont() const;

private:
    struct Loaded;
    static std::unique_ptr<Loaded> load(std::vector<std::string> folders);
    static int process(void *data, int len, int nfx, float *fx[], int nout, float *out[]);

    std::vector<std::string> m_folders;
    std::future<std::unique_ptr<Loaded>> m_loading;
    std::unique_ptr<Loaded> m_loaded;
};

} // namespace chordvane::sound
