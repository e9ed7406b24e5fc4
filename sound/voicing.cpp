#include "voicing.h"

#include "notes.h"

#include <algorithm>
#include <array>

namespace chordvane::sound {

namespace {

constexpr int kMiddleC = 60;

} // namespace

std::vector<Tone> layOutChord(int root, const ChordRow &row, int bass, Tuning tuning, int program,
                              JustSeventh seventh)
{
    const int rootClass = FoldIntoOctave(root, 1);
    const int rootKey = kMiddleC - 1 + rootClass;
    const int bassClass = FoldIntoOctave(bass, 1);
    std::vector<Tone> tones;
    bool bassIsChordTone = false;
    for (const int interval : row) {
        if (interval == NO_NOTE)
            break;
        const int key = rootKey + interval - 1;
        bassIsChordTone =
            bassIsChordTone || FoldIntoOctave(rootClass + interval - 1, 1) == bassClass;
        if (std::any_of(tones.begin(), tones.end(), [key](const Tone &t) { return t.key == key; }))
            continue;
        const double cents = tuning == Tuning::Just ? JustCents(interval, 1, seventh) : 0.0;
        tones.push_back({key, cents, program});
    }
    const bool tuned = tuning == Tuning::Just && bassIsChordTone;
    tones.push_back({kMiddleC - 13 + bassClass,
                     tuned ? JustCents(bassClass, rootClass, seventh) : 0.0, program});
    return tones;
}

int programOf(ChordSound sound)
{
    switch (sound) {
    case ChordSound::Organ:
        return 19; // church organ: steady, without a rotating speaker
    case ChordSound::Strings:
        return 48;
    case ChordSound::Brass:
        return 61;
    case ChordSound::Piano:
        break;
    }
    return 0;
}

bool parseChordSound(std::string_view name, ChordSound &sound)
{
    constexpr std::array<std::pair<std::string_view, ChordSound>, 4> kNames = {{
        {"organ", ChordSound::Organ},
        {"strings", ChordSound::Strings},
        {"brass", ChordSound::Brass},
        {"piano", ChordSound::Piano},
    }};
    for (const auto &[text, value] : kNames) {
        if (text == name) {
            sound = value;
            return true;
        }
    }
    return false;
}

std::vector<std::string> soundFontFolders()
{
    return {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3"};
}

std::vector<std::string> findSoundFonts(const std::vector<std::string> &folders,
                                        const std::function<bool(const std::string &)> &exists)
{
    // The alternative that the admin chose first, then fluid-soundfont-gm,
    // musescore-general-soundfont(-small) and timgm6mb-soundfont.
    constexpr std::array<std::string_view, 7> kFiles = {
        "default-GM.sf2",        "default-GM.sf3",        "FluidR3_GM.sf2", "FluidR3_GM.sf3",
        "MuseScore_General.sf3", "MuseScore_General.sf2", "TimGM6mb.sf2",
    };
    std::vector<std::string> found;
    for (const std::string_view file : kFiles) {
        for (const std::string &folder : folders) {
            std::string path = folder + '/' + std::string(file);
            if (exists(path))
                found.push_back(std::move(path));
        }
    }
    return found;
}

} // namespace chordvane::sound
