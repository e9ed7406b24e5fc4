#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace chordvane::annotate {

// Compressed MusicXML (.mxl): a zip archive whose META-INF/container.xml
// names the root file.
bool isArchive(const QByteArray &bytes);

struct ArchiveRoot {
    QString path;
    QByteArray bytes;
};

// The root file of an archive the score reader has read: the first
// MusicXML root file that the container names.
std::optional<ArchiveRoot> archiveRoot(const QByteArray &archive);

// The archive again with the member at root.path holding root.bytes,
// compressed as before; every other member is copied as it is stored,
// without unpacking, its name's UTF-8 flag kept. Nothing when the archive
// cannot be read or holds an encrypted member, whose path is then given:
// its stored bytes could be copied, but not as it was.
struct ArchiveCopy {
    QByteArray bytes;
    QString encrypted;
};
ArchiveCopy replaceMember(const QByteArray &archive, const ArchiveRoot &root);

// A new archive for a plain score: a mimetype, the container and the score.
QByteArray newArchive(const QByteArray &score);

} // namespace chordvane::annotate
