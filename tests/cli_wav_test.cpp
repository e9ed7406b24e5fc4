// chordvane-find --wav: what is written, where, and what it sounds like.
#include "clirun.h"
#include "pitchpeak.h"
#include "testsupport.h"
#include "textdecode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

using namespace chordvane;
using chordvane::test::Outcome;
using chordvane::test::readFile;
using chordvane::test::run;
using chordvane::test::shell;

TEST(ChordvaneFind, WavKeepsTheFileItWouldReplaceWhenWritingFails)
{
    // A file size limit makes the write fail part way, for root too. The
    // program ignores SIGXFSZ whatever the caller left it at, and reports
    // the short write as it would a full disk. The old file stays, and the
    // lines are out.
    test::TempDir dir;
    const std::string keep = dir.write("keep.wav", "old sound");
    const std::string find = std::string(CHORDVANE_FIND) + " --wav " + keep + " C E G";
    const std::string lines = dir.path() + "/lines.txt", err = dir.path() + "/err.txt";
    for (const char *trap : {"trap '' XFSZ;", ""}) {
        SCOPED_TRACE(trap);
        EXPECT_EQ(
            shell(std::string(trap) + " ulimit -f 64; exec " + find + " >" + lines + " 2>" + err),
            2);
        EXPECT_EQ(readFile(err), "chordvane-find: cannot write " + quoteForMessage(keep) + "\n");
        EXPECT_EQ(readFile(keep).substr(0, 16), "old sound");
        EXPECT_EQ(readFile(lines).substr(0, 7), "C\t100\nC");
        const auto entries = std::filesystem::directory_iterator(dir.path());
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 3); // no temporary file left
    }
}

TEST(ChordvaneFind, WavRefusesATargetThatIsNoRegularFile)
{
    // Opening a FIFO without a reader would wait for ever; the timeout only
    // ends a run that hangs. (No device here: a run as root that replaced
    // /dev/null would break the machine.)
    test::TempDir dir;
    const std::string fifo = dir.path() + "/pipe.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &target : {fifo, dir.path()}) {
        SCOPED_TRACE(target);
        const std::string err = dir.path() + "/err.txt";
        EXPECT_EQ(shell("timeout 60 " + std::string(CHORDVANE_FIND) + " --wav " + target +
                        " C E G >/dev/null 2>" + err),
                  2);
        EXPECT_EQ(readFile(err),
                  "chordvane-find: cannot write \"" + target + "\": not a regular file\n");
    }
}

TEST(RunFind, WavIsWrittenForTheFirstChordOnly)
{
    test::TempDir dir;
    const std::string list = dir.write("list.txt", test::kExampleList);
    const std::string wav = dir.path() + "/chord.wav";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        const char *err; // the start of the message
        bool written;
    };
    const std::string cegOut = "C\t100\nC7\t75\nEm on C\t67\n";
    // clang-format off
    const std::vector<Case> cases = {
        {{"--list", list, "--wav", wav, "C", "E", "G"}, 0, cegOut, "", true},
        {{"--list", list, "--wav", wav, "C", "C#", "D"}, 1, "", "", false},
        {{"--list", list, "--wav", dir.path() + "/no/such/folder.wav", "C", "E", "G"}, 2, cegOut,
         "chordvane-find: cannot write", false},
        {{"--list", list, "--wav", wav, "--sound", "harp", "C", "E"}, 2, "",
         "chordvane-find: --sound", false},
        {{"--list", list, "--wav", wav, "--batch"}, 2, "", "chordvane-find: --wav", false},
        {{"--list", list, "--wav", wav, "--soundfont", list, "C", "E", "G"}, 2, cegOut,
         "chordvane-find: cannot read the SoundFont", false},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        std::filesystem::remove(wav);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.err.substr(0, std::strlen(c.err)), c.err);
        EXPECT_EQ(std::filesystem::exists(wav), c.written);
    }
    run({"--list", list, "--wav", wav, "C", "E", "G"});
    const test::Wav read = test::readWav(wav);
    EXPECT_EQ(read.channels, 2);
    EXPECT_EQ(read.sampleRate, 44100);
    EXPECT_EQ(read.bits, 16);
    EXPECT_EQ(read.mono.size(), 2u * 44100);
}

TEST(RunFind, WavSoundsTheLaidOutTonesTemperedOrJust)
{
    // C7 over C: the bass C3, then C4 E4 G4 B♭4, on the SoundFont that the
    // set-up installs (timgm6mb-soundfont), whatever the machine's default.
    test::TempDir dir;
    const int keys[] = {48, 60, 64, 67, 70};
    const double justCents[] = {0, 0, -13.7, 2, 17.9};
    auto pitches = [&](const std::vector<std::string> &options) {
        std::vector<std::string> args = options;
        const std::string wav = dir.path() + "/chord.wav";
        args.insert(args.end(), {"--soundfont", "/usr/share/sounds/sf2/TimGM6mb.sf2", "--rate",
                                 "100", "--wav", wav, "C", "C", "E", "G", "Bb"});
        EXPECT_EQ(run(args).status, 0);
        const test::Wav read = test::readWav(wav);
        std::vector<double> cents; // from equal temperament
        for (const int key : keys) {
            const double tempered = 440 * std::pow(2.0, (key - 69) / 12.0);
            cents.push_back(test::centsBetween(
                test::peakFrequency(read.mono, read.sampleRate, tempered), tempered));
        }
        return cents;
    };
    // SoundFont samples are a few cents off on their own.
    const std::vector<double> piano = pitches({});
    for (size_t i = 0; i < piano.size(); ++i)
        EXPECT_NEAR(piano[i], 0, 5) << "key " << keys[i];
    // The differences cancel the samples' own errors. The organ holds its
    // tone steady; a piano's decaying C3 puts its third partial on G4.
    const std::vector<double> equal = pitches({"--sound", "organ"});
    const std::vector<double> just = pitches({"--sound", "organ", "--just"});
    for (size_t i = 0; i < equal.size(); ++i)
        EXPECT_NEAR(just[i] - equal[i], justCents[i], 1) << "key " << keys[i];
}
