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

    std::string buffer;
    for (const tuning::SheetStep &step :
         score::tuningSheet(charted->score, charted->piece, charted->steps)) {
        for (const tuning::SheetLine &line : tuning::sheetLines(table, step)) {
            std::vector<std::string> fields = tuning::sheetFields(step, line);
            // Names from the file, as measure numbers: printable and cut short.
            for (const size_t i : {0, 2})
                fields[i] = shortened(QString::fromStdString(fields[i]));
            for (size_t i = 0; i < fields.size(); ++i)
                buffer += (i > 0 ? "\t" : "") + fields[i];
            buffer += '\n';
            flushWhenFull(buffer, out);
        }
    }
    out << buffer;
    return kExitFound;
}

} // namespace chordvane::cli
