#include "reading.h"

#include <QFile>
#include <QFileInfo>

namespace chordvane::score {

ReadResult readScoreData(const QByteArray &bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return failure(QStringLiteral("the file is larger than 64 MiB"));
    if (!bytes.startsWith("PK\x03\x04") && !bytes.startsWith("PK\x05\x06"))
        return readMusicXml(bytes);
    QByteArray root;
    QString error;
    if (!unpackRootFile(bytes, root, error))
        return failure(error);
    return readMusicXml(root);
}

ReadResult readScoreFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("no such file"));
    if (info.isDir())
        return failure(QStringLiteral("a folder, not a file"));
    if (info.size() > kMaxFileBytes)
        return failure(QStringLiteral("the file is larger than 64 MiB"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    // One byte more than allowed tells a file that grew since the check.
    return readScoreData(file.read(kMaxFileBytes + 1));
}

} // namespace chordvane::score
