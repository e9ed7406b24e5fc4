#include "soundoutput.h"

#include "tonesynth.h"

#include <fluidsynth.h>

#include <atomic>
#include <filesystem>

namespace chordvane::sound {

namespace {

using Clock = std::chrono::steady_clock;

// The desktop's sound server first; JACK is left out, since asking for it
// may start a JACK server.
constexpr const char *kDrivers[] = {"pipewire", "pulseaudio", "alsa"};
// A sound server that does not answer must not freeze the window for good.
constexpr auto kLoadPatience = std::chrono::seconds(10);

} // namespace

struct FluidPlayer::Loaded {
    SoundProblem problem = SoundProblem::None;
    std::vector<std::string> details;
    std::string soundFont;
    std::chrono::microseconds loadTime{0};
    std::unique_ptr<ToneSynth> synth;
    fluid_audio_driver_t *driver = nullptr;

    // Shared with the driver's thread.
    int group = 0;
    std::atomic<long long> frames{0};
    std::atomic<long long> stopAt{-1};
    std::atomic<int> stopGroup{0};
    std::atomic<long long> requestedAt{0}; // Clock ticks; 0 when none waits
    std::atomic<long long> latency{-1};    // microseconds

    ~Loaded()
    {
        if (driver)
            delete_fluid_audio_driver(driver);
    }
};

FluidPlayer::FluidPlayer(std::vector<std::string> soundFontFolders)
    : m_folders(std::move(soundFontFolders))
{}

FluidPlayer::~FluidPlayer()
{
    if (m_loading.valid())
        m_loading.wait();
}

void FluidPlayer::preload()
{
    if (!m_loaded && !m_loading.valid())
        m_loading = std::async(std::launch::async, &FluidPlayer::load, m_folders);
}

std::unique_ptr<FluidPlayer::Loaded> FluidPlayer::load(std::vector<std::string> folders)
{
    const auto begin = Clock::now();
    auto loaded = std::make_unique<Loaded>();
    const std::vector<std::string> soundFonts =
        findSoundFonts(folders, [](const std::string &path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        });
    if (soundFonts.empty()) {
        loaded->problem = SoundProblem::NoSoundFont;
        loaded->details = folders;
        return loaded;
    }
    LoadedSynth chosen = loadFirstReadable(soundFonts);
    if (!chosen.synth) {
        loaded->problem = SoundProblem::UnreadableSoundFont;
        loaded->details = chosen.unreadable;
        return loaded;
    }
    loaded->synth = std::move(chosen.synth);
    loaded->soundFont = chosen.soundFont;
    auto *settings = static_cast<fluid_settings_t *>(loaded->synth->settingsHandle());
    // Periods of 23 ms: a chord starts within one of them after the button,
    // and a busy machine still fills the next in time (at 6 ms the sound
    // broke up while two compilers ran).
    fluid_settings_setint(settings, "audio.period-size", 1024);
    fluid_settings_setint(settings, "audio.periods", 2);
    for (const char *name : kDrivers) {
        if (fluid_settings_setstr(settings, "audio.driver", name) != FLUID_OK)
            continue;
        loaded->driver = new_fluid_audio_driver2(settings, &FluidPlayer::process, loaded.get());
        if (loaded->driver)
            break;
    }
    if (!loaded->driver) {
        loaded->problem = SoundProblem::NoAudioDevice;
        loaded->details.assign(std::begin(kDrivers), std::end(kDrivers));
    }
    loaded->loadTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin);
    return loaded;
}

int FluidPlayer::process(void *data, int len, int nfx, float *fx[], int nout, float *out[])
{
    auto *loaded = static_cast<Loaded *>(data);
    if (const long long requested = loaded->requestedAt.exchange(0); requested != 0) {
        const auto waited = Clock::now() - Clock::time_point(Clock::duration(requested));
        loaded->latency = std::chrono::duration_cast<std::chrono::microseconds>(waited).count();
    }
    auto *synth = static_cast<fluid_synth_t *>(loaded->synth->synthHandle());
    // A driver without effect buffers gets the reverb mixed into its output.
    const int result = fx ? fluid_synth_process(synth, len, nfx, fx, nout, out)
                          : fluid_synth_process(synth, len, nout, out, nout, out);
    const long long frames = loaded->frames += len;
    long long stopAt = loaded->stopAt;
    if (stopAt >= 0 && frames >= stopAt && loaded->stopAt.compare_exchange_strong(stopAt, -1))
        loaded->synth->release(loaded->stopGroup);
    return result;
}

SoundProblem FluidPlayer::play(const std::vector<Tone> &tones)
{
    const auto requested = Clock::now();
    if (!m_loaded) {
        preload();
        if (m_loading.wait_for(kLoadPatience) != std::future_status::ready)
            return SoundProblem::NoAudioDevice;
        m_loaded = m_loading.get();
    }
    Loaded &l = *m_loaded;
    if (l.problem != SoundProblem::None)
        return l.problem;
    l.stopAt = -1;
    l.synth->release(l.group);
    l.group = (l.group + 1) % kGroups;
    l.requestedAt = requested.time_since_epoch().count();
    l.synth->start(tones, l.group);
    l.stopGroup = l.group;
    l.stopAt = l.frames + static_cast<long long>(kPlaySeconds * kSampleRate);
    return SoundProblem::None;
}

void FluidPlayer::stop()
{
    if (!m_loaded || m_loaded->problem != SoundProblem::None)
        return;
    m_loaded->stopAt = -1;
    for (int group = 0; group < kGroups; ++group)
        m_loaded->synth->release(group);
}

std::vector<std::string> FluidPlayer::problemDetails() const
{
    if (!m_loaded) // still waiting for the driver
        return {std::begin(kDrivers), std::end(kDrivers)};
    return m_loaded->details;
}

std::chrono::microseconds FluidPlayer::loadTime() const
{
    return m_loaded ? m_loaded->loadTime : std::chrono::microseconds(0);
}

std::optional<std::chrono::microseconds> FluidPlayer::lastLatency() const
{
    if (!m_loaded || m_loaded->latency < 0)
        return std::nullopt;
    return std::chrono::microseconds(m_loaded->latency);
}

std::string FluidPlayer::soundFont() const
{
    return m_loaded ? m_loaded->soundFont : std::string();
}

} // namespace chordvane::sound
