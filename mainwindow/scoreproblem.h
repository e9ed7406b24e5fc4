#pragma once

#include "score.h"

#include <QString>
#include <QStringList>

namespace chordvane {

// Why a score could not be read, in the window's words: the reason, then
// where in the file it lies when the reader knows ("パート「P1」 小節 3、12 行目").
QString japaneseReadError(const score::ReadResult &result);

} // namespace chordvane
