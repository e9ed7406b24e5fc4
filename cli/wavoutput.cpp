#include "findcommand.h"
#include "findparts.h"

#include "textdecode.h"
#include "tonesynth.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>

namespace chordvane::cli {

namespace {

// False when the system takes only part of the bytes (a full disk, a file
// size limit).
bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The whole file or nothing: the bytes go to a new file beside the target,
// which takes the target's place only once they are all written and on
// disk, with the old file's permissions. Where the file system allows, the
// new file has no name until then, so that a process killed part way
// leaves nothing behind. Through a link, the file it points to is replaced.
bool replaceFile(const std::string &path, const std::string &bytes)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const bool link = fs::is_symlink(fs::symlink_status(path, error));
    const fs::path target = link ? fs::canonical(path, error) : fs::path(path);
    if (link && error)
        return false;
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    const mode_t mode = existed ? 0600 : 0666;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string named = target.string() + ".~" + std::to_string(::getpid());
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = ::open(named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool placed = !unnamed;
    bool done = (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, bytes) &&
                ::fsync(fd) == 0;
    if (done && unnamed) {
        // A file cannot be linked over another: it gets its name, then moves.
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        placed = done =
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }
    done = done && ::rename(named.c_str(), target.c_str()) == 0;
    if (!done && placed)
        ::unlink(named.c_str());
    ::close(fd);
    return done;
}

} // namespace

int soundWork(const ChordTable &table, const Options &options, const std::vector<int> &notes,
              std::istream &in, std::ostream &out, std::ostream &err)
{
    if (!options.wavGiven)
        return queryWork(table, options, notes, in, out, err);
    const std::vector<ChordMatch> found = listChords(table, options, notes, out);
    if (found.empty())
        return kExitNothing;
    // The lines are the answer; they must not wait in a buffer while the
    // sound is written, nor be lost if that fails.
    out.flush();
    return writeWav(table, found.front(), notes.front(), options, err);
}

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
