#pragma once

// What the annotate tests share: files, archives, the example chord list and
// the chord symbols a MusicXML text holds.
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

namespace chordvane::test {

// Has MuseScore 3, headless, read `from` in folder and save it as `to`.
inline bool museScoreSaves(const QString &museScore, const QString &folder, const QString &from,
                           const QString &to)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(museScore, {QStringLiteral("-o"), to, from});
    return process.waitForFinished(180'000);
}

// The insides of the <Harmony> elements of a MuseScore file's text.
inline QStringList museScoreHarmonies(const QString &mscx)
{
    static const QRegularExpression harmony(QStringLiteral(R"(<Harmony>(.*?)</Harmony>)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QStringList bodies;
    for (auto h = harmony.globalMatch(mscx); h.hasNext();)
        bodies << h.next().captured(1);
    return bodies;
}

using namespace chordvane::annotate;
using score::Fraction;
namespace fs = std::filesystem;

inline const QString kData = QStringLiteral(CHORDVANE_ANNOTATE_DATA);

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

inline const ChordTable &chordList()
{
    static const ChordTable table = ChordTable::fromText(
        readFile(QStringLiteral(CHORDVANE_DATA_DIR "/CodeList.txt")).toStdString());
    return table;
}

// "B♭", "C#", "E": a step and its accidentals.
inline Spelling spelling(const QString &text)
{
    Spelling name{int(QStringLiteral("CDEFGAB").indexOf(text[0])), 0};
    for (const QChar c : text.mid(1))
        name.alter += c == u'#' || c == u'♯' ? 1 : -1;
    return name;
}

inline ChordSymbol symbol(Fraction at, const char *root, const char *chord,
                          const char *bass = nullptr)
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
inline QByteArray withoutNewSymbols(const QByteArray &bytes, const char *encoding = "UTF-8")
{
    static const QRegularExpression added(
        QStringLiteral(R"(<harmony>.*?</harmony>(\r\n|\r|\n)?[ \t]*)"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    QStringEncoder encoder(encoding);
    return encoder.encode(QString(decoder.decode(bytes)).remove(added));
}

inline std::vector<std::pair<QString, QByteArray>> members(const QByteArray &archive)
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
inline QByteArray scoreOf(const QByteArray &file)
{
    if (!file.startsWith("PK"))
        return file;
    for (const auto &[name, bytes] : members(file)) {
        if (name == u"in/score.xml" || name == u"score.musicxml")
            return bytes;
    }
    return {};
}

inline QByteArray makeArchive(const std::vector<std::pair<QString, QByteArray>> &files)
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

inline const QByteArray kContainer = R"(<container><rootfiles>
<rootfile full-path="cover.pdf" media-type="application/pdf"/>
<rootfile full-path="in/score.xml" media-type="application/vnd.recordare.musicxml+xml"/>
</rootfiles></container>)";

// The top part's symbols, each as "time: root kind /bass degrees".
inline std::set<std::string> topSymbols(const QByteArray &musicXml, const char *encoding = "UTF-8")
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

} // namespace chordvane::test
