#include "findcommand.h"
#include "findparts.h"

#include "textdecode.h"
#include "tonesynth.h"

#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <ostream>

namespace chordvane::cli {

namespace {

// The whole file or nothing: a write that fails part way (a full disk) leaves
// the file that was there as it was. Unbuffered, because a buffered write cut
// short goes unnoticed and commit() would put the truncated file in place.
bool replaceFile(const std::string &path, const std::string &bytes)
{
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int writeWav(const ChordTable &table, const ChordMatch &match, int bass, const Options &options,
             std::ostream &err)
{
    // A FIFO would wait for a reader for ever, and a device or a folder
    // is no place for a sound file.
    std::error_code error;
    const auto status = std::filesystem::status(options.wavPath, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        err << "chordvane-find: cannot write " << quoteForMessage(options.wavPath)
            << ": not a regular file\n";
        return kExitError;
    }
    // A SoundFont asked for by name is the only one tried.
    const std::vector<std::string> soundFonts =
        !options.soundFont.empty()
            ? std::vector<std::string>{options.soundFont}
            : sound::findSoundFonts(sound::soundFontFolders(), [](const std::string &path) {
                  std::error_code error;
                  return std::filesystem::is_regular_file(path, error);
              });
    if (soundFonts.empty()) {
        err << "chordvane-find: no General MIDI SoundFont in /usr/share/sounds/sf2 or sf3; "
               "install fluid-soundfont-gm\n";
        return kExitError;
    }
    sound::LoadedSynth loaded = sound::loadFirstReadable(soundFonts);
    if (!loaded.synth) {
        for (const std::string &path : loaded.unreadable)
            err << "chordvane-find: cannot read the SoundFont " << quoteForMessage(path) << '\n';
        return kExitError;
    }
    const int bassClass = FoldIntoOctave(bass, 1);
    const int root = match.root == NO_NOTE ? bassClass : match.root;
    const auto tones = sound::layOutChord(root, table.row(match.chord), bassClass,
                                          options.just ? sound::Tuning::Just : sound::Tuning::Equal,
                                          programOf(options.chordSound));
    const auto samples = sound::renderSamples(*loaded.synth, tones, sound::kPlaySeconds);
    if (!replaceFile(options.wavPath, sound::wavFileBytes(samples))) {
        err << "chordvane-find: cannot write " << quoteForMessage(options.wavPath) << '\n';
        return kExitError;
    }
    return kExitFound;
}

} // namespace chordvane::cli
