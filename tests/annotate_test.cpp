#include "annotate.h"
#include "harmonykind.h"
#include "score.h"
#include "testsupport.h"
#include "toppart.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <quazip.h>
#include <quazipfile.h>

#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace chordvane;
using namespace chordvane::annotate;
using score::Fraction;
namespace fs = std::filesystem;

namespace {

const QString kData = QStringLiteral(CHORDVANE_ANNOTATE_DATA);

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

const ChordTable &chordList()
{
    static const ChordTable table = ChordTable::fromText(
        readFile(QStringLiteral(CHORDVANE_DATA_DIR "/CodeList.txt")).toStdString());
    return table;
}

// "B♭", "C#", "E": a step and its accidentals.
Spelling spelling(const QString &text)
{
    Spelling name{int(QStringLiteral("CDEFGAB").indexOf(text[0])), 0};
    for (const QChar c : text.mid(1))
        name.alter += c == u'#' || c == u'♯' ? 1 : -1;
    return name;
}

ChordSymbol symbol(Fraction at, const char *root, const char *chord, const char *bass = nullptr)
{
    const auto &names = chordList().names();
    const auto slot = std::find(names.begin(), names.end(), chord) - names.begin();
    EXPECT_LT(slot, kChordSlots) << chord;
    ChordSymbol s{at, spelling(QString::fromUtf8(root)), chordList().row(int(slot)), chord, {}};
    if (bass)
        s.bass = spelling(QString::fromUtf8(bass));
    return s;
}

// The text with every <harmony> that annotating adds (they carry no
// attributes) taken out, with the line break and indentation added after it.
QByteArray withoutNewSymbols(const QByteArray &bytes, const char *encoding = "UTF-8")
{
    static const QRegularExpression added(
        QStringLiteral(R"(<harmony>.*?</harmony>(\r\n|\r|\n)?[ \t]*)"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    QStringEncoder encoder(encoding);
    return encoder.encode(QString(decoder.decode(bytes)).remove(added));
}

std::vector<std::pair<QString, QByteArray>> members(const QByteArray &archive)
{
    QBuffer buffer;
    buffer.setData(archive);
    QuaZip zip(&buffer);
    std::vector<std::pair<QString, QByteArray>> all;
    EXPECT_TRUE(zip.open(QuaZip::mdUnzip));
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        all.emplace_back(zip.getCurrentFileName(), file.readAll());
    }
    return all;
}

// The score in a file: itself, or the root file of an archive.
QByteArray scoreOf(const QByteArray &file)
{
    if (!file.startsWith("PK"))
        return file;
    for (const auto &[name, bytes] : members(file)) {
        if (name == u"in/score.xml" || name == u"score.musicxml")
            return bytes;
    }
    return {};
}

QByteArray makeArchive(const std::vector<std::pair<QString, QByteArray>> &files)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    EXPECT_TRUE(zip.open(QuaZip::mdCreate));
    for (const auto &[name, data] : files) {
        QuaZipFile file(&zip);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        file.write(data);
    }
    zip.close();
    return bytes;
}

const QByteArray kContainer = R"(<container><rootfiles>
<rootfile full-path="cover.pdf" media-type="application/pdf"/>
<rootfile full-path="in/score.xml" media-type="application/vnd.recordare.musicxml+xml"/>
</rootfiles></container>)";

// The top part's symbols, each as "time: root kind /bass degrees".
std::set<std::string> topSymbols(const QByteArray &musicXml, const char *encoding = "UTF-8")
{
    const score::ReadResult read = score::readScoreData(musicXml);
    EXPECT_TRUE(read.ok) << score::englishMessage(read).toStdString();
    std::set<std::string> found;
    if (!read.ok)
        return found;
    const QString text = QStringDecoder(encoding).decode(musicXml);
    for (const PlacedHarmony &harmony :
         scanPart(text, read.score.parts.front().id, read.score.measures).harmonies) {
        // In one order, whatever order the file has.
        QXmlStreamReader xml(text.mid(harmony.begin, harmony.end - harmony.begin));
        QString root, kind, bass, degrees;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            QString *field = name.startsWith(u"root-")     ? &root
                             : name.startsWith(u"bass-")   ? &bass
                             : name == u"kind"             ? &kind
                             : name.startsWith(u"degree-") ? &degrees
                                                           : nullptr;
            if (field)
                *field += xml.readElementText() + QLatin1Char(' ');
        }
        found.insert(QStringLiteral("%1/%2: ")
                         .arg(harmony.at.numerator())
                         .arg(harmony.at.denominator())
                         .toStdString() +
                     (root + kind + QLatin1Char('/') + bass + degrees).toStdString());
    }
    return found;
}

TEST(HarmonyKind, EveryEntryOfTheChordListHasItsKindAndDegrees)
{
    struct Case {
        const char *name;
        const char *kind;
        const char *degrees;
    };
    // clang-format off
    const Case cases[] = {
        {"", "major", ""}, {"m", "minor", ""}, {"7", "dominant", ""}, {"m7", "minor-seventh", ""},
        {"M7", "major-seventh", ""}, {"6", "major-sixth", ""}, {"m6", "minor-sixth", ""},
        {"sus4", "suspended-fourth", ""}, {"7sus4", "suspended-fourth", "add7"},
        {"dim", "diminished", ""}, {"dim7", "diminished-seventh", ""},
        {"m7(♭5)", "half-diminished", ""}, {"aug", "augmented", ""}, {"add9", "major", "add9"},
        {"m(add9)", "minor", "add9"}, {"mM7", "major-minor", ""}, {"9", "dominant-ninth", ""},
        {"m9", "minor-ninth", ""}, {"M9", "major-ninth", ""}, {"6(9)", "major-sixth", "add9"},
        {"m6(9)", "minor-sixth", "add9"}, {"7(♭9)", "dominant", "add9-1"},
        {"7(♯9)", "dominant", "add9+1"}, {"7(13)", "dominant", "add13"},
        {"7(♭13)", "dominant", "add13-1"}, {"7(♯11)", "dominant", "add11+1"},
        {"7(♭5)", "dominant", "alter5-1"}, {"7(♯5)", "augmented-seventh", ""},
        {"M7(♯5)", "major-seventh", "alter5+1"}, {"sus2", "suspended-second", ""},
        {"7sus4(9)", "suspended-fourth", "add7 add9"},
        {"7sus4(♭9)", "suspended-fourth", "add7 add9-1"}, {"m7(11)", "minor-seventh", "add11"},
        {"m11", "minor-11th", ""}, {"13", "dominant-13th", ""}, {"m13", "minor-13th", ""},
        {"M13", "major-13th", ""}, {"M7(♯11)", "major-seventh", "add11+1"},
        {"M9(♯11)", "major-ninth", "add11+1"}, {"9(♯11)", "dominant-ninth", "add11+1"},
        {"13(♯11)", "dominant-13th", "add11+1"}, {"9(♭13)", "dominant-ninth", "add13-1"},
        {"7(♭9,13)", "dominant", "add9-1 add13"}, {"7(♭9,♭13)", "dominant", "add9-1 add13-1"},
        {"7(♯9,♭13)", "dominant", "add9+1 add13-1"}, {"7(♭9,♯9)", "dominant", "add9-1 add9+1"},
        {"7(♭9,♯11)", "dominant", "add9-1 add11+1"}, {"7(♯9,♯11)", "dominant", "add9+1 add11+1"},
        {"7(♯5,♯9)", "augmented-seventh", "add9+1"},
        {"7(alt)", "augmented-seventh", "add5-1 add9-1 add9+1"}, {"mM7(9)", "major-minor", "add9"},
        {"m7(♭5,9)", "minor-ninth", "alter5-1"}, {"m7(♭5,11)", "half-diminished", "add11"},
        {"dim(M7)", "major-minor", "alter5-1"}, {"5", "power", ""}, {"add4", "major", "add4"},
        {"m(add4)", "minor", "add4"},
    };
    // clang-format on
    const auto &table = chordList();
    int entries = 0;
    for (int slot = 0; slot < kChordSlots && (slot == 0 || !table.name(slot).empty()); ++slot) {
        ++entries;
        SCOPED_TRACE(table.name(slot));
        const auto expected = std::find_if(std::begin(cases), std::end(cases), [&](const Case &c) {
            return c.name == table.name(slot);
        });
        ASSERT_NE(expected, std::end(cases)) << "no case for this entry";
        const HarmonyKind kind = harmonyKind(table.row(slot));
        std::string degrees;
        for (const Degree &d : kind.degrees) {
            static const char *const kTypes[] = {"add", "alter", "subtract"};
            degrees += std::string(degrees.empty() ? "" : " ") + kTypes[int(d.type)] +
                       std::to_string(d.value) + (d.alter > 0 ? "+" : "") +
                       (d.alter ? std::to_string(d.alter) : "");
        }
        EXPECT_EQ(kind.kind, expected->kind);
        EXPECT_EQ(degrees, expected->degrees);
    }
    EXPECT_GE(entries, 55);
}

TEST(Annotate, WritesTheExactSymbolsBeforeNotesOrWithOffsets)
{
    test::TempDir dir;
    const QString out = QString::fromStdString(dir.path()) + QStringLiteral("/small.musicxml");
    const std::vector<ChordSymbol> symbols = {
        symbol(Fraction(0), "C", ""),            // before the first note
        symbol(Fraction(1), "D", "m7"),          // inside a held note: +1 quarter
        symbol(Fraction(2), "G", "7", "B"),      // before the grace note, over a bass
        symbol(Fraction(3), "E", "m"),           // after a chord
        symbol(Fraction(4), "F", "M7"),          // the score has a symbol there
        symbol(Fraction(5), "C#", "dim7"),       // the second voice, after <forward>
        symbol(Fraction(6), "Bb", "7(♭9)", "D"), // inside the second voice's note
        symbol(Fraction(8), "Eb", "aug"),        // before a rest
        symbol(Fraction(19, 2), "Bb", "add9"),   // half a quarter on
        symbol(Fraction(12), "F", "13"),         // no note yet: before the next, -2 quarters
        symbol(Fraction(15), "C", "7sus4", "Bb"),
    };
    const AnnotateResult result =
        annotateFile(kData + QStringLiteral("/small.musicxml"), symbols, out);
    ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
    EXPECT_EQ(result.written, 10);
    EXPECT_EQ(result.skipped, std::vector<size_t>{4});
    EXPECT_EQ(readFile(out).toStdString(),
              readFile(kData + QStringLiteral("/small-annotated.musicxml")).toStdString());
}

// A symbol at every attack of the score, one chord after another from the list.
std::vector<ChordSymbol> symbolsAtEveryMoment(const QByteArray &score)
{
    const score::ReadResult read = score::readScoreData(score);
    EXPECT_TRUE(read.ok) << score::englishMessage(read).toStdString();
    const char *const chords[] = {"m7(♭5)", "", "7(alt)", "M7(♯11)", "sus2"};
    const char *const roots[] = {"C", "F#", "Bb", "E", "Ab"};
    std::vector<ChordSymbol> symbols;
    for (const score::Moment &moment : score::scoreMoments(read.score)) {
        const size_t i = symbols.size() % 5;
        symbols.push_back(symbol(moment.at, roots[i], chords[i], i == 2 ? "D" : nullptr));
    }
    return symbols;
}

QByteArray recoded(const QByteArray &utf8, const char *encoding, const char *bom)
{
    QString text = QString::fromUtf8(utf8).replace(QLatin1String("\n"), QLatin1String("\r\n"));
    text.replace(QLatin1String("encoding=\"UTF-8\""),
                 QStringLiteral("encoding=\"%1\"").arg(QLatin1String(encoding)));
    text.replace(QLatin1String("a symbol of its own"), QStringLiteral("a symbol of its own: é"));
    return QByteArray(bom) + QStringEncoder(encoding).encode(text);
}

TEST(Annotate, ChangesNothingButTheSymbolsItAdds)
{
    const QByteArray small = readFile(kData + QStringLiteral("/small.musicxml"));
    const QByteArray band = readFile(QStringLiteral(CHORDVANE_SCORE_DATA "/band.musicxml"));
    const QByteArray smallArchive =
        makeArchive({{QStringLiteral("mimetype"), "application/vnd.recordare.musicxml"},
                     {QStringLiteral("META-INF/container.xml"), kContainer},
                     {QStringLiteral("in/score.xml"), small},
                     {QStringLiteral("cover.pdf"), "%PDF-1.4 cover"}});
    const QByteArray oneLine =
        QString::fromUtf8(small)
            .replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"))
            .toUtf8();
    const char *const kFlatFive = "text=\"m7(♭5)\"";
    struct Case {
        const char *name;
        QByteArray in;
        const char *inName;
        const char *outName;
        const char *encoding;
        size_t taken;               // symbols at times where the top part has one
        const char *halfDiminished; // the kind's text as written
    };
    const Case cases[] = {
        {"plain, with a symbol of its own", small, "in.musicxml", "out.musicxml", "UTF-8", 1,
         kFlatFive},
        {"pickup, ties, two voices", band, "in.xml", "out.XML", "UTF-8", 0, kFlatFive},
        {"all on one line", oneLine, "in.musicxml", "out.musicxml", "UTF-8", 1, kFlatFive},
        {"UTF-16 with a byte-order mark and CR LF", recoded(small, "UTF-16LE", "\xFF\xFE"),
         "in.musicxml", "out.musicxml", "UTF-16LE", 1, kFlatFive},
        {"Latin-1", recoded(small, "ISO-8859-1", ""), "in.musicxml", "out.musicxml", "ISO-8859-1",
         1, "text=\"m7(&#x266d;5)\""},
        {"compressed to compressed", smallArchive, "in.mxl", "out.mxl", "UTF-8", 1, kFlatFive},
        {"compressed to plain", smallArchive, "in.mxl", "out.musicxml", "UTF-8", 1, kFlatFive},
        {"plain to compressed", small, "in.musicxml", "out.MXL", "UTF-8", 1, kFlatFive},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
        writeFile(folder + QLatin1String(c.inName), c.in);
        const std::vector<ChordSymbol> symbols = symbolsAtEveryMoment(c.in);
        const AnnotateResult result = annotateFile(folder + QLatin1String(c.inName), symbols,
                                                   folder + QLatin1String(c.outName));
        ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
        EXPECT_EQ(result.written + result.skipped.size(), symbols.size());
        EXPECT_EQ(result.skipped.size(), c.taken);

        const QByteArray out = readFile(folder + QLatin1String(c.outName));
        EXPECT_EQ(out.startsWith("PK"),
                  QString::fromLatin1(c.outName).endsWith(u"mxl", Qt::CaseInsensitive));
        const QByteArray inScore = scoreOf(c.in);
        const QByteArray outScore = scoreOf(out);
        if (c.in.startsWith("PK") && out.startsWith("PK")) {
            const auto inMembers = members(c.in);
            const auto outMembers = members(out);
            ASSERT_EQ(outMembers.size(), inMembers.size());
            for (size_t i = 0; i < inMembers.size(); ++i) {
                EXPECT_EQ(outMembers[i].first, inMembers[i].first);
                EXPECT_TRUE(outMembers[i].second == inMembers[i].second ||
                            inMembers[i].first == u"in/score.xml");
            }
        }
        EXPECT_EQ(withoutNewSymbols(outScore, c.encoding), inScore);
        // New lines end as the file's own do.
        const QString outText = QStringDecoder(c.encoding).decode(outScore);
        if (outText.contains(QLatin1String("\r\n"))) {
            EXPECT_EQ(outText.count(u'\n'), outText.count(QLatin1String("\r\n")));
        }
        const score::ReadResult read = score::readScoreData(out);
        ASSERT_TRUE(read.ok) << score::englishMessage(read).toStdString();
        EXPECT_EQ(topSymbols(outScore, c.encoding).size(), size_t(result.written) + c.taken);
        EXPECT_TRUE(outText.contains(QString::fromUtf8(c.halfDiminished)));
    }
}

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

TEST(Annotate, AFailedWriteLeavesTheOldCopyAndNoTemporaryFile)
{
    test::TempDir dir;
    const std::string in =
        dir.write("in.musicxml", readFile(kData + QStringLiteral("/small.musicxml")).toStdString());
    const std::string out = dir.write("out.musicxml", "the copy before");
    // Files may grow to 1000 bytes in the child only: the annotated copy
    // is larger, and root's privileges do not lift the limit.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        const AnnotateResult result =
            annotateFile(QString::fromStdString(in), {symbol(Fraction(0), "C", "")},
                         QString::fromStdString(out));
        _exit(result.error == AnnotateError::CannotWrite ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(QString::fromStdString(out)), "the copy before");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
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

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(museScore, {QStringLiteral("-o"), QStringLiteral("back.musicxml"),
                              QStringLiteral("annotated.musicxml")});
    ASSERT_TRUE(process.waitForFinished(180'000));
    const auto written = topSymbols(readFile(folder + QStringLiteral("annotated.musicxml")));
    EXPECT_EQ(written.size(), symbols.size());
    EXPECT_EQ(topSymbols(readFile(folder + QStringLiteral("back.musicxml"))), written);
}

} // namespace
