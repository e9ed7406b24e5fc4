#pragma once

// Live MIDI input through RtMidi, from the ALSA sequencer or a JACK server.
// RtMidi reads each port on a thread of its own; messages leave that thread
// only as the queued signal message(), so the window never waits on a device.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class RtMidiIn;

namespace chordvane::midiinput {

// An input port: the MIDI system that offers it and its name there.
struct Port {
    QString system; // "ALSA" or "JACK"
    QString name;   // as the system names it: "sender:out", "Keystation 61 MIDI 1"
    // How the settings keep it: "JACK/sender:out".
    QString key() const { return system + QLatin1Char('/') + name; }
    static Port fromKey(const QString &key);
    bool operator==(const Port &) const = default;
};

// What the systems offer: every input port, and whether any system answered
// at all (an ALSA sequencer device, a running JACK server).
struct PortList {
    std::vector<Port> ports;
    bool anySystem = false;
};

// True when a port offered now is the one kept under `kept`: the same name,
// or for ALSA the same name but for the client and port numbers at its end
// ("Keystation 61:Keystation 61 MIDI 1 24:0"), which change when the
// keyboard is plugged in again.
bool samePort(const Port &kept, const Port &offered);

enum class OpenError {
    None,
    NoSystem,   // the port's system does not answer
    NoSuchPort, // the system has no port of that name (now)
    CannotOpen, // the system refused to connect it
};

class MidiInput : public QObject {
    Q_OBJECT

public:
    explicit MidiInput(QObject *parent = nullptr);
    ~MidiInput() override;

    static PortList listPorts();

    // Connects to the port, closing the one open before. Nothing changes
    // on failure but the old port's closing.
    OpenError open(const Port &port);
    void close();
    bool isOpen() const { return m_in != nullptr; }
    const Port &port() const { return m_port; }

signals:
    // One message, status byte first. Raised on RtMidi's thread: connect
    // with Qt::QueuedConnection.
    void message(QByteArray bytes);
    // The port open went away (unplugged, its program ended); the input is
    // closed. Found by looking for it once a second.
    void portLost();

private:
    void checkPort();

    std::unique_ptr<RtMidiIn> m_in;
    Port m_port;
    QTimer m_check;
};

} // namespace chordvane::midiinput
