#include "midifile.h"
#include "reading.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace chordvane::score {

namespace {

ReadResult systemFailure(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return failure(ReadError::NoSuchFile);
    return failure(ReadError::CannotOpen, QString::fromLocal8Bit(std::strerror(error)));
}

ReadResult kindFailure(mode_t mode)
{
    return failure(S_ISDIR(mode) ? ReadError::Folder : ReadError::NotRegularFile);
}

} // namespace

ReadResult readScoreData(QByteArray bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return failure(ReadError::FileTooLarge);
    if (midifile::looksLikeMidi(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                          static_cast<size_t>(bytes.size()))))
        return readMidiScore(bytes);
    if (!bytes.startsWith("PK\x03\x04") && !bytes.startsWith("PK\x05\x06"))
        return readMusicXml(std::move(bytes));
    QByteArray root;
    ReadResult why;
    if (!unpackRootFile(std::exchange(bytes, {}), root, why))
        return why;
    return readMusicXml(std::move(root));
}

// Opening a FIFO waits for a writer, and a device may never end: only a
// regular file is opened, and only without blocking, in case something else
// took its place after the check.
ReadResult readScoreFile(const QString &path)
{
    QByteArray bytes;
    return readScoreFile(path, bytes);
}

ReadResult readScoreFile(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return systemFailure(errno);
    if (!S_ISREG(info.st_mode))
        return kindFailure(info.st_mode);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(ReadError::CannotOpen, file.errorString());
    }
    if (::fstat(fd, &info) != 0)
        return systemFailure(errno);
    if (!S_ISREG(info.st_mode))
        return kindFailure(info.st_mode);
    if (info.st_size > kMaxFileBytes)
        return failure(ReadError::FileTooLarge);
    // One byte more than allowed tells a file that grew since the check.
    bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return failure(ReadError::CannotOpen, file.errorString());
    }
    return readScoreData(bytes);
}

} // namespace chordvane::score
