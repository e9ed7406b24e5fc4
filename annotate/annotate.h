#pragma once

#include "chordlist.h"
#include "fraction.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace chordvane::annotate {

// A note as a chord symbol spells it: letter 0..6 = C D E F G A B, alter in semitones (-1 = ♭, 1 =
// ♯), -2..2.
struct Spelling {
    int letter = 0;
    int alter = 0;
};

// One chord symbol, spelled as the chart spells it.
struct ChordSymbol {
    score::Fraction at; // quarter notes from the score's start, as score::Moment::at
    Spelling root;
    ChordRow intervals;           // the chord list's row: interval numbers, 1 = the root
    std::string name;             // the list's own name, UTF-8: "m7(♭5)", "" for a major triad
    std::optional<Spelling> bass; // only when the bass is not the root
};

// Plain MusicXML (.musicxml, .xml) or compressed (.mxl) with its META-INF/container.xml.
enum class OutputForm { Plain, Compressed };

enum class AnnotateError {
    None,
    UnknownForm,     // OUT ends in none of .mxl, .musicxml, .xml
    Unreadable,      // the score reader refused IN; detail: its message
    SameFile,        // OUT is IN, by name or through a link
    NotRegularFile,  // OUT is a folder, FIFO or device
    BadSymbol,       // a symbol malformed, outside the score or at another's time; detail
    EncodingNotKept, // IN's text would not come back byte for byte; detail: its encoding
    CannotWrite,     // OUT could not be written; detail: the system's reason
};

struct AnnotateResult {
    AnnotateError error = AnnotateError::None;
    QString detail;
    int written = 0;             // symbols put into OUT
    std::vector<size_t> skipped; // indices of symbols left out: the top part has a symbol
                                 // at that time already, or no such measure
    bool ok() const { return error == AnnotateError::None; }
};

struct AnnotatedData {
    AnnotateResult result;
    QByteArray bytes; // empty unless result.ok()
};

// A copy of the score `in` (plain or .mxl, as the score reader takes it)
// with one <harmony> per symbol in its top part (the first of the part
// list), in the measure of the symbol's time: just before the note that
// starts then, or before the nearest earlier note with an <offset> (the
// next one when there is none). Everything else stays as it was, byte for
// byte: the text is spliced, never written anew. No symbol goes where the
// top part already has one. From an .mxl, the root file that
// META-INF/container.xml names is annotated and every other member copied.
AnnotatedData annotateData(const QByteArray &in, const std::vector<ChordSymbol> &symbols,
                           OutputForm form);

// The same from the file inPath into outPath, in the form its extension
// says, replaced whole or not at all. Nothing is written when anything is
// refused, and inPath is never written.
AnnotateResult annotateFile(const QString &inPath, const std::vector<ChordSymbol> &symbols,
                            const QString &outPath);

// By the extension, in any case: .mxl, .musicxml, .xml; none for another.
std::optional<OutputForm> outputFormFor(const QString &path);

// The outcome in English for the command line; empty when it went well.
QString englishMessage(const AnnotateResult &result);

} // namespace chordvane::annotate
