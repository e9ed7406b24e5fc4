#include "reading.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include <algorithm>

namespace chordvane::score {

namespace {

constexpr qint64 kReadChunk = 1 << 16;
constexpr const char *kContainerPath = "META-INF/container.xml";

// One archive member, refused when it would unpack to more than a plain file
// may hold: a small archive must not fill the memory. The header's size is
// checked first, then the bytes actually unpacked, since a header can lie.
bool readMember(QuaZip &zip, const QString &path, QByteArray &bytes, ReadResult &why)
{
    if (!zip.setCurrentFile(path)) {
        why = failure(ReadError::MissingMember, clip(path));
        return false;
    }
    QuaZipFileInfo64 info;
    if (zip.getCurrentFileInfo(&info) && info.uncompressedSize > quint64(kMaxFileBytes)) {
        why = failure(ReadError::MemberTooLarge, clip(path));
        return false;
    }
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) {
        why = failure(ReadError::BrokenMember, clip(path));
        return false;
    }
    bytes.clear();
    while (true) {
        const QByteArray chunk = file.read(kReadChunk);
        if (chunk.isEmpty())
            break;
        if (bytes.size() + chunk.size() > kMaxFileBytes) {
            why = failure(ReadError::MemberTooLarge, clip(path));
            return false;
        }
        bytes += chunk;
    }
    const bool readOk = file.getZipError() == UNZ_OK;
    file.close(); // checks the CRC
    if (!readOk || file.getZipError() != UNZ_OK) {
        why = failure(ReadError::BrokenMember, clip(path));
        return false;
    }
    return true;
}

// The root file that META-INF/container.xml names: the first MusicXML one
// (an archive may also carry a PDF or other renderings).
QString rootFilePath(const QByteArray &container, ReadResult &why)
{
    QXmlStreamReader xml(container);
    if (!openDocument(xml, why)) {
        // Entities are refused as in the score; anything else is the container's fault.
        if (why.error == ReadError::NotXml)
            why.error = ReadError::BadContainer;
        return {};
    }
    QString path;
    while (!xml.atEnd() && path.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"rootfile")
            continue;
        // The views below point into attributes, which must outlive them.
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView type = attributes.value(QLatin1String("media-type"));
        if (type.isEmpty() || type.contains(u"musicxml"))
            path = attributes.value(QLatin1String("full-path")).toString();
    }
    if (path.isEmpty() && xml.hasError()) {
        why = xmlFailure(xml);
        why.error = ReadError::BadContainer;
    } else if (path.isEmpty()) {
        why = failure(ReadError::NoRootFile);
    }
    return path;
}

// Bytes in memory for QuaZip. QBuffer would do, but warns on the standard
// error whenever a broken archive's directory points past its end.
class ByteReader : public QIODevice {
public:
    explicit ByteReader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = std::clamp<qint64>(m_bytes.size() - pos(), 0, maxSize);
        if (count > 0)
            std::copy_n(m_bytes.constData() + pos(), count, data);
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
};

} // namespace

bool unpackRootFile(const QByteArray &archive, QByteArray &root, ReadResult &why)
{
    ByteReader device(archive);
    QuaZip zip(&device);
    if (!zip.open(QuaZip::mdUnzip)) {
        why = failure(ReadError::BrokenArchive);
        return false;
    }
    QByteArray container;
    if (!readMember(zip, QString::fromLatin1(kContainerPath), container, why))
        return false;
    const QString path = rootFilePath(container, why);
    return !path.isEmpty() && readMember(zip, path, root, why);
}

} // namespace chordvane::score
