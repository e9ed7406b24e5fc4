#include "archive.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

namespace chordvane::annotate {

namespace {

constexpr const char *kContainerPath = "META-INF/container.xml";
constexpr const char *kNewRootPath = "score.musicxml";
constexpr quint16 kUtf8Flag = 0x800; // general purpose bit 11: the name is UTF-8

std::optional<QByteArray> readMember(QuaZip &zip, const QString &path)
{
    if (!zip.setCurrentFile(path))
        return std::nullopt;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    file.close();
    if (file.getZipError() != UNZ_OK)
        return std::nullopt;
    return bytes;
}

// Writes one member; raw: bytes are the member's stored data, copied as
// they are, with the size and checksum that info and crc give.
bool writeMember(QuaZip &zip, const QuaZipNewInfo &info, const QByteArray &bytes, int method,
                 int level, bool raw, quint32 crc)
{
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, info, nullptr, crc, method, level, raw))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.getZipError() == ZIP_OK;
}

} // namespace

bool isArchive(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

std::optional<ArchiveRoot> archiveRoot(const QByteArray &archive)
{
    QBuffer buffer;
    buffer.setData(archive);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return std::nullopt;
    const auto container = readMember(zip, QString::fromLatin1(kContainerPath));
    if (!container)
        return std::nullopt;
    // As the score reader chooses: the first root file that is MusicXML.
    QXmlStreamReader xml(*container);
    ArchiveRoot root;
    while (!xml.atEnd() && root.path.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"rootfile")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView type = attributes.value(QLatin1String("media-type"));
        if (type.isEmpty() || type.contains(u"musicxml"))
            root.path = attributes.value(QLatin1String("full-path")).toString();
    }
    if (root.path.isEmpty())
        return std::nullopt;
    const auto bytes = readMember(zip, root.path);
    if (!bytes)
        return std::nullopt;
    root.bytes = *bytes;
    return root;
}

ArchiveCopy replaceMember(const QByteArray &archive, const ArchiveRoot &root)
{
    QBuffer inBuffer;
    inBuffer.setData(archive);
    QuaZip in(&inBuffer);
    QByteArray out;
    QBuffer outBuffer(&out);
    QuaZip zip(&outBuffer);
    if (!in.open(QuaZip::mdUnzip))
        return {};
    // Names written in UTF-8 say so, or a reader takes "Über 楽譜" for code
    // page 437. The flag holds for the whole archive from its opening on; an
    // ASCII name reads the same either way.
    bool utf8 = false;
    for (bool more = in.goToFirstFile(); more; more = in.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!in.getCurrentFileInfo(&info))
            return {};
        utf8 |= (info.flags & kUtf8Flag) != 0;
    }
    zip.setUtf8Enabled(utf8);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    zip.setComment(in.getComment());
    for (bool more = in.goToFirstFile(); more; more = in.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!in.getCurrentFileInfo(&info))
            return {};
        if (info.isEncrypted())
            return {{}, info.name};
        const bool replaced = info.name == root.path;
        int method = 0;
        int level = 0;
        QuaZipFile member(&in);
        if (!member.open(QIODevice::ReadOnly, &method, &level, !replaced))
            return {};
        const QByteArray stored = member.readAll();
        member.close();
        QuaZipNewInfo newInfo(info);
        if (replaced) {
            newInfo.uncompressedSize = 0;
            if (!writeMember(zip, newInfo, root.bytes, method, Z_DEFAULT_COMPRESSION, false, 0))
                return {};
        } else if (!writeMember(zip, newInfo, stored, method, level, true, info.crc)) {
            return {};
        }
    }
    zip.close();
    return {zip.getZipError() == ZIP_OK ? out : QByteArray(), {}};
}

QByteArray newArchive(const QByteArray &score)
{
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    const QByteArray container = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<container>
  <rootfiles>
    <rootfile full-path=")") + kNewRootPath +
                                 R"(" media-type="application/vnd.recordare.musicxml+xml"/>
  </rootfiles>
</container>
)";
    // The mimetype first and stored, so that a reader can tell the file by
    // its first bytes.
    const bool written = writeMember(zip, QuaZipNewInfo(QStringLiteral("mimetype")),
                                     "application/vnd.recordare.musicxml", 0, 0, false, 0) &&
                         writeMember(zip, QuaZipNewInfo(QString::fromLatin1(kContainerPath)),
                                     container, Z_DEFLATED, Z_DEFAULT_COMPRESSION, false, 0) &&
                         writeMember(zip, QuaZipNewInfo(QString::fromLatin1(kNewRootPath)), score,
                                     Z_DEFLATED, Z_DEFAULT_COMPRESSION, false, 0);
    zip.close();
    return written && zip.getZipError() == ZIP_OK ? out : QByteArray();
}

} // namespace chordvane::annotate
