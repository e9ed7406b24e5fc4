#include "tonesynth.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace chordvane::sound {

namespace {

constexpr int kDrumChannel = 9;
constexpr int kBendCentre = 8192;
constexpr int kBendRangeSemitones = 2;
constexpr int kVelocity = 96;
// FluidSynth's default pitch-wheel modulator spans 12700 cents times the
// sensitivity over 128, a little less than 100 cents a semitone.
constexpr double kCentsPerBendRange = 12700.0 * kBendRangeSemitones / 128;
// FluidSynth 2.3 turns a voice's pitch into a frequency at whole cents,
// dropping the fraction; half a cent more makes that a rounding, so every
// tone lies within half a cent of what it asks for.
constexpr double kRoundingCents = 0.5;

int channelOf(int group, int tone)
{
    const int inGroup = tone < kDrumChannel ? tone : tone + 1;
    return group * 16 + inGroup;
}

void putLittleEndian(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void ignoreGlibMessage(const gchar *, GLogLevelFlags, const gchar *, gpointer) {}

} // namespace

void quietSoundLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        // FluidSynth's SoundFont loader (libinstpatch) asserts through GLib
        // on a file that is no SoundFont, in GLib's default domain.
        g_log_set_handler(nullptr,
                          static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK & ~G_LOG_LEVEL_ERROR),
                          ignoreGlibMessage, nullptr);
        // ALSA lists every configuration step that fails on a machine
        // without a sound card, each time a driver is tried.
        snd_lib_error_set_handler(ignoreAlsaError);
    });
}

struct ToneSynth::Impl {
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
    bool loaded = false;
};

ToneSynth::ToneSynth(const std::string &soundFont, Samples samples)
    : m(std::make_unique<Impl>())
{
    quietSoundLibraries();
    m->settings = new_fluid_settings();
    fluid_settings_setnum(m->settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(m->settings, "synth.midi-channels", 16 * kGroups);
    // Chorus is a slowly swept delay: it would smear the very pitches that
    // the listener compares. Reverb does not move them.
    fluid_settings_setint(m->settings, "synth.chorus.active", 0);
    // Twelve brass tones stay below full scale at this gain.
    fluid_settings_setnum(m->settings, "synth.gain", 0.6);
    // A chord uses a few programs of the 128: reading the rest's samples
    // would take most of the loading time and memory.
    fluid_settings_setint(m->settings, "synth.dynamic-sample-loading",
                          samples == Samples::Played ? 1 : 0);
    m->synth = new_fluid_synth(m->settings);
    if (!m->synth)
        return;
    m->loaded = fluid_synth_sfload(m->synth, soundFont.c_str(), 1) != FLUID_FAILED;
    for (int channel = 0; channel < 16 * kGroups; ++channel)
        fluid_synth_pitch_wheel_sens(m->synth, channel, kBendRangeSemitones);
}

ToneSynth::~ToneSynth()
{
    if (m->synth)
        delete_fluid_synth(m->synth);
    delete_fluid_settings(m->settings);
}

bool ToneSynth::loaded() const
{
    return m->loaded;
}

void ToneSynth::start(const std::vector<Tone> &tones, int group)
{
    const int count = std::min(static_cast<int>(tones.size()), kTonesPerGroup);
    for (int i = 0; i < kTonesPerGroup; ++i)
        fluid_synth_all_sounds_off(m->synth, channelOf(group, i));
    for (int i = 0; i < count; ++i) {
        const Tone &tone = tones[i];
        const int channel = channelOf(group, i);
        const double steps = (tone.cents + kRoundingCents) / kCentsPerBendRange * kBendCentre;
        const int bend = std::clamp(kBendCentre + static_cast<int>(std::lround(steps)), 0, 16383);
        fluid_synth_program_change(m->synth, channel, tone.program);
        fluid_synth_pitch_bend(m->synth, channel, bend);
        fluid_synth_noteon(m->synth, channel, tone.key, kVelocity);
    }
}

void ToneSynth::release(int group)
{
    for (int i = 0; i < kTonesPerGroup; ++i)
        fluid_synth_all_notes_off(m->synth, channelOf(group, i));
}

void ToneSynth::render(int frames, std::int16_t *interleaved)
{
    fluid_synth_write_s16(m->synth, frames, interleaved, 0, 2, interleaved, 1, 2);
}

void *ToneSynth::settingsHandle() const
{
    return m->settings;
}

void *ToneSynth::synthHandle() const
{
    return m->synth;
}

LoadedSynth loadFirstReadable(const std::vector<std::string> &paths)
{
    LoadedSynth loaded;
    for (const std::string &path : paths) {
        auto synth = std::make_unique<ToneSynth>(path);
        if (synth->loaded()) {
            loaded.synth = std::move(synth);
            loaded.soundFont = path;
            break;
        }
        loaded.unreadable.push_back(path);
    }
    return loaded;
}

std::vector<std::int16_t> renderSamples(ToneSynth &synth, const std::vector<Tone> &tones,
                                        double seconds)
{
    const int frames = static_cast<int>(std::lround(seconds * kSampleRate));
    std::vector<std::int16_t> samples(2 * static_cast<size_t>(frames));
    synth.start(tones, 0);
    synth.render(frames, samples.data());
    // A short fade instead of a click where the file cuts the chord off.
    const int fade = std::min(frames, kSampleRate / 50);
    for (int i = 0; i < fade; ++i) {
        const double gain = static_cast<double>(i) / fade;
        for (int c = 0; c < 2; ++c) {
            std::int16_t &s = samples[2 * static_cast<size_t>(frames - 1 - i) + c];
            s = static_cast<std::int16_t>(std::lround(s * gain));
        }
    }
    synth.release(0);
    return samples;
}

std::string wavFileBytes(const std::vector<std::int16_t> &samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string file = "RIFF";
    file.reserve(44 + dataBytes);
    putLittleEndian(file, 36 + dataBytes, 4);
    file += "WAVEfmt ";
    putLittleEndian(file, 16, 4); // size of the format chunk
    putLittleEndian(file, 1, 2);  // PCM
    putLittleEndian(file, 2, 2);  // stereo
    putLittleEndian(file, kSampleRate, 4);
    putLittleEndian(file, kSampleRate * 4, 4); // bytes per second
    putLittleEndian(file, 4, 2);               // bytes per frame
    putLittleEndian(file, 16, 2);              // bits per sample
    file += "data";
    putLittleEndian(file, dataBytes, 4);
    // Byte by byte into place: a call per byte took longer than the header.
    const size_t header = file.size();
    file.resize(header + dataBytes);
    char *out = file.data() + header;
    for (const std::int16_t s : samples) {
        const auto value = static_cast<std::uint16_t>(s);
        *out++ = static_cast<char>(value & 0xff);
        *out++ = static_cast<char>(value >> 8);
    }
    return file;
}

} // namespace chordvane::sound
