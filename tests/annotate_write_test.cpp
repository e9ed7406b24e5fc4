#include "annotatetesting.h"

#include <gtest/gtest.h>
#include <zlib.h>

using namespace chordvane;
using namespace chordvane::test;

namespace {

TEST(Annotate, RefusesWithAMessageAndLeavesEveryFileAsItWas)
{
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    const QString in = folder + QStringLiteral("in.musicxml");
    const QByteArray score = readFile(kData + QStringLiteral("/small.musicxml"));
    writeFile(in, score);
    fs::create_symlink(in.toStdString(), (folder + QStringLiteral("link.musicxml")).toStdString());
    fs::create_hard_link(in.toStdString(), (folder + QStringLiteral("hard.xml")).toStdString());
    fs::create_directory((folder + QStringLiteral("folder.xml")).toStdString());
    ASSERT_EQ(mkfifo((folder + QStringLiteral("fifo.xml")).toLocal8Bit().constData(), 0600), 0);
    writeFile(folder + QStringLiteral("not_score.xml"), "<html/>");
    const std::vector<ChordSymbol> good = {symbol(Fraction(0), "C", "")};
    const std::vector<ChordSymbol> late = {symbol(Fraction(17), "C", "")};
    const std::vector<ChordSymbol> early = {symbol(Fraction(-1), "C", "")};
    const std::vector<ChordSymbol> twice = {
        symbol(Fraction(1), "C", ""), symbol(Fraction(0), "C", ""), symbol(Fraction(1), "D", "m")};
    const std::vector<ChordSymbol> noRoot = {{Fraction(0), {7, 0}, chordList().row(0), "", {}}};
    struct Case {
        const char *name;
        const char *in;
        const char *out;
        std::vector<ChordSymbol> symbols;
        AnnotateError error;
    };
    const Case cases[] = {
        {"the same name", "in.musicxml", "in.musicxml", good, AnnotateError::SameFile},
        {"the same file by another path", "in.musicxml", "./in.musicxml", good,
         AnnotateError::SameFile},
        {"a symbolic link to it", "in.musicxml", "link.musicxml", good, AnnotateError::SameFile},
        {"a hard link to it", "in.musicxml", "hard.xml", good, AnnotateError::SameFile},
        {"a folder", "in.musicxml", "folder.xml", good, AnnotateError::NotRegularFile},
        {"a FIFO", "in.musicxml", "fifo.xml", good, AnnotateError::NotRegularFile},
        {"inside a file", "in.musicxml", "in.musicxml/out.xml", good, AnnotateError::CannotWrite},
        {"no known extension", "in.musicxml", "out.txt", good, AnnotateError::UnknownForm},
        {"no score", "missing.musicxml", "out.xml", good, AnnotateError::Unreadable},
        {"not MusicXML", "not_score.xml", "out.xml", good, AnnotateError::Unreadable},
        {"a symbol after the end", "in.musicxml", "out.xml", late, AnnotateError::BadSymbol},
        {"a symbol before the start", "in.musicxml", "out.xml", early, AnnotateError::BadSymbol},
        {"two symbols at one time", "in.musicxml", "out.xml", twice, AnnotateError::BadSymbol},
        {"a root beyond B", "in.musicxml", "out.xml", noRoot, AnnotateError::BadSymbol},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const AnnotateResult result =
            annotateFile(folder + QLatin1String(c.in), c.symbols, folder + QLatin1String(c.out));
        EXPECT_EQ(result.error, c.error);
        EXPECT_FALSE(englishMessage(result).isEmpty());
        EXPECT_EQ(readFile(in), score);
        EXPECT_FALSE(fs::exists(dir.path() + "/out.xml"));
        EXPECT_TRUE(fs::is_directory(dir.path() + "/folder.xml"));
        EXPECT_TRUE(fs::is_fifo(dir.path() + "/fifo.xml"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 6);
}

// Whole notes in the top part over quarters, for two symbols a measure.
QByteArray wholeNoteScore(int measures)
{
    const QString note = QStringLiteral(
        "<note><pitch><step>C</step><octave>%1</octave></pitch><duration>%2</duration>"
        "<voice>1</voice><type>%3</type></note>");
    const QString attributes = QStringLiteral(
        "<attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type></time>"
        "<clef><sign>%1</sign><line>%2</line></clef></attributes>");
    QString top, bass;
    for (int m = 1; m <= measures; ++m) {
        const QString head = QStringLiteral("\n<measure number=\"%1\">").arg(m);
        const bool first = m == 1;
        top += head + (first ? attributes.arg(u'G').arg(2) : QString()) +
               note.arg(5).arg(8).arg(QLatin1String("whole")) + QLatin1String("</measure>");
        bass += head + (first ? attributes.arg(u'F').arg(4) : QString()) +
                note.arg(3).arg(2).arg(QLatin1String("quarter")).repeated(4) +
                QLatin1String("</measure>");
    }
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<score-partwise version="3.1"><part-list>
<score-part id="P1"><part-name>Top</part-name></score-part>
<score-part id="P2"><part-name>Bass</part-name></score-part></part-list>
<part id="P1">%1</part><part id="P2">%2</part></score-partwise>
)")
        .arg(top, bass)
        .toUtf8();
}

TEST(Annotate, MuseScoreKeepsEverySymbol)
{
    const QString museScore = QStandardPaths::findExecutable(QStringLiteral("mscore3"));
    if (museScore.isEmpty())
        GTEST_SKIP() << "mscore3 is not installed (scripts/setup.sh installs it)";
    // Every chord of the list, each on another root, every third over a bass.
    std::vector<ChordSymbol> symbols;
    const char *const roots[] = {"C", "Db", "D", "Eb", "E", "F",  "F#",
                                 "G", "Ab", "A", "Bb", "B", "Cb", "E#"};
    const auto &table = chordList();
    for (int slot = 0; slot < kChordSlots && (slot == 0 || !table.name(slot).empty()); ++slot)
        symbols.push_back(symbol(Fraction(2 * slot), roots[slot % 14], table.name(slot).c_str(),
                                 slot % 3 == 1 ? roots[(slot + 5) % 14] : nullptr));
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    writeFile(folder + QStringLiteral("in.musicxml"), wholeNoteScore(int(symbols.size() + 1) / 2));
    const AnnotateResult result = annotateFile(folder + QStringLiteral("in.musicxml"), symbols,
                                               folder + QStringLiteral("annotated.musicxml"));
    ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
    ASSERT_EQ(result.written, int(symbols.size()));

    ASSERT_TRUE(museScoreSaves(museScore, folder, QStringLiteral("annotated.musicxml"),
                               QStringLiteral("back.musicxml")));
    const auto written = topSymbols(readFile(folder + QStringLiteral("annotated.musicxml")));
    EXPECT_EQ(written.size(), symbols.size());
    EXPECT_EQ(topSymbols(readFile(folder + QStringLiteral("back.musicxml"))), written);

    // Each name printed once, as the list writes it (m7(♭5) and 7(♯5) as
    // MuseScore writes its own half-diminished and augmented seventh
    // chords), no degree after it.
    ASSERT_TRUE(museScoreSaves(museScore, folder, QStringLiteral("annotated.musicxml"),
                               QStringLiteral("back.mscx")));
    static const QRegularExpression name(QStringLiteral("<name>([^<]*)</name>"));
    std::vector<std::string> names;
    for (const QString &body :
         museScoreHarmonies(QString::fromUtf8(readFile(folder + QStringLiteral("back.mscx")))))
        names.push_back(name.match(body).captured(1).toStdString());
    std::vector<std::string> expected;
    for (const ChordSymbol &s : symbols)
        expected.push_back(s.name == "m7(♭5)" ? "m7b5" : s.name == "7(♯5)" ? "aug7" : s.name);
    EXPECT_EQ(names, expected);
}

TEST(Annotate, ArchiveMembersKeepTheirFlagsOrAreRefused)
{
    const QString root = QStringLiteral("Über 楽譜.musicxml");
    const QByteArray container =
        "<container><rootfiles><rootfile full-path=\"" + root.toUtf8() +
        "\" media-type=\"application/vnd.recordare.musicxml+xml\"/></rootfiles></container>";
    const QByteArray score = readFile(kData + QStringLiteral("/small.musicxml"));
    // Written by a program that says its names are UTF-8, one member
    // encrypted when asked.
    const auto archive = [&](bool encrypted) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QuaZip zip(&buffer);
        zip.setUtf8Enabled(true);
        EXPECT_TRUE(zip.open(QuaZip::mdCreate));
        const std::pair<QString, QByteArray> files[] = {
            {QStringLiteral("META-INF/container.xml"), container},
            {root, score},
            {QStringLiteral("メモ.txt"), "a note"}};
        for (const auto &[name, data] : files) {
            QuaZipFile file(&zip);
            const bool secret = encrypted && name.endsWith(u".txt");
            const quint32 crc = quint32(
                crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(name),
                                  secret ? "secret" : nullptr, crc));
            file.write(data);
        }
        zip.close();
        return bytes;
    };
    const auto names = [](const QByteArray &bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        QuaZip zip(&buffer);
        EXPECT_TRUE(zip.open(QuaZip::mdUnzip));
        QStringList found;
        for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
            QuaZipFileInfo64 info;
            EXPECT_TRUE(zip.getCurrentFileInfo(&info));
            found << info.name + ((info.flags & 0x800) ? QStringLiteral(" utf-8") : QString());
        }
        return found;
    };
    const std::vector<ChordSymbol> symbols = {symbol(Fraction(0), "C", "")};

    const AnnotatedData out = annotateData(archive(false), symbols, OutputForm::Compressed);
    ASSERT_TRUE(out.result.ok()) << englishMessage(out.result).toStdString();
    EXPECT_EQ(names(out.bytes), names(archive(false)));
    EXPECT_TRUE(names(out.bytes).contains(root + QStringLiteral(" utf-8")));
    const score::ReadResult read = score::readScoreData(out.bytes);
    EXPECT_TRUE(read.ok) << score::englishMessage(read).toStdString();

    const AnnotatedData refused = annotateData(archive(true), symbols, OutputForm::Compressed);
    EXPECT_EQ(refused.result.error, AnnotateError::EncryptedMember);
    EXPECT_EQ(refused.result.detail, QStringLiteral("メモ.txt"));
    EXPECT_TRUE(refused.bytes.isEmpty());
}

} // namespace
