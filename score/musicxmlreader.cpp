#include "reading.h"

#include <QFile>
#include <QFileInfo>

namespace chordvane::score {

ReadResult readScoreData(const QByteArray &bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return failure(ReadError::FileTooLarge);
    if (!bytes.startsWith("PK\x03\x04") && !bytes.startsWith("PK\x05\x06"))
        return readMusicXml(bytes);
    QByteArray root;
    ReadResult why;
    if (!unpackRootFile(bytes, root, why))
        return why;
    return readMusicXml(root);
}

ReadResult readScoreFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(ReadError::NoSuchFile);
    if (info.isDir())
        return failure(ReadError::Folder);
    if (info.size() > kMaxFileBytes)
        return failure(ReadError::FileTooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(ReadError::CannotOpen, file.errorString());
    // One byte more than allowed tells a file that grew since the check.
    return readScoreData(file.read(kMaxFileBytes + 1));
}

} // namespace chordvane::score
