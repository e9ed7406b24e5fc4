#pragma once

// What --score and --chart share; not for other targets.

#include "score.h"

#include <QString>

#include <iosfwd>
#include <optional>
#include <string>

namespace chordvane::cli {

struct Options;

// The score of --score, or none after a message to err.
std::optional<score::Score> readScore(const Options &options, std::ostream &err);

// Text from the file with its control characters replaced, UTF-8.
std::string printable(QString text);

// A measure number as the lines show it: printable, cut after 40 characters (…).
std::string shortened(const QString &text);

} // namespace chordvane::cli
