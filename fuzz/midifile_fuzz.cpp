// Standard MIDI Files: the reader's values must hold what its header
// promises (notes by start, each with a length, keys and ticks in range),
// and every file it takes must become a score whose moments can be named;
// every failure is worded.
#include "midifile.h"
#include "score.h"
#include "search.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void checkValues(const chordvane::midifile::MidiFile &file)
{
    namespace midi = chordvane::midifile;
    if (file.division <= 0 || file.length > midi::kMaxTicks)
        std::abort();
    for (const midi::Voice &voice : file.voices) {
        if (voice.notes.empty() || voice.channel == 9 || voice.program > 127)
            std::abort();
        for (size_t i = 0; i < voice.notes.size(); ++i) {
            const midi::Note &note = voice.notes[i];
            if (note.key < 0 || note.key > 127 || note.start < 0 || note.end <= note.start ||
                note.end > file.length || (i > 0 && note.start < voice.notes[i - 1].start))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    static const chordvane::ChordTable table =
        chordvane::ChordTable::fromText(":1,5,8\r\nm:1,4,8\r\n7:1,5,8,11\r\nm7:1,4,8,11\r\n");
    const auto midi = chordvane::midifile::readMidi(std::span(data, size));
    if (midi.ok())
        checkValues(midi.file);
    const auto read = chordvane::score::readScoreData(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (chordvane::midifile::looksLikeMidi(std::span(data, size)) && !read.ok &&
        !chordvane::score::isMidiError(read.error) &&
        read.error != chordvane::score::ReadError::NoParts &&
        read.error != chordvane::score::ReadError::TooManyNotes &&
        read.error != chordvane::score::ReadError::TimeOverflow)
        std::abort();
    if (!read.ok) {
        chordvane::score::englishMessage(read);
        return 0;
    }
    chordvane::score::forEachMoment(read.score, [](const chordvane::score::Moment &moment) {
        chordvane::score::beatText(moment.beat);
        chordvane::score::nameChord(table, moment.sounding, 50);
    });
    return 0;
}
