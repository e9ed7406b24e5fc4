#pragma once

#include "chordlist.h"
#include "fraction.h"
#include "score.h"

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
    NoSuchPart,      // the part asked for is not in the score; detail: as asked
    NoPartToCarry,   // every part is percussion or tablature
    ScoreChanged,    // IN is no longer the score the symbols were found in
    TooLarge,        // the copy would be more than the score reader takes; detail: its size
    EncryptedMember, // an archive member is encrypted and cannot be copied; detail: its path
};

// Why a symbol was left out.
enum class SkipReason {
    Taken,        // the part has a symbol at that time already
    NoMeasure,    // the part has no such measure (it is shorter than the score)
    EmptyMeasure, // the measure is written <measure/>, with no place inside
    Unfollowed,   // the part's text there cannot be followed (markup inside a <duration> ...)
};

struct Skipped {
    size_t index; // into the symbols given
    SkipReason reason;
    friend bool operator==(const Skipped &, const Skipped &) = default;
};

struct AnnotateResult {
    AnnotateError error = AnnotateError::None;
    QString detail;
    int written = 0;              // symbols put into OUT
    std::vector<Skipped> skipped; // symbols left out, by index
    bool ok() const { return error == AnnotateError::None; }
};

struct AnnotatedData {
    AnnotateResult result;
    QByteArray bytes; // empty unless result.ok()
};

struct AnnotateOptions {
    // The part that carries the symbols: its id, or its number from 1 in
    // score order; empty for the first part whose staff is neither
    // percussion nor tablature.
    QString part;
    // The SHA-256 of the file the symbols were found in (scoreDigest);
    // empty: not checked.
    QByteArray digest;
    // The score's file as the caller read it and the score read from it:
    // neither is read again. Both or neither.
    const QByteArray *file = nullptr;
    const score::Score *score = nullptr;
};

// The digest AnnotateOptions::digest compares: of the file's bytes, or of
// the file at path as annotateFile reads it (empty when it cannot be read).
QByteArray scoreDigest(const QByteArray &file);
QByteArray fileDigest(const QString &path);

// A copy of the score `in` (plain or .mxl, as the score reader takes it)
// with one <harmony> per symbol in the carrying part (AnnotateOptions),
// spelled at that part's written pitch (a B♭ trumpet's symbol a major
// second above concert, as its notes are), in the measure of the symbol's time: just before the
// note that starts then, or before the nearest earlier note with an <offset> (the next one when
// there is none). Everything else stays as it was, byte for byte: the text is spliced, never
// written anew. No symbol goes where the part already has one, and no copy larger than the score
// reader takes. From an .mxl, the root file that META-INF/container.xml names is annotated and
// every other member copied.
AnnotatedData annotateData(const QByteArray &in, const std::vector<ChordSymbol> &symbols,
                           OutputForm form, const AnnotateOptions &options = {});

// The same from the file inPath into outPath, in the form its extension
// says, replaced whole or not at all. Nothing is written when anything is
// refused, and inPath is never written.
AnnotateResult annotateFile(const QString &inPath, const std::vector<ChordSymbol> &symbols,
                            const QString &outPath, const AnnotateOptions &options = {});

// By the extension, in any case: .mxl, .musicxml, .xml; none for another.
std::optional<OutputForm> outputFormFor(const QString &path);

// The outcome in English for the command line; empty when it went well.
QString englishMessage(const AnnotateResult &result);

// How many of the symbols left out were left out for the reason.
size_t skippedFor(const AnnotateResult &result, SkipReason reason);

} // namespace chordvane::annotate
