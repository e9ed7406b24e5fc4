// The score reader: the first byte chooses whether the rest is read as it
// is (plain MusicXML, or any archive the corpus holds) or packed first as
// the root file of a well-formed .mxl, so that mutations reach the XML
// behind the archive too. Every score read is turned into moments and named,
// every failure worded.
#include "score.h"
#include "search.h"

#include <QBuffer>
#include <quazip.h>
#include <quazipfile.h>

#include <cstdint>

namespace {

QByteArray pack(const QByteArray &root)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    zip.open(QuaZip::mdCreate);
    const std::pair<const char *, QByteArray> members[] = {
        {"META-INF/container.xml",
         R"(<container><rootfiles><rootfile full-path="s.xml"/></rootfiles></container>)"},
        {"s.xml", root},
    };
    for (const auto &[name, data] : members) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(name)), nullptr, 0,
                  Z_DEFLATED, 1);
        file.write(data);
        file.close();
    }
    zip.close();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const chordvane::ChordTable table =
        chordvane::ChordTable::fromText(":1,5,8\r\nm:1,4,8\r\n7:1,5,8,11\r\nm7:1,4,8,11\r\n");
    const QByteArray rest(reinterpret_cast<const char *>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const auto read = chordvane::score::readScoreData(data[0] & 1 ? pack(rest) : rest);
    if (!read.ok) {
        chordvane::score::englishMessage(read);
        return 0;
    }
    for (const auto &moment : chordvane::score::scoreMoments(read.score)) {
        chordvane::score::beatText(moment.beat);
        chordvane::score::nameChord(table, moment.sounding, 50);
    }
    return 0;
}
