#include "midifile.h"
#include "reading.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace chordvane::score {

namespace {

using midifile::MidiError;

// A tempo jump can push a note hours away at no cost in bytes; no score
// that can be stepped through has this many measures.
constexpr std::size_t kMaxMeasures = 100'000;

ReadError readError(MidiError error)
{
    switch (error) {
    case MidiError::None:
        return ReadError::None;
    case MidiError::NotMidi:
    case MidiError::BadHeader:
        return ReadError::MidiHeader;
    case MidiError::Format:
        return ReadError::MidiFormat;
    case MidiError::Smpte:
        return ReadError::MidiSmpte;
    case MidiError::Truncated:
        return ReadError::MidiTruncated;
    case MidiError::LongNumber:
        return ReadError::MidiLongNumber;
    case MidiError::BadEvent:
        return ReadError::MidiBadEvent;
    case MidiError::TooManyEvents:
        return ReadError::MidiTooManyEvents;
    case MidiError::TooLong:
        return ReadError::MidiTooLong;
    }
    return ReadError::MidiHeader;
}

ReadResult midiFailure(const midifile::MidiResult &read)
{
    if (read.error == MidiError::Format)
        return failure(ReadError::MidiFormat, {}, QString::number(read.value));
    return failure(readError(read.error),
                   read.track < 0 ? QString() : QString::number(read.track + 1),
                   QString::number(read.offset));
}

// Track names carry no encoding: UTF-8 where they are valid UTF-8, else
// Shift_JIS as Japanese sequencers write, else Latin-1.
QString trackName(const std::string &bytes)
{
    const QByteArray data = QByteArray::fromStdString(bytes);
    for (const char *encoding : {"UTF-8", "Shift_JIS"}) {
        QStringDecoder decode(encoding);
        if (!decode.isValid())
            continue;
        const QString text = decode(data);
        if (!decode.hasError())
            return text.simplified();
    }
    return QString::fromLatin1(data).simplified();
}

// A key's name in a key signature: the scale's own notes as the signature
// spells them; a note between them is raised from below when it stands a
// semitone or a tritone above the tonic (C♯, F♯ in C major), else lowered
// from above (E♭, A♭, B♭ in C major), as chromatic notes usually are.
Spelling spell(int key, int fifths)
{
    static constexpr std::array<int, 7> kNatural{0, 2, 4, 5, 7, 9, 11};
    static constexpr std::array<int, 7> kSharpOrder{3, 0, 4, 1, 5, 2, 6}; // F C G D A E B
    std::array<int, 7> alter{};
    for (int i = 0; i < std::abs(fifths); ++i)
        alter[static_cast<size_t>(kSharpOrder[static_cast<size_t>(fifths > 0 ? i : 6 - i)])] =
            fifths > 0 ? 1 : -1;
    const int pc = pitchClass(key);
    const auto find = [&](int shift) -> std::optional<Spelling> {
        for (int step = 0; step < 7; ++step) {
            const int a = alter[static_cast<size_t>(step)] + shift;
            if (pitchClass(kNatural[static_cast<size_t>(step)] + a) == pc)
                return Spelling{step, a};
        }
        return std::nullopt;
    };
    if (const auto diatonic = find(0))
        return *diatonic;
    const int fromTonic = pitchClass(pc - fifths * 7);
    const auto chromatic = find(fromTonic == 1 || fromTonic == 6 ? 1 : -1);
    return chromatic.value_or(Spelling{});
}

// Measures by the time signatures in force, 4/4 before the first; a
// signature that comes in mid-measure cuts the measure short there.
bool layOutMeasures(const midifile::MidiFile &file, std::int64_t end, std::vector<Measure> &out)
{
    std::vector<midifile::TimeSignature> times;
    for (const midifile::TimeSignature &t : file.times) {
        if (!times.empty() && times.back().at == t.at)
            times.pop_back(); // the last of one tick holds
        times.push_back(t);
    }
    if (times.empty() || times.front().at > 0)
        times.insert(times.begin(), midifile::TimeSignature{});
    const Fraction last(end, file.division);
    Fraction start;
    size_t next = 0;
    midifile::TimeSignature meter = times.front();
    do {
        if (out.size() >= kMaxMeasures)
            return false;
        while (next < times.size() && Fraction(times[next].at, file.division) <= start)
            meter = times[next++];
        Fraction length = Fraction(meter.beats) * Fraction(4, meter.beatType);
        if (next < times.size())
            length = std::min(length, Fraction(times[next].at, file.division) - start);
        out.push_back({QString::number(out.size() + 1),
                       start,
                       length,
                       meter.beats,
                       meter.beatType,
                       {},
                       false});
        start += length;
    } while (start < last);
    return true;
}

Part makePart(const midifile::Voice &voice, const midifile::MidiFile &file, int index)
{
    Part part;
    part.id = QStringLiteral("P%1").arg(index + 1);
    part.name = trackName(voice.name);
    if (part.name.isEmpty())
        part.name = QString::fromLatin1(midifile::programName(std::max(voice.program, 0)));
    part.program = voice.program;

    // A clef the part's middle note reads best in.
    std::vector<int> keys;
    for (const midifile::Note &note : voice.notes)
        keys.push_back(note.key);
    std::nth_element(keys.begin(), keys.begin() + keys.size() / 2, keys.end());
    const QString clef = keys[keys.size() / 2] < 60 ? QStringLiteral("F") : QStringLiteral("G");

    part.settings.push_back({Fraction(0), 0, clef, part.name, {}, part.program});
    for (const midifile::KeySignature &key : file.keys) {
        const Fraction at(key.at, file.division);
        if (part.settings.back().at == at)
            part.settings.pop_back(); // the last of one tick holds
        part.settings.push_back(
            {at, 0, clef, part.name, {}, part.program, key.fifths, key.minor, true});
    }
    part.notes.reserve(voice.notes.size());
    for (const midifile::Note &note : voice.notes) {
        const Fraction start(note.start, file.division);
        const PartSetting &setting = settingAt(part, start);
        part.notes.push_back({note.key, note.key, start, Fraction(note.end, file.division), 1, 1,
                              spell(note.key, setting.fifths)});
    }
    return part;
}

} // namespace

std::size_t midiEventLimit()
{
    return midifile::kMaxEvents;
}

ReadResult readMidiScore(const QByteArray &bytes)
{
    const midifile::MidiResult read =
        midifile::readMidi(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                     static_cast<size_t>(bytes.size())));
    if (!read.ok())
        return midiFailure(read);
    const midifile::MidiFile &file = read.file;
    if (file.voices.empty())
        return failure(ReadError::NoParts);
    ReadResult result;
    try {
        std::int64_t end = 0;
        for (const midifile::Voice &voice : file.voices) {
            for (const midifile::Note &note : voice.notes)
                end = std::max(end, note.end);
        }
        if (!layOutMeasures(file, end, result.score.measures))
            return failure(ReadError::MidiTooLong);
        for (const midifile::Voice &voice : file.voices)
            result.score.parts.push_back(
                makePart(voice, file, static_cast<int>(result.score.parts.size())));
    } catch (const FractionOverflow &) {
        return failure(ReadError::TimeOverflow);
    }
    if (momentNoteCount(result.score) > kMaxMomentNotes)
        return failure(ReadError::TooManyNotes);
    result.score.fromMidi = true;
    result.ok = true;
    return result;
}

} // namespace chordvane::score
