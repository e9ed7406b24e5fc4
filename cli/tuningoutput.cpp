#include "findcommand.h"
#include "findparts.h"

#include "scorelines.h"
#include "textdecode.h"
#include "tuningsheet.h"

#include <ostream>

namespace chordvane::cli {

int tuneScore(const ChordTable &table, const Options &options, std::ostream &out, std::ostream &err)
{
    const std::optional<ChartedScore> charted = chartScoreFile(table, options, err);
    if (!charted)
        return kExitError;

    const tuning::GuideWords words; // in English
    std::string buffer;
    score::forEachSheetStep(
        charted->score, charted->piece, charted->steps,
        [&](const tuning::SheetStep &step, const std::vector<tuning::SheetPart> &parts) {
            const tuning::SheetBlock block = tuning::sheetLines(table, step, options.seventh);
            for (const tuning::SheetLine &line : block.lines) {
                std::vector<std::string> fields =
                    tuning::sheetFields(step, parts[line.part], line, block.harmony, words);
                // Names from the file, as measure numbers: printable and cut short.
                for (const size_t i : {tuning::kMeasureField, tuning::kPartField})
                    fields[i] = shortened(QString::fromStdString(fields[i]));
                for (size_t i = 0; i < fields.size(); ++i)
                    buffer += (i > 0 ? "\t" : "") + fields[i];
                buffer += '\n';
                flushWhenFull(buffer, out);
            }
        });
    out << buffer;
    return kExitFound;
}

} // namespace chordvane::cli
