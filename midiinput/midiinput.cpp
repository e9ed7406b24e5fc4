#include "midiinput.h"

#include <RtMidi.h>
#include <jack/jack.h>

#include <QRegularExpression>

#include <algorithm>

namespace chordvane::midiinput {

namespace {

constexpr const char *kClientName = "Chordvane";

struct System {
    RtMidi::Api api;
    const char *name;
};
constexpr System kSystems[] = {{RtMidi::LINUX_ALSA, "ALSA"}, {RtMidi::UNIX_JACK, "JACK"}};

// A client of the system, or none when the system does not answer. RtMidi
// reports a missing ALSA sequencer by throwing, and a missing JACK server
// by a client with no connection, which names no ports and cannot open one.
std::unique_ptr<RtMidiIn> client(RtMidi::Api api)
{
    // Without a server, libjack writes several lines to standard error at
    // each attempt; no JACK server is an ordinary state here, said in the
    // menu.
    static const bool quiet = [] {
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
        return true;
    }();
    (void)quiet;
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    if (std::find(compiled.begin(), compiled.end(), api) == compiled.end())
        return nullptr;
    try {
        auto in = std::make_unique<RtMidiIn>(api, kClientName);
        // Later faults come back as return values, not as exceptions thrown
        // on RtMidi's thread or messages on standard error.
        in->setErrorCallback([](RtMidiError::Type, const std::string &, void *) {});
        return in;
    } catch (const RtMidiError &) {
        return nullptr;
    }
}

std::vector<QString> portNames(RtMidiIn &in)
{
    std::vector<QString> names;
    const unsigned int count = in.getPortCount();
    for (unsigned int i = 0; i < count; ++i)
        names.push_back(QString::fromStdString(in.getPortName(i)));
    return names;
}

void received(double, std::vector<unsigned char> *bytes, void *input)
{
    if (!bytes || bytes->empty())
        return;
    emit static_cast<MidiInput *>(input)->message(QByteArray(
        reinterpret_cast<const char *>(bytes->data()), static_cast<qsizetype>(bytes->size())));
}

} // namespace

bool samePort(const Port &kept, const Port &offered)
{
    if (kept.system != offered.system)
        return false;
    if (kept.name == offered.name)
        return true;
    if (kept.system != QLatin1String("ALSA"))
        return false;
    static const QRegularExpression numbers(QStringLiteral(" \\d+:\\d+$"));
    QString a = kept.name;
    QString b = offered.name;
    a.remove(numbers);
    b.remove(numbers);
    return a == b && a != kept.name && b != offered.name;
}

Port Port::fromKey(const QString &key)
{
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return {key.left(slash), key.mid(slash + 1)};
}

MidiInput::MidiInput(QObject *parent)
    : QObject(parent)
{
    m_check.setInterval(1000);
    connect(&m_check, &QTimer::timeout, this, &MidiInput::checkPort);
}

MidiInput::~MidiInput()
{
    close();
}

PortList MidiInput::listPorts()
{
    PortList list;
    for (const System &system : kSystems) {
        const std::unique_ptr<RtMidiIn> in = client(system.api);
        if (!in)
            continue;
        const std::vector<QString> names = portNames(*in);
        // A JACK client without a server lists nothing; one with a server
        // lists at least the ports of its system, or nothing at all.
        if (system.api != RtMidi::UNIX_JACK || !names.empty())
            list.anySystem = true;
        for (const QString &name : names)
            list.ports.push_back({QString::fromLatin1(system.name), name});
    }
    return list;
}

OpenError MidiInput::open(const Port &port)
{
    close();
    const System *system = nullptr;
    for (const System &s : kSystems) {
        if (port.system == QLatin1String(s.name))
            system = &s;
    }
    std::unique_ptr<RtMidiIn> in = system ? client(system->api) : nullptr;
    if (!in)
        return OpenError::NoSystem;
    const std::vector<QString> names = portNames(*in);
    auto found = std::find(names.begin(), names.end(), port.name);
    if (found == names.end()) {
        found = std::find_if(names.begin(), names.end(), [&](const QString &name) {
            return samePort(port, {port.system, name});
        });
    }
    if (found == names.end())
        return OpenError::NoSuchPort;
    in->setCallback(&received, this);
    // Only notes and controllers matter: system exclusive, timing and
    // active sensing are dropped on RtMidi's thread.
    in->ignoreTypes(true, true, true);
    in->openPort(static_cast<unsigned int>(found - names.begin()), "input");
    if (!in->isPortOpen())
        return OpenError::CannotOpen;
    m_in = std::move(in);
    m_port = {port.system, *found};
    m_check.start();
    return OpenError::None;
}

void MidiInput::close()
{
    m_check.stop();
    if (!m_in)
        return;
    // Closing joins RtMidi's thread: no message is raised after this.
    m_in->closePort();
    m_in.reset();
    m_port = {};
}

void MidiInput::checkPort()
{
    if (!m_in)
        return;
    const std::vector<QString> names = portNames(*m_in);
    if (std::find(names.begin(), names.end(), m_port.name) != names.end())
        return;
    close();
    emit portLost();
}

} // namespace chordvane::midiinput
