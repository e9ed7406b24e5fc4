#include "findcommand.h"
#include "findparts.h"

#include "textdecode.h"
#include "tonesynth.h"

#include <filesystem>
#include <ostream>

namespace chordvane::cli {

// The first chord found, laid out as the results window plays it.
int writeWav(const ChordTable &table, const ChordMatch &match, int bass, const Options &options,
             std::ostream &err)
{
    std::string soundFont = options.soundFont;
    if (soundFont.empty()) {
        soundFont = sound::findSoundFont(sound::soundFontFolders(), [](const std::string &path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        });
    }
    if (soundFont.empty()) {
        err << "chordvane-find: no General MIDI SoundFont in /usr/share/sounds/sf2 or sf3; "
               "install fluid-soundfont-gm\n";
        return kExitError;
    }
    const int bassClass = FoldIntoOctave(bass, 1);
    const int root = match.root == NO_NOTE ? bassClass : match.root;
    const auto tones = sound::layOutChord(root, table.row(match.chord), bassClass,
                                          options.just ? sound::Tuning::Just : sound::Tuning::Equal,
                                          programOf(options.chordSound));
    switch (sound::renderWav(soundFont, tones, sound::kPlaySeconds, options.wavPath)) {
    case sound::WavResult::Written:
        return kExitFound;
    case sound::WavResult::BadSoundFont:
        err << "chordvane-find: cannot read the SoundFont " << quoteForMessage(soundFont) << '\n';
        break;
    case sound::WavResult::CannotWrite:
        err << "chordvane-find: cannot write " << quoteForMessage(options.wavPath) << '\n';
        break;
    }
    return kExitError;
}

} // namespace chordvane::cli
