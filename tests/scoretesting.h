#pragma once

// What the score tests share: readable strings in failures, compressed
// MusicXML (.mxl) archives built in memory and moments with their parts.

#include "score.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <quazip.h>
#include <quazipfile.h>

#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace chordvane::test {

struct Member {
    QString name;
    QByteArray bytes;
    bool stored = false;     // uncompressed, so that a test can damage it in place
    qint64 claimedSize = -1; // when set, the size its headers claim instead of the true one
};

inline QByteArray makeArchive(const std::vector<Member> &members)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    EXPECT_TRUE(zip.open(QuaZip::mdCreate));
    for (const Member &member : members) {
        QuaZipFile file(&zip);
        if (member.claimedSize < 0) {
            EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(member.name), nullptr, 0,
                                  member.stored ? 0 : Z_DEFLATED, 1));
            file.write(member.bytes);
            file.close();
            continue;
        }
        // Deflated by hand (qCompress without its length and zlib's header
        // and checksum) and written raw, under a size and CRC of our choosing.
        const QByteArray zlib = qCompress(member.bytes, 1);
        QuaZipNewInfo info(member.name);
        info.uncompressedSize = member.claimedSize;
        EXPECT_TRUE(file.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, 1, true));
        file.write(zlib.mid(6, zlib.size() - 10));
        file.close();
    }
    zip.close();
    return bytes;
}

// A container naming a PDF rendering first and then the MusicXML root file.
inline QByteArray container(const char *rootPath)
{
    return QByteArray(R"(<?xml version="1.0"?><container><rootfiles>)"
                      R"(<rootfile full-path="print.pdf" media-type="application/pdf"/>)"
                      R"(<rootfile full-path=")") +
           rootPath +
           R"(" media-type="application/vnd.recordare.musicxml+xml"/></rootfiles></container>)";
}

// Every moment of the score with its parts' entries, as the window shows it.
inline std::vector<score::Moment> momentsWithParts(const score::Score &score)
{
    std::vector<score::Moment> moments = score::scoreMoments(score);
    for (score::Moment &moment : moments)
        moment = score::withParts(score, std::move(moment));
    return moments;
}

} // namespace chordvane::test
