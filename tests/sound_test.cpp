#include "instruments.h"
#include "soundoutput.h"
#include "testsupport.h"
#include "tonesynth.h"
#include "voicing.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

using namespace chordvane;
using namespace chordvane::sound;

namespace {

ChordRow row(std::initializer_list<int> intervals)
{
    ChordRow r;
    r.fill(NO_NOTE);
    std::copy(intervals.begin(), intervals.end(), r.begin());
    return r;
}

} // namespace

TEST(LayOutChord, RootFromMiddleCTonesAboveBassAnOctaveBelow)
{
    struct Case {
        const char *name;
        int root;
        ChordRow row;
        int bass;
        Tuning tuning;
        std::vector<std::pair<int, double>> tones; // key, cents
    };
    // clang-format off
    const Case cases[] = {
        {"C7", 1, row({1, 5, 8, 11}), 1, Tuning::Equal,
         {{60, 0}, {64, 0}, {67, 0}, {70, 0}, {48, 0}}},
        {"C7 just", 13, row({1, 5, 8, 11}), 1, Tuning::Just,
         {{60, 0}, {64, -13.7}, {67, 2}, {70, 17.9}, {48, 0}}},
        // The bass C is the minor third of A: tuned with the chord.
        {"Am7 on C just", 10, row({1, 4, 8, 11}), 1, Tuning::Just,
         {{69, 0}, {72, 15.6}, {76, 2}, {79, 17.9}, {48, 15.6}}},
        // The bass C is no tone of D major: it stays tempered.
        {"D on C just", 3, row({1, 5, 8}), 13, Tuning::Just,
         {{62, 0}, {66, -13.7}, {69, 2}, {48, 0}}},
        {"B, the highest root, over B♭", 12, row({1, 5, 8}), 11, Tuning::Equal,
         {{71, 0}, {75, 0}, {78, 0}, {58, 0}}},
        // 3 and 15 are one pitch class in two octaves; a repeated tone sounds once.
        {"add9 with a ninth", 1, row({1, 3, 5, 15, 15}), 1, Tuning::Just,
         {{60, 0}, {62, 3.9}, {64, -13.7}, {74, 3.9}, {48, 0}}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Tone> tones = layOutChord(c.root, c.row, c.bass, c.tuning, 19);
        ASSERT_EQ(tones.size(), c.tones.size());
        for (size_t i = 0; i < tones.size(); ++i) {
            EXPECT_EQ(tones[i].key, c.tones[i].first) << i;
            EXPECT_NEAR(tones[i].cents, c.tones[i].second, 1e-5) << i;
            EXPECT_EQ(tones[i].program, 19);
        }
    }
}

TEST(SoundingKey, RowsSoundAtConcertPitchOnTheirInstruments)
{
    struct Case {
        const char *instrument;
        int written; // note number, C = 1 middle C on the treble clef
        bool bassClef;
        int tune, instrumentOffset;
        int key, program;
    };
    const Case cases[] = {
        {"(楽器名)", 1, false, 0, 0, 60, 0},        // no instrument: piano
        {"トランペット", 3, false, -2, -2, 60, 56}, // written D sounds C
        {"クラリネット", 3, false, -2, -2, 60, 71},
        {"アルト・サクソフォン", 10, false, 3, 3, 60, 65}, // written A sounds the C a sixth below
        {"アルト・サクソフォン", 10, false, 0, 3, 69, 65}, // played from a part in C: as written
        {"テナー・サクソフォン", 3, false, -2, -2, 48, 66},
        {"バリトン・サクソフォン", 10, false, 3, 3, 48, 67},
        {"ホルン", 8, false, 5, 5, 60, 60},
        {"フルート", 13, false, 0, 0, 72, 73},
        {"ピッコロ", 1, false, 0, 0, 72, 72},
        {"テューバ", 13, true, 0, 0, 48, 58}, // the bass clef's second space is C3
        {"トロンボーン", 13, true, 0, 0, 48, 57},
        {"コントラバス", 13, true, 0, 0, 36, 43},
        {"【 in B♭ 】", 3, false, -2, -2, 60, 0},
        {"その他", 1, false, 0, 0, 60, 0},
        {"ピアノ", -200, true, 0, 0, 3, 0}, // kept on the MIDI keyboard by octaves
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.instrument) + " " + std::to_string(c.written));
        const auto instrument =
            std::find_if(kInstruments.begin(), kInstruments.end(),
                         [&](const Instrument &i) { return i.name == c.instrument; });
        ASSERT_NE(instrument, kInstruments.end());
        ASSERT_EQ(instrument->offset, c.instrumentOffset);
        const Voice voice = voiceOf(*instrument);
        EXPECT_EQ(voice.program, c.program);
        EXPECT_EQ(soundingKey(c.written, c.bassClef, c.tune, voice), c.key);
    }
}

TEST(FindSoundFonts, DebiansDefaultFirstThenTheKnownPackages)
{
    const std::vector<std::string> folders = {"/sf2", "/sf3"};
    struct Case {
        std::set<std::string> present;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {{"/sf2/TimGM6mb.sf2", "/sf3/default-GM.sf3", "/sf2/FluidR3_GM.sf2"},
         {"/sf3/default-GM.sf3", "/sf2/FluidR3_GM.sf2", "/sf2/TimGM6mb.sf2"}},
        {{"/sf2/TimGM6mb.sf2", "/sf3/MuseScore_General.sf3", "/sf2/FluidR3_GM.sf2"},
         {"/sf2/FluidR3_GM.sf2", "/sf3/MuseScore_General.sf3", "/sf2/TimGM6mb.sf2"}},
        {{"/sf2/TimGM6mb.sf2", "/elsewhere/default-GM.sf2"}, {"/sf2/TimGM6mb.sf2"}},
        {{"/sf2/OtherGM.sf2"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.found));
        EXPECT_EQ(findSoundFonts(
                      folders, [&](const std::string &path) { return c.present.count(path) > 0; }),
                  c.found);
    }
}

TEST(LoadFirstReadable, ADamagedSoundFontIsPassedOverForTheNext)
{
    test::TempDir dir;
    const std::string damaged = dir.write("default-GM.sf2", "RIFF\x04\0\0\0sfbk");
    const std::string good = "/usr/share/sounds/sf2/TimGM6mb.sf2"; // installed for the tests
    struct Case {
        std::vector<std::string> paths;
        std::string loaded; // empty: none
        std::vector<std::string> unreadable;
    };
    const Case cases[] = {
        {{damaged, good}, good, {damaged}},
        {{good, damaged}, good, {}},
        {{damaged}, "", {damaged}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.paths));
        const LoadedSynth loaded = loadFirstReadable(c.paths);
        EXPECT_EQ(loaded.synth != nullptr, !c.loaded.empty());
        EXPECT_EQ(loaded.soundFont, c.loaded);
        EXPECT_EQ(loaded.unreadable, c.unreadable);
    }
    // The player says which file it could not read, instead of "not found";
    // it stops there, before any audio device is opened.
    FluidPlayer player({dir.path()});
    EXPECT_EQ(player.play({}), SoundProblem::UnreadableSoundFont);
    EXPECT_EQ(player.problemDetails(), std::vector<std::string>{damaged});
}

TEST(ToneSynth, EveryToneHasAChannelOfItsOwnAndNoneIsTheDrumChannel)
{
    // The first unused channel keeps its centred bend; each tone bends its own.
    ToneSynth synth("");
    auto *fluid = static_cast<fluid_synth_t *>(synth.synthHandle());
    const std::vector<Tone> tones(kTonesPerGroup, Tone{60, 30, 0});
    for (int group = 0; group < kGroups; ++group) {
        SCOPED_TRACE(group);
        synth.start(tones, group);
        std::vector<int> bent;
        for (int channel = 16 * group; channel < 16 * (group + 1); ++channel) {
            int bend = 0;
            fluid_synth_get_pitch_bend(fluid, channel, &bend);
            if (bend != 8192)
                bent.push_back(channel % 16);
        }
        EXPECT_EQ(bent, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}));
    }
}

TEST(ToneSynth, LoadingOnlyThePlayedSamplesSoundsTheSame)
{
    const std::string soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    // Programs chosen one after another, as the window does: piano, then
    // trumpet, strings and organ, then the piano again.
    const std::vector<Tone> chords[] = {
        {{60, 0, 0}, {64, -13.7, 0}, {48, 0, 0}},
        {{67, 2, 56}, {70, 17.9, 48}, {43, 0, 19}},
        {{72, 0, 0}, {36, 0, 48}},
    };
    ToneSynth played(soundFont, ToneSynth::Samples::Played);
    ToneSynth all(soundFont, ToneSynth::Samples::All);
    for (size_t i = 0; i < std::size(chords); ++i) {
        SCOPED_TRACE(i);
        const std::vector<std::int16_t> samples = renderSamples(played, chords[i], 0.5);
        EXPECT_EQ(samples, renderSamples(all, chords[i], 0.5));
        EXPECT_NE(std::count(samples.begin(), samples.end(), 0), std::ssize(samples));
    }
}

namespace {

// What f writes to the process's standard error, where the libraries write.
std::string standardErrorOf(const std::function<void()> &f)
{
    std::fflush(stderr);
    FILE *capture = std::tmpfile();
    const int saved = dup(2);
    dup2(fileno(capture), 2);
    f();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text(static_cast<size_t>(std::ftell(capture)), '\0');
    std::rewind(capture);
    text.resize(std::fread(text.data(), 1, text.size(), capture));
    std::fclose(capture);
    return text;
}

} // namespace

TEST(ToneSynth, KeepsTheLibrariesOwnMessagesOutOfTheTerminal)
{
    test::TempDir dir;
    const std::string notSoundFont = dir.write("list.sf2", "m:1,4,8\n");
    const std::function<void()> cases[] = {
        // GLib's "CRITICAL" from FluidSynth's SoundFont loader.
        [&] { EXPECT_FALSE(ToneSynth(notSoundFont).loaded()); },
        // ALSA's lines for a device it cannot open; none of a real one is opened.
        [&] {
            ToneSynth synth("/usr/share/sounds/sf2/TimGM6mb.sf2");
            auto *settings = static_cast<fluid_settings_t *>(synth.settingsHandle());
            fluid_settings_setstr(settings, "audio.driver", "alsa");
            fluid_settings_setstr(settings, "audio.alsa.device", "chordvane-no-such-device");
            EXPECT_EQ(
                new_fluid_audio_driver(settings, static_cast<fluid_synth_t *>(synth.synthHandle())),
                nullptr);
        },
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(standardErrorOf(cases[i]), "");
    }
}
