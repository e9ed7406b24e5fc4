// chordvane-find --chart --format text and --pdf: the chart as a music
// stand shows it.
#include "clirun.h"
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>

using namespace chordvane;
using chordvane::test::expectPrints;
using chordvane::test::Outcome;
using chordvane::test::run;

namespace {

const std::string kScores = CHORDVANE_SCORE_DATA;

TEST(RunFind, TheTextChartHasFourMeasuresALineUnderTheirKeyAndTime)
{
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"--score", kScores + "/leadsheet.musicxml", "--chart", "--format", "text"},
         "Étude 練習曲\n"
         "Key: C major   Time: 3/4\n"
         "   1 | C              | %              | F              |\n"
         "Key: E♭ major   Time: 4/4\n"
         "   4 | E♭                  | %                   | A♭                  | B♭              "
         "    ||\n"
         "[A]\n"
         "   8 | E♭                  | N.C.                ||\n"},
        {{"--score", kScores + "/leadsheet.musicxml", "--chart", "--format=text", "--transpose-for",
          "Eb"},
         "Étude 練習曲\n"
         "for E♭ instruments\n"
         "Key: A major   Time: 3/4\n"
         "   1 | A              | %              | D              |\n"
         "Key: C major   Time: 4/4\n"
         "   4 | C                   | %                   | F                   | G               "
         "    ||\n"
         "[A]\n"
         "   8 | C                   | N.C.                ||\n"},
        // Without a title, the file's name; two chords in a measure at their beats.
        {{"--score", kScores + "/chorale.musicxml", "--chart", "--format", "text"},
         "chorale.musicxml\n"
         "Key: A♭ major   Time: 4/4\n"
         "   1 | A♭        D♭        | E♭7       A♭/C      | Fm        D♭   E♭   | "
         "A♭                  |\n"},
    };
    for (const Case &c : cases)
        expectPrints(c.args, c.out);
}

TEST(RunFind, ThePdfChartReadsBackAsTheTextChart)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    test::TempDir dir;
    for (const char *instrument : {"C", "Bb"}) {
        SCOPED_TRACE(instrument);
        const std::string pdf = dir.path() + "/chart.pdf";
        const std::vector<std::string> args = {"--score", kScores + "/leadsheet.musicxml",
                                               "--chart", "--format",
                                               "text",    "--transpose-for",
                                               instrument};
        const Outcome text = run(args);
        std::vector<std::string> withPdf = args;
        withPdf.insert(withPdf.end(), {"--pdf", pdf});
        const Outcome o = run(withPdf);
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, text.out);
        QProcess process;
        process.start(pdftotext, {QStringLiteral("-layout"), QString::fromStdString(pdf),
                                  QStringLiteral("-")});
        ASSERT_TRUE(process.waitForFinished(60'000));
        // Word for word; the spaces between them are the reader's.
        const auto words = [](const QString &s) {
            return s.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        };
        EXPECT_EQ(words(QString::fromUtf8(process.readAllStandardOutput())),
                  words(QString::fromStdString(text.out)));
    }
}

TEST(RunFind, TheChartLayoutRefusesWhatItCannotDo)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() + "/folder.pdf");
    const std::string score = kScores + "/chorale.musicxml";
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {{"--score", score, "--chart", "--format", "xml"}, "--format takes text, not \"xml\""},
        {{"--score", score, "--format", "text"}, "not without --chart"},
        {{"--score", score, "--pdf", dir.path() + "/a.pdf"}, "not without --chart"},
        {{"--score", score, "--chart", "--pdf", dir.path() + "/folder.pdf"},
         "a folder, FIFO or device cannot be replaced"},
        {{"--score", score, "--chart", "--pdf", dir.path() + "/no/such/a.pdf"}, "cannot write it"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path() + "/a.pdf"));
    }
}

} // namespace
