#pragma once

#include "score.h"

#include <QString>

#include <vector>

namespace chordvane::annotate {

// A place in a score's text where a <harmony> may go: just before a note
// (not a chord's later note; a grace note takes the time of the note after
// it), or before a measure's end tag.
struct Anchor {
    qsizetype offset = 0;      // of its '<', in UTF-16 units of the text
    score::Fraction at;        // the time there, in quarter notes from the score's start
    score::Fraction divisions; // divisions per quarter note in force there
    bool note = true;          // false: the measure's end tag
};

// A <harmony> the part already has, at the time notation programs show it:
// where it stands plus its <offset>.
struct PlacedHarmony {
    score::Fraction at;
    qsizetype begin = 0; // the element in the text: [begin, end)
    qsizetype end = 0;
};

struct PartLayout {
    std::vector<std::vector<Anchor>> measures; // by measure index; anchors in text order
    std::vector<bool> emptyTags;               // by measure index: written <measure/>
    std::vector<PlacedHarmony> harmonies;      // in text order
    // False when the text stops making sense to the XML reader inside the
    // part (markup inside a <duration> ...): measures ends before there.
    bool followed = true;
};

// Walks the part with the given id of a score-partwise document that the
// score reader has read, timing it as the reader does: measure i starts at
// measures[i].start.
PartLayout scanPart(const QString &text, const QString &partId,
                    const std::vector<score::Measure> &measures);

} // namespace chordvane::annotate
