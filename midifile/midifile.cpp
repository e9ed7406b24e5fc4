#include "midifile.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>

namespace chordvane::midifile {

namespace {

constexpr int kPercussion = 9;
constexpr std::uint32_t kMaxQuantity = 0x0FFF'FFFF; // four bytes of seven bits

struct Failure {
    MidiError error;
    std::size_t offset;
    int value = 0;
};

// Reads big-endian numbers and events from [pos, end) of the file, never
// past end: every read says how many bytes it needs first.
class Cursor {
public:
    Cursor(std::span<const std::uint8_t> bytes, std::size_t pos, std::size_t end)
        : m_bytes(bytes)
        , m_pos(pos)
        , m_end(end)
    {}

    std::size_t pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_end; }
    std::size_t left() const { return m_end - m_pos; }

    void need(std::size_t count) const
    {
        if (left() < count)
            throw Failure{MidiError::Truncated, m_pos};
    }
    std::uint8_t byte()
    {
        need(1);
        return m_bytes[m_pos++];
    }
    std::uint8_t peek() const
    {
        need(1);
        return m_bytes[m_pos];
    }
    std::uint32_t number(int size)
    {
        need(static_cast<std::size_t>(size));
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | m_bytes[m_pos++];
        return value;
    }
    std::uint32_t quantity()
    {
        const std::size_t start = m_pos;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80))
                return value;
        }
        throw Failure{MidiError::LongNumber, start};
    }
    std::span<const std::uint8_t> take(std::uint32_t count)
    {
        need(count);
        const auto data = m_bytes.subspan(m_pos, count);
        m_pos += count;
        return data;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

// One track's notes by channel while it is read.
class TrackReader {
public:
    TrackReader(MidiFile &file, std::size_t &events)
        : m_file(file)
        , m_events(events)
    {}

    void read(Cursor cursor, int track);

private:
    void channelEvent(Cursor &cursor, std::uint8_t status, std::size_t at);
    void metaEvent(Cursor &cursor, bool &ended);
    void noteOn(int channel, int key);
    void noteOff(int channel, int key);
    void finish(int track);

    MidiFile &m_file;
    std::size_t &m_events;
    std::int64_t m_tick = 0;
    std::string m_name;
    bool m_named = false;
    std::array<int, 16> m_programs{};
    std::array<std::vector<Note>, 16> m_notes;
    // Sounding notes by channel and key, earliest first: a note-off ends the
    // one that began first, so that two voices in unison keep both notes.
    std::map<int, std::deque<std::size_t>> m_sounding; // key: channel * 128 + key
};

void TrackReader::read(Cursor cursor, int track)
{
    m_programs.fill(-1);
    std::uint8_t running = 0;
    bool ended = false;
    while (!ended && !cursor.atEnd()) {
        if (++m_events > kMaxEvents)
            throw Failure{MidiError::TooManyEvents, cursor.pos()};
        m_tick += cursor.quantity();
        if (m_tick > kMaxTicks)
            throw Failure{MidiError::TooLong, cursor.pos()};
        const std::size_t at = cursor.pos();
        std::uint8_t status = cursor.peek();
        if (status & 0x80)
            cursor.byte();
        else if (running)
            status = running;
        else
            throw Failure{MidiError::BadEvent, at};

        if (status == 0xFF) {
            metaEvent(cursor, ended);
        } else if (status == 0xF0 || status == 0xF7) {
            cursor.take(cursor.quantity());
        } else if (status >= 0xF0) {
            throw Failure{MidiError::BadEvent, at};
        } else {
            running = status;
            channelEvent(cursor, status, at);
        }
    }
    finish(track);
}

void TrackReader::channelEvent(Cursor &cursor, std::uint8_t status, std::size_t at)
{
    const int kind = status >> 4;
    const int channel = status & 0x0F;
    const int size = kind == 0xC || kind == 0xD ? 1 : 2;
    std::array<int, 2> data{};
    for (int i = 0; i < size; ++i) {
        data[i] = cursor.byte();
        if (data[i] & 0x80)
            throw Failure{MidiError::BadEvent, at};
    }
    if (kind == 0x9 && data[1] > 0)
        noteOn(channel, data[0]);
    else if (kind == 0x8 || kind == 0x9)
        noteOff(channel, data[0]);
    else if (kind == 0xC && m_programs[channel] < 0)
        m_programs[channel] = data[0];
}

void TrackReader::metaEvent(Cursor &cursor, bool &ended)
{
    const std::uint8_t type = cursor.byte();
    const auto data = cursor.take(cursor.quantity());
    switch (type) {
    case 0x03:
        if (!m_named)
            m_name.assign(data.begin(), data.end());
        m_named = true;
        break;
    case 0x58:
        // A meter the notation could not write (no beats, a beat of a
        // 128th or finer) is left out rather than refused.
        if (data.size() >= 2 && data[0] > 0 && data[1] <= 6)
            m_file.times.push_back({m_tick, data[0], 1 << data[1]});
        break;
    case 0x59:
        if (data.size() >= 2) {
            const int fifths = static_cast<std::int8_t>(data[0]);
            if (fifths >= -7 && fifths <= 7 && data[1] <= 1)
                m_file.keys.push_back({m_tick, fifths, data[1] == 1});
        }
        break;
    case 0x2F:
        ended = true;
        break;
    default:
        break;
    }
}

void TrackReader::noteOn(int channel, int key)
{
    std::vector<Note> &notes = m_notes[static_cast<std::size_t>(channel)];
    m_sounding[channel * 128 + key].push_back(notes.size());
    notes.push_back({key, m_tick, -1});
}

void TrackReader::noteOff(int channel, int key)
{
    const auto sounding = m_sounding.find(channel * 128 + key);
    if (sounding == m_sounding.end())
        return; // a stray note-off ends nothing
    m_notes[static_cast<std::size_t>(channel)][sounding->second.front()].end = m_tick;
    sounding->second.pop_front();
    if (sounding->second.empty())
        m_sounding.erase(sounding);
}

void TrackReader::finish(int track)
{
    m_sounding.clear();
    m_file.length = std::max(m_file.length, m_tick);
    std::vector<Voice> voices;
    for (int channel = 0; channel < 16; ++channel) {
        if (channel == kPercussion)
            continue;
        std::vector<Note> &notes = m_notes[static_cast<std::size_t>(channel)];
        for (Note &note : notes) {
            if (note.end < 0)
                note.end = m_tick;
        }
        std::erase_if(notes, [](const Note &n) { return n.end <= n.start; });
        if (notes.empty())
            continue;
        // Format 1: one voice for the whole track, its channels merged.
        if (m_file.format == 1 && !voices.empty()) {
            Voice &voice = voices.front();
            voice.notes.insert(voice.notes.end(), notes.begin(), notes.end());
            continue;
        }
        Voice &voice = voices.emplace_back();
        voice.track = track;
        voice.channel = channel;
        voice.program = m_programs[static_cast<std::size_t>(channel)];
        if (m_file.format == 1)
            voice.name = m_name;
        voice.notes = std::move(notes);
    }
    for (Voice &voice : voices) {
        std::stable_sort(voice.notes.begin(), voice.notes.end(),
                         [](const Note &a, const Note &b) { return a.start < b.start; });
        m_file.voices.push_back(std::move(voice));
    }
}

MidiFile readFile(std::span<const std::uint8_t> bytes, int &track)
{
    Cursor header(bytes, 0, bytes.size());
    if (!looksLikeMidi(bytes))
        throw Failure{MidiError::NotMidi, 0};
    header.take(4);
    const std::uint32_t headerLength = header.number(4);
    if (headerLength < 6 || headerLength > header.left())
        throw Failure{MidiError::BadHeader, 4};
    MidiFile file;
    file.format = static_cast<int>(header.number(2));
    const std::uint32_t tracks = header.number(2);
    const std::uint32_t division = header.number(2);
    if (file.format > 1)
        throw Failure{MidiError::Format, 8, file.format};
    if (division & 0x8000)
        throw Failure{MidiError::Smpte, 12};
    if (tracks == 0 || division == 0)
        throw Failure{MidiError::BadHeader, tracks == 0 ? 10u : 12u};
    file.division = static_cast<int>(division);

    std::size_t events = 0;
    std::size_t pos = 8 + headerLength;
    for (track = 0; track < static_cast<int>(tracks);) {
        Cursor chunk(bytes, pos, bytes.size());
        const auto type = chunk.take(4);
        const std::uint32_t length = chunk.number(4);
        chunk.need(length);
        const std::size_t start = chunk.pos();
        pos = start + length;
        // Chunks of other kinds are skipped, as the format asks.
        if (!std::equal(type.begin(), type.end(), "MTrk"))
            continue;
        TrackReader reader(file, events);
        reader.read(Cursor(bytes, start, pos), track);
        ++track;
    }
    track = -1;
    const auto byTick = [](const auto &a, const auto &b) {
        return a.at < b.at;
    };
    std::stable_sort(file.times.begin(), file.times.end(), byTick);
    std::stable_sort(file.keys.begin(), file.keys.end(), byTick);
    return file;
}

} // namespace

bool looksLikeMidi(std::span<const std::uint8_t> bytes)
{
    static constexpr std::uint8_t kTag[] = {'M', 'T', 'h', 'd'};
    return bytes.size() >= 4 && std::equal(kTag, kTag + 4, bytes.begin());
}

MidiResult readMidi(std::span<const std::uint8_t> bytes)
{
    MidiResult result;
    int track = -1;
    try {
        result.file = readFile(bytes, track);
    } catch (const Failure &failure) {
        result.error = failure.error;
        result.offset = failure.offset;
        result.value = failure.value;
        result.track = track;
    }
    return result;
}

} // namespace chordvane::midifile
