// Standard MIDI Files read as scores: small files built here, byte by byte,
// and what --score prints for them or why they are refused.
#include "findcommand.h"
#include "midibytes.h"
#include "midifile.h"
#include "score.h"
#include "scoretesting.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace chordvane;
using namespace chordvane::score;
using namespace chordvane::test::midi;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome runFind(const test::TempDir &dir, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--list", dir.write("list.txt", test::kExampleList)});
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::runFind(args, in, out, err, "/nonexistent");
    return {status, out.str(), err.str()};
}

ReadResult readBytes(const std::string &file)
{
    return readScoreData(QByteArray::fromStdString(file));
}

} // namespace

// Division 4: a quarter note is 4 ticks, a measure of 4/4 16.
TEST(MidiScore, ScoreLinesFollowTheNotes)
{
    test::TempDir dir;
    struct Case {
        const char *name;
        std::string file;
        std::string lines;
    };
    const Case cases[] = {
        {"format 0: channels are parts, channel 10 left out",
         header(0, 1) + track(on(0, 0, 60) + on(0, 0, 64) + on(0, 0, 67) + on(0, 1, 36) +
                              on(0, 9, 38) + off(4, 9, 38) + on(4, 9, 42) + off(8, 0, 60) +
                              off(0, 0, 64) + off(0, 0, 67) + off(0, 1, 36)),
         "1\t1\t36 60 64 67\tC\t100\n"},
        {"running status and note-on with velocity 0 as note-off",
         header(0, 1) + track(on(0, 0, 57) + vlq(0) + bytes({60, 80}) + vlq(0) + bytes({64, 80}) +
                              vlq(4) + bytes({57, 0}) + vlq(0) + bytes({55, 80}) + vlq(4) +
                              bytes({60, 0}) + vlq(0) + bytes({64, 0}) + vlq(0) + bytes({55, 0})),
         "1\t1\t57 60 64\tAm\t100\n"
         "1\t2\t55 60 64\tC on G\t100\n"},
        {"a running status kept across a meta event",
         header(0, 1) + track(on(0, 0, 60) + meta(0, 0x01, "x") + vlq(0) + bytes({64, 80}) +
                              vlq(0) + bytes({67, 80}) + off(4, 0, 60) + vlq(0) + bytes({64, 0}) +
                              vlq(0) + bytes({67, 0})),
         "1\t1\t60 64 67\tC\t100\n"},
        {"no time signature: 4/4",
         header(0, 1) + track(on(0, 0, 60) + off(4, 0, 60) + on(12, 0, 62) + off(4, 0, 62) +
                              on(2, 0, 64) + off(2, 0, 64)),
         "1\t1\t60\t-\t-\n"
         "2\t1\t62\t-\t-\n"
         "2\t2.5\t64\t-\t-\n"},
        {"tempo changes move no note; 3/4, then 2/4 from measure 3",
         header(0, 1) +
             track(timeSignature(0, 3, 2) + tempo(0, 500000) + on(0, 0, 60) + tempo(4, 300000) +
                   off(0, 0, 60) + on(8, 0, 62) + tempo(2, 900000) + off(2, 0, 62) +
                   timeSignature(8, 2, 2) + on(4, 0, 64) + off(4, 0, 64)),
         "1\t1\t60\t-\t-\n"
         "2\t1\t62\t-\t-\n"
         "3\t2\t64\t-\t-\n"},
        {"a time signature in mid-measure starts a measure",
         header(0, 1) + track(on(0, 0, 60) + off(8, 0, 60) + timeSignature(0, 3, 3) + on(0, 0, 62) +
                              off(6, 0, 62) + on(0, 0, 64) + off(2, 0, 64)),
         "1\t1\t60\t-\t-\n"
         "2\t1\t62\t-\t-\n"
         "3\t1\t64\t-\t-\n"},
        {"format 1: a conductor track and two parts",
         header(1, 3) + track(timeSignature(0, 3, 2) + tempo(0, 400000)) +
             track(meta(0, 0x03, "Trumpet") + on(0, 0, 72) + off(12, 0, 72) + on(0, 0, 74) +
                   off(4, 0, 74)) +
             track(on(0, 1, 45) + off(6, 1, 45) + on(0, 1, 50) + off(10, 1, 50)),
         "1\t1\t45 72\tAm\t67\n"
         "1\t2.5\t50 72\t-\t-\n"
         "2\t1\t50 74\t-\t-\n"},
        {"same pitch overlapping: each note-off ends the earliest",
         header(0, 1) + track(on(0, 0, 60) + on(0, 0, 64) + on(4, 0, 60) + off(4, 0, 60) +
                              on(0, 0, 67) + off(4, 0, 60) + off(0, 0, 64) + off(0, 0, 67)),
         "1\t1\t60 64\tC\t67\n"
         "1\t2\t60 60 64\tC\t67\n"
         "1\t3\t60 64 67\tC\t100\n"},
        {"a repeated note whose note-on comes before the note-off of the same tick",
         header(0, 1) + track(on(0, 0, 60) + on(4, 0, 60) + off(0, 0, 60) + off(4, 0, 60)),
         "1\t1\t60\t-\t-\n"
         "1\t2\t60\t-\t-\n"},
        {"a note never released ends with its track",
         header(0, 1) + track(on(0, 0, 48) + on(4, 0, 55) + off(4, 0, 55) + on(0, 0, 64) +
                              off(4, 0, 64) + vlq(4) + bytes({0xFF, 0x01, 0})),
         "1\t1\t48\t-\t-\n"
         "1\t2\t48 55\tC\t67\n"
         "1\t3\t48 64\tC\t67\n"},
        {"other chunks skipped, notes of no length left out",
         header(0, 1) + "XFIH" + be(3, 4) + "abc" +
             track(on(0, 0, 60) + off(0, 0, 60) + on(0, 0, 62) + off(4, 0, 62)),
         "1\t1\t62\t-\t-\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = runFind(dir, {"--score", dir.write("s.mid", c.file)});
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, c.lines);
    }
}

TEST(MidiScore, PartsAreNamedAndSpelledFromTheFile)
{
    const std::string file =
        header(1, 4) + track(keySignature(0, -3) + keySignature(8, 2)) +
        track(meta(0, 0x03, " Alto  Sax ") + program(0, 0, 65) + on(0, 0, 63) + off(4, 0, 63) +
              on(0, 0, 70) + off(4, 0, 70) + on(0, 0, 66) + off(4, 0, 66)) +
        track(program(0, 2, 32) + on(0, 2, 40) + off(12, 2, 40) + on(0, 2, 42) + off(4, 2, 42)) +
        track(meta(0, 0x03, "\xE3\x83\x94\xE3\x82\xA2\xE3\x83\x8E") + on(0, 3, 61) + off(4, 3, 61));
    const ReadResult read = readBytes(file);
    ASSERT_TRUE(read.ok) << englishMessage(read).toStdString();
    EXPECT_TRUE(read.score.fromMidi);
    struct Expected {
        const char *name;
        int program;
        const char *clef;
        std::vector<Spelling> spellings;
    };
    const Expected expected[] = {
        // E♭, B♭ in E♭ major; F♯ (a semitone below G) in D major from tick 8.
        {"Alto Sax", 65, "G", {{2, -1}, {6, -1}, {3, 1}}},
        {"Acoustic Bass", 32, "F", {{2, 0}, {3, 1}}},
        {"ピアノ", -1, "G", {{1, -1}}},
    };
    ASSERT_EQ(read.score.parts.size(), std::size(expected));
    for (size_t p = 0; p < std::size(expected); ++p) {
        const Expected &e = expected[p];
        const Part &part = read.score.parts[p];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(part.name, QString::fromUtf8(e.name));
        EXPECT_EQ(part.program, e.program);
        EXPECT_EQ(part.settings.front().clef, e.clef);
        ASSERT_EQ(part.notes.size(), e.spellings.size());
        for (size_t n = 0; n < part.notes.size(); ++n) {
            EXPECT_EQ(part.notes[n].spelling, e.spellings[n]) << n;
            EXPECT_EQ(part.notes[n].written, part.notes[n].sounding);
        }
    }
    const PartSetting &d = settingAt(read.score.parts[0], Fraction(2));
    EXPECT_TRUE(d.keyGiven);
    EXPECT_EQ(d.fifths, 2);
}

TEST(MidiScore, ChromaticNotesAreSpelledFromTheKey)
{
    struct Case {
        int fifths;
        int key;
        Spelling spelling;
    };
    const Case cases[] = {
        {0, 70, {6, -1}}, {0, 63, {2, -1}},  {0, 68, {5, -1}}, {0, 61, {0, 1}},
        {0, 66, {3, 1}},  {2, 60, {0, 0}},   {2, 65, {3, 0}},  {-6, 71, {0, -1}},
        {7, 60, {6, 1}},  {-1, 70, {6, -1}}, {4, 68, {4, 1}},  {1, 70, {6, -1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.fifths << " fifths, key " << c.key);
        const std::string file =
            header(0, 1) + track(keySignature(0, c.fifths) + on(0, 0, c.key) + off(4, 0, c.key));
        const ReadResult read = readBytes(file);
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.score.parts[0].notes[0].spelling, c.spelling);
    }
}

TEST(MidiScore, BrokenFilesAreRefusedSayingWhere)
{
    const std::string note = on(0, 0, 60) + off(4, 0, 60);
    std::string manyTicks;
    for (int i = 0; i < 4097; ++i)
        manyTicks += vlq(0x0FFF'FFFF) + bytes({0xFF, 0x01, 0});
    struct Case {
        const char *name;
        std::string file;
        ReadError error;
        const char *message; // the command line's
    };
    const Case cases[] = {
        {"SMPTE timing", header(0, 1, 0xE728) + track(note), ReadError::MidiSmpte,
         "header, byte 12: the MIDI file counts time in SMPTE frames, not in beats; save it with "
         "ticks per "
         "quarter note"},
        {"format 2", header(2, 1) + track(note), ReadError::MidiFormat,
         "MIDI files of format 2 are not read (only formats 0 and 1)"},
        {"a header too short", "MThd" + be(4, 4) + be(0, 2) + be(1, 2), ReadError::MidiHeader,
         "header, byte 4: a broken MIDI file header"},
        {"no tracks", header(0, 0), ReadError::MidiHeader,
         "header, byte 10: a broken MIDI file header"},
        {"division 0", header(0, 1, 0) + track(note), ReadError::MidiHeader,
         "header, byte 12: a broken MIDI file header"},
        {"a track cut short", header(0, 1) + track(note).substr(0, 12), ReadError::MidiTruncated,
         "track 1, byte 22: the MIDI file ends too early; it may be truncated"},
        {"fewer tracks than the header says", header(1, 2) + track(note), ReadError::MidiTruncated,
         "track 2, byte 34: the MIDI file ends too early; it may be truncated"},
        {"an absurd track length", header(0, 1) + "MTrk" + be(0xFFFF'FFFF, 4) + note,
         ReadError::MidiTruncated,
         "track 1, byte 22: the MIDI file ends too early; it may be truncated"},
        {"an event past its track's end", header(0, 1) + "MTrk" + be(2, 4) + on(0, 0, 60),
         ReadError::MidiTruncated,
         "track 1, byte 24: the MIDI file ends too early; it may be truncated"},
        {"a meta event longer than its track",
         header(0, 1) + track(vlq(0) + bytes({0xFF, 0x03, 0x7F}) + "ab", false),
         ReadError::MidiTruncated,
         "track 1, byte 26: the MIDI file ends too early; it may be truncated"},
        {"a five-byte delta", header(0, 1) + track(bytes({0x81, 0x80, 0x80, 0x80, 0x00}) + note),
         ReadError::MidiLongNumber,
         "track 1, byte 22: a number in the MIDI file is longer than four bytes"},
        {"a data byte before any status", header(0, 1) + track(vlq(0) + bytes({60, 80}) + note),
         ReadError::MidiBadEvent,
         "track 1, byte 23: the MIDI file holds an event that cannot be read"},
        {"a status byte as data", header(0, 1) + track(vlq(0) + bytes({0x90, 0x90, 80})),
         ReadError::MidiBadEvent,
         "track 1, byte 23: the MIDI file holds an event that cannot be read"},
        {"a system message no file holds", header(0, 1) + track(vlq(0) + bytes({0xF8}) + note),
         ReadError::MidiBadEvent,
         "track 1, byte 23: the MIDI file holds an event that cannot be read"},
        {"ticks past any score", header(0, 1) + track(manyTicks), ReadError::MidiTooLong,
         "track 1, byte 28698: the MIDI file's notes run on too long to lay out in measures"},
        {"a note a hundred thousand measures on",
         header(0, 1, 1) + track(on(400'001, 0, 60) + off(1, 0, 60)), ReadError::MidiTooLong,
         "the MIDI file's notes run on too long to lay out in measures"},
        {"only percussion", header(0, 1) + track(on(0, 9, 38) + off(4, 9, 38)), ReadError::NoParts,
         "the score has no parts"},
    };
    test::TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readBytes(c.file);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error, c.error);
        const std::string path = dir.write("bad.mid", c.file);
        const Outcome outcome = runFind(dir, {"--score", path});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err,
                  "chordvane-find: cannot read the score \"" + path + "\": " + c.message + "\n");
    }
}

TEST(MidiScore, EventsAreCountedOverAllTracks)
{
    // Half the bound in each of three tracks: no track alone is too many.
    const size_t perTrack = midifile::kMaxEvents / 2;
    std::string events;
    events.reserve(perTrack * 4);
    for (size_t i = 0; i < perTrack; ++i)
        events += vlq(0) + bytes({0xFF, 0x01, 0});
    const std::string body = track(events, false);
    const auto read = [](const std::string &file) {
        return midifile::readMidi(
            std::span(reinterpret_cast<const std::uint8_t *>(file.data()), file.size()));
    };
    EXPECT_EQ(read(body).error, midifile::MidiError::NotMidi);
    const auto many = read(header(1, 3) + body + body + body);
    EXPECT_EQ(many.error, midifile::MidiError::TooManyEvents);
    EXPECT_EQ(many.track, 2);
    EXPECT_TRUE(read(header(1, 2) + body + body).ok());
}

TEST(MidiScore, ChartsButRefusesToAnnotate)
{
    test::TempDir dir;
    const std::string score =
        dir.write("s.mid", header(0, 1) + track(on(0, 0, 48) + on(0, 0, 64) + on(0, 0, 67) +
                                                off(16, 0, 48) + off(0, 0, 64) + off(0, 0, 67)));
    const Outcome chart = runFind(dir, {"--score", score, "--chart"});
    EXPECT_EQ(chart.status, 0);
    EXPECT_EQ(chart.out, "1\t1\tC\t100\tC\n");
    const Outcome tuning = runFind(dir, {"--score", score, "--tuning"});
    EXPECT_EQ(tuning.status, 0);
    EXPECT_NE(tuning.out, "");

    const std::string out = dir.path() + "/out.musicxml";
    const Outcome annotate = runFind(dir, {"--score", score, "--annotate", out});
    EXPECT_EQ(annotate.status, 2);
    EXPECT_EQ(annotate.out, "");
    EXPECT_EQ(annotate.err, "chordvane-find: --annotate: the score \"" + score +
                                "\" is a MIDI file, which has no notation to write chord "
                                "symbols into\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}
