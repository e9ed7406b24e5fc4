#include "score.h"

namespace chordvane::score {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString sentence(const ReadResult &r)
{
    switch (r.error) {
    case ReadError::None:
        return {};
    case ReadError::NoSuchFile:
        return QStringLiteral("no such file");
    case ReadError::Folder:
        return QStringLiteral("a folder, not a file");
    case ReadError::NotRegularFile:
        return QStringLiteral("not a regular file (a pipe, device or socket)");
    case ReadError::CannotOpen:
        return QStringLiteral("cannot open the file: %1").arg(r.detail);
    case ReadError::FileTooLarge:
        return QStringLiteral("the file is larger than %1 MiB").arg(kMaxFileBytes >> 20);
    case ReadError::BrokenArchive:
        return QStringLiteral("a broken compressed MusicXML (.mxl) archive");
    case ReadError::MissingMember:
        return QStringLiteral("the archive has no %1").arg(quoted(r.detail));
    case ReadError::MemberTooLarge:
        return QStringLiteral("%1 would unpack to more than %2 MiB")
            .arg(quoted(r.detail))
            .arg(kMaxFileBytes >> 20);
    case ReadError::BrokenMember:
        return QStringLiteral("%1 in the archive is broken").arg(quoted(r.detail));
    case ReadError::BadContainer:
        return QStringLiteral("META-INF/container.xml is unreadable: %1").arg(r.detail);
    case ReadError::NoRootFile:
        return QStringLiteral("META-INF/container.xml names no root file");
    case ReadError::NotXml:
        return r.detail.isEmpty() ? QStringLiteral("not an XML file: it has no element")
                                  : QStringLiteral("not an XML file (%1)").arg(r.detail);
    case ReadError::EntitiesDeclared:
        return QStringLiteral("the file declares XML entities, which are not read");
    case ReadError::Timewise:
        return QStringLiteral(
            "timewise MusicXML scores (score-timewise) are not supported; save it partwise");
    case ReadError::NotMusicXml:
        return QStringLiteral("not a MusicXML score: the document is <%1>").arg(r.detail);
    case ReadError::BrokenXml:
        return QStringLiteral("broken XML at line %1: %2").arg(r.line).arg(r.detail);
    case ReadError::EndsEarly:
        return QStringLiteral("the file ends too early; it may be truncated");
    case ReadError::BadNumber:
        return QStringLiteral("bad <%1> %2").arg(r.detail, quoted(r.value));
    case ReadError::NoDuration:
        return QStringLiteral("a note has no <duration>");
    case ReadError::BadPitch:
        return QStringLiteral("bad <pitch>: step %1").arg(quoted(r.value));
    case ReadError::TimeOverflow:
        return QStringLiteral("the score's durations are too large or too finely divided "
                              "to keep its time exact");
    case ReadError::TooManyNotes:
        return QStringLiteral("the score holds too many notes at once to be analysed "
                              "(over %1 million over its moments)")
            .arg(kMaxMomentNotes / 1'000'000);
    case ReadError::NoParts:
        return QStringLiteral("the score has no parts");
    case ReadError::PartListedTwice:
        return QStringLiteral("the part list names %1 twice").arg(quoted(r.detail));
    case ReadError::PartRepeated:
        return QStringLiteral("part %1 appears twice").arg(quoted(r.detail));
    case ReadError::PartNotListed:
        return QStringLiteral("part %1 is not in the part list").arg(quoted(r.detail));
    case ReadError::PartEmpty:
        return QStringLiteral("part %1 is empty").arg(quoted(r.detail));
    case ReadError::PartMissing:
        return QStringLiteral("part %1 (%2) is missing").arg(quoted(r.detail), r.value);
    case ReadError::MidiHeader:
        return QStringLiteral("a broken MIDI file header");
    case ReadError::MidiFormat:
        return QStringLiteral("MIDI files of format %1 are not read (only formats 0 and 1)")
            .arg(r.value);
    case ReadError::MidiSmpte:
        return QStringLiteral("the MIDI file counts time in SMPTE frames, not in beats; "
                              "save it with ticks per quarter note");
    case ReadError::MidiTruncated:
        return QStringLiteral("the MIDI file ends too early; it may be truncated");
    case ReadError::MidiLongNumber:
        return QStringLiteral("a number in the MIDI file is longer than four bytes");
    case ReadError::MidiBadEvent:
        return QStringLiteral("the MIDI file holds an event that cannot be read");
    case ReadError::MidiTooManyEvents:
        return QStringLiteral("the MIDI file holds too many events (over %1 million)")
            .arg(midiEventLimit() / 1'000'000);
    case ReadError::MidiTooLong:
        return QStringLiteral("the MIDI file's notes run on too long to lay out in measures");
    }
    return {};
}

} // namespace

QString englishMessage(const ReadResult &result)
{
    const QString text = sentence(result);
    if (isMidiError(result.error) && !result.value.isEmpty() &&
        result.error != ReadError::MidiFormat) {
        const QString track =
            result.detail.isEmpty() ? QStringLiteral("header") : "track " + result.detail;
        return QStringLiteral("%1, byte %2: ").arg(track, result.value) + text;
    }
    if (result.part.isEmpty())
        return text;
    return QStringLiteral("part %1, measure %2: ").arg(quoted(result.part), result.measure) + text;
}

} // namespace chordvane::score
