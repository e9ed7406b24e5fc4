#pragma once

#include "annotate.h"
#include "score.h"

#include <QString>
#include <QStringList>

namespace chordvane {

// Why a score could not be read, in the window's words and language: the
// reason, then where in the file it lies when the reader knows
// ("パート「P1」、小節 3、12 行目").
QString readProblem(const score::ReadResult &result);

// Why a copy with chord symbols could not be written, in the window's words
// and language.
QString annotateProblem(const annotate::AnnotateResult &result);

} // namespace chordvane
