// How the score reader takes files and .mxl archives it should not read whole.
#include "score.h"
#include "scoretesting.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

using namespace chordvane;
using namespace chordvane::score;

namespace {

const QByteArray kOneNote = "<score-partwise><part-list><score-part id=\"P\"/></part-list>"
                            "<part id=\"P\"><measure><note><pitch><step>C</step><octave>4"
                            "</octave></pitch><duration>1</duration></note></measure></part>"
                            "</score-partwise>";

} // namespace

TEST(ScoreFile, OnlyRegularFilesAreOpened)
{
    test::TempDir dir;
    const std::string fifo = dir.path() + "/pipe.musicxml";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A writer waits for a reader of the FIFO and gives it a good score: a
    // reader that opens the FIFO gets a score instead of hanging.
    std::thread writer([&] {
        const int fd = open(fifo.c_str(), O_WRONLY);
        if (fd >= 0) {
            EXPECT_EQ(write(fd, kOneNote.constData(), kOneNote.size()), kOneNote.size());
            close(fd);
        }
    });
    struct Case {
        std::string path;
        ReadError error;
    };
    const Case cases[] = {
        {fifo, ReadError::NotRegularFile},
        {"/dev/null", ReadError::NotRegularFile},
        {dir.path(), ReadError::Folder},
        {dir.path() + "/absent.musicxml", ReadError::NoSuchFile},
        {dir.path() + "/absent/x.musicxml", ReadError::NoSuchFile},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const ReadResult read = readScoreFile(QString::fromStdString(c.path));
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error, c.error);
    }
    // Lets the writer go if the reader left the FIFO alone, as it should.
    const int release = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(release);
}

// An archive member may unpack to no more than a plain file may hold, and
// what its headers claim is not trusted.
TEST(ScoreFile, ArchiveMembersUnpackNoLargerThanAFile)
{
    const QByteArray zeros(kMaxFileBytes + 1, '\0');
    const QByteArray root = test::container("s.xml");
    struct Case {
        const char *name;
        std::vector<test::Member> members;
        ReadError error;
        const char *detail;
    };
    const Case cases[] = {
        {"a root file one byte too large",
         {{"META-INF/container.xml", root}, {"s.xml", zeros}},
         ReadError::MemberTooLarge,
         "s.xml"},
        {"a container too large",
         {{"META-INF/container.xml", zeros}},
         ReadError::MemberTooLarge,
         "META-INF/container.xml"},
        {"a root file claiming to be small",
         {{"META-INF/container.xml", root}, {"s.xml", zeros, false, 100}},
         ReadError::BrokenMember,
         "s.xml"},
        {"a root file as large as allowed",
         {{"META-INF/container.xml", root}, {"s.xml", QByteArray(kMaxFileBytes, ' ')}},
         ReadError::NotXml,
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult read = readScoreData(test::makeArchive(c.members));
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.detail, QString::fromLatin1(c.detail));
    }
}
