// The score reader: the first byte chooses whether the rest is read as it
// is (plain MusicXML, or any archive the corpus holds) or packed first as
// the root file of a well-formed .mxl, so that mutations reach the XML
// behind the archive too. Every score read is turned into moments and named,
// and its harmony into a tuning sheet and a chart; every failure worded; then it is
// annotated with chord symbols at its first attacks, which must read back
// with the same measures, notes and moments.
#include "annotate.h"
#include "chartsheet.h"
#include "harmonypiece.h"
#include "score.h"
#include "search.h"
#include "tuningsheet.h"

#include <QBuffer>
#include <quazip.h>
#include <quazipfile.h>

#include <cstdint>
#include <cstdlib>

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

bool sameNotes(const chordvane::score::Score &a, const chordvane::score::Score &b)
{
    if (a.parts.size() != b.parts.size() || a.measures.size() != b.measures.size())
        return false;
    for (size_t i = 0; i < a.measures.size(); ++i) {
        if (a.measures[i].start != b.measures[i].start ||
            a.measures[i].length != b.measures[i].length)
            return false;
    }
    for (size_t p = 0; p < a.parts.size(); ++p) {
        const auto &x = a.parts[p].notes;
        const auto &y = b.parts[p].notes;
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const auto &m, const auto &n) {
                return m.written == n.written && m.sounding == n.sounding && m.start == n.start &&
                       m.end == n.end && m.voice == n.voice && m.staff == n.staff;
            }))
            return false;
    }
    return true;
}

bool sameMoments(const std::vector<chordvane::score::Moment> &a,
                 const std::vector<chordvane::score::Moment> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &m, const auto &n) {
        return m.at == n.at && m.measure == n.measure && m.sounding == n.sounding;
    });
}

void checkAnnotated(const QByteArray &score, const chordvane::score::ReadResult &read,
                    const std::vector<chordvane::score::Moment> &moments,
                    const chordvane::ChordTable &table, bool compressed)
{
    namespace annotate = chordvane::annotate;
    std::vector<annotate::ChordSymbol> symbols;
    for (size_t i = 0; i < moments.size() && i < 4; ++i) {
        const int slot = int(i % 4);
        symbols.push_back(
            {moments[i].at,
             {int(i % 7), int(i % 3) - 1},
             table.row(slot),
             table.name(slot),
             i % 2 ? std::optional<annotate::Spelling>({int(i + 2) % 7, 0}) : std::nullopt});
    }
    const auto annotated = annotate::annotateData(score, symbols,
                                                  compressed ? annotate::OutputForm::Compressed
                                                             : annotate::OutputForm::Plain);
    // A text whose encoding does not survive, or durations the reader never
    // adds up, may be refused; anything else is a fault.
    const auto error = annotated.result.error;
    if (error == annotate::AnnotateError::EncodingNotKept ||
        error == annotate::AnnotateError::Unreadable)
        return;
    if (error != annotate::AnnotateError::None)
        std::abort();
    const auto again = chordvane::score::readScoreData(annotated.bytes);
    if (!again.ok || !sameNotes(read.score, again.score) ||
        !sameMoments(moments, chordvane::score::scoreMoments(again.score)))
        std::abort();
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
    const QByteArray score = data[0] & 1 ? pack(rest) : rest;
    const auto read = chordvane::score::readScoreData(score);
    if (!read.ok) {
        chordvane::score::englishMessage(read);
        return 0;
    }
    const auto moments = chordvane::score::scoreMoments(read.score);
    for (const auto &moment : moments) {
        chordvane::score::beatText(moment.beat);
        chordvane::score::nameChord(table, moment.sounding, 50);
    }
    const auto piece = chordvane::score::harmonyPiece(read.score);
    const auto analysis = chordvane::harmony::analyse(table, piece, 50);
    chordvane::score::forEachSheetStep(
        read.score, piece, analysis.steps,
        [&](const chordvane::tuning::SheetStep &step,
            const std::vector<chordvane::tuning::SheetPart> &parts) {
            const auto block = chordvane::tuning::sheetLines(table, step);
            for (const auto &line : block.lines) {
                chordvane::tuning::sheetCsvLine(chordvane::tuning::sheetFields(
                    step, parts.at(line.part), line, block.harmony, {}));
            }
        });
    if (!moments.empty()) {
        std::vector<chordvane::tuning::SheetPart> parts;
        const auto moment =
            chordvane::score::momentSheet(read.score, piece, analysis.steps,
                                          analysis.steps.empty() ? -1 : 0, moments.front(), parts);
        for (const auto &line : chordvane::tuning::sheetLines(table, moment).lines)
            (void)parts.at(line.part);
    }
    chordvane::score::chartText(table, read.score, piece, analysis.steps, -2, QStringLiteral("t"));
    checkAnnotated(score, read, moments, table, data[0] & 2);
    return 0;
}
