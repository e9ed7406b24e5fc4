#include "liveinput.h"

#include "frmmain.h"
#include "rowchord.h"
#include "scorebrowser.h"
#include "scorerows.h"
#include "uiplatform.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStatusBar>

namespace chordvane {

namespace {

const QString kPortKey = QStringLiteral("midi/input");
constexpr int kMiddleC = 60;

QString keyName(int key)
{
    static constexpr const char *kNames[] = {"C",  "C♯", "D",  "D♯", "E",  "F",
                                             "F♯", "G",  "G♯", "A",  "A♯", "B"};
    return QString::fromUtf8(kNames[pitchClass(key)]) + QString::number(key / 12 - 1);
}

} // namespace

LiveInput::LiveInput(frmMain &window, UserDialogs &dialogs, QSettings *settings)
    : QObject(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_settings(settings)
{
    mnuEditMidi = m_window.mnuEdit->addMenu(QString());
    m_group = new QActionGroup(mnuEditMidi);
    mnuEditMidiNone = mnuEditMidi->addAction(QString());
    mnuEditMidiNone->setCheckable(true);
    mnuEditMidiNone->setChecked(true);
    m_group->addAction(mnuEditMidiNone);
    connect(mnuEditMidiNone, &QAction::triggered, this, &LiveInput::chooseNone);
    // Ports that appear later are offered when the menu opens again.
    connect(mnuEditMidi, &QMenu::aboutToShow, this, &LiveInput::listPorts);

    lblMidiChord = new QLabel(&m_window);
    lblMidiChord->setFont(gothicFont(10.5, true));
    m_window.statusBar()->addPermanentWidget(lblMidiChord);
    lblMidiChord->hide();

    // RtMidi's thread hands each message over; the window's thread reads it.
    connect(&m_input, &midiinput::MidiInput::message, this, &LiveInput::received,
            Qt::QueuedConnection);
    connect(&m_input, &midiinput::MidiInput::portLost, this, &LiveInput::portLost);
    connect(&m_window, &frmMain::rowsChanged, this, [this] {
        if (!m_filling)
            showChord();
    });
    connect(m_window.rankByRateAction(), &QAction::toggled, this, &LiveInput::showChord);
    connect(m_window.mnuOptionNotJazz, &QAction::toggled, this, [this] {
        if (isOn())
            readChords();
        showChord();
    });
    retranslate();

    const QString saved = m_settings ? m_settings->value(kPortKey).toString() : QString();
    if (!saved.isEmpty())
        choose(midiinput::Port::fromKey(saved));
}

LiveInput::~LiveInput() = default;

void LiveInput::retranslate()
{
    mnuEditMidi->setTitle(tr("MIDI入力(&M)"));
    mnuEditMidiNone->setText(tr("なし(&N)"));
    showChord();
}

void LiveInput::listPorts()
{
    for (QAction *action : mnuEditMidi->actions()) {
        if (action != mnuEditMidiNone)
            delete action;
    }
    const midiinput::PortList list = midiinput::MidiInput::listPorts();
    for (const midiinput::Port &port : list.ports) {
        QAction *action =
            mnuEditMidi->addAction(QStringLiteral("%1 (%2)").arg(port.name, port.system));
        action->setCheckable(true);
        action->setChecked(isOn() && m_input.port() == port);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, port] { choose(port); });
    }
    if (list.ports.empty()) {
        QAction *note = mnuEditMidi->addAction(
            list.anySystem ? tr("入力ポートがありません")
                           : tr("MIDI の装置が見つかりません (ALSA シーケンサー、JACK サーバー)"));
        note->setEnabled(false);
    }
    mnuEditMidiNone->setChecked(!isOn());
}

QString LiveInput::portProblem(midiinput::OpenError error, const midiinput::Port &port) const
{
    const QString name = QStringLiteral("%1 (%2)").arg(port.name, port.system);
    switch (error) {
    case midiinput::OpenError::None:
        break;
    case midiinput::OpenError::NoSystem:
        return tr("MIDI 入力「%1」を開けません。MIDI の装置が見つかりません。").arg(name);
    case midiinput::OpenError::NoSuchPort:
        return tr("MIDI 入力「%1」が見つかりません。").arg(name);
    case midiinput::OpenError::CannotOpen:
        return tr("MIDI 入力「%1」を開けません。").arg(name);
    }
    return {};
}

void LiveInput::choose(const midiinput::Port &port)
{
    const midiinput::Port before = m_input.port();
    const midiinput::OpenError error = m_input.open(port);
    if (error != midiinput::OpenError::None) {
        // The port open before stays the choice.
        if (!before.name.isEmpty())
            m_input.open(before);
        mnuEditMidiNone->setChecked(!isOn());
        m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"), portProblem(error, port));
        m_window.updateStatusBar();
        return;
    }
    if (m_settings) {
        m_settings->setValue(kPortKey, m_input.port().key());
        m_settings->sync();
    }
    m_keys = {};
    readChords();
    m_window.updateStatusBar();
}

void LiveInput::chooseNone()
{
    m_input.close();
    if (m_settings) {
        m_settings->remove(kPortKey);
        m_settings->sync();
    }
    m_window.updateStatusBar();
}

void LiveInput::portLost()
{
    mnuEditMidiNone->setChecked(true);
    m_window.updateStatusBar();
    // The choice stays in the settings, for when the port is back.
    m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"),
                          tr("MIDI 入力がなくなりました。MIDI 入力をなしにします。"));
}

void LiveInput::readChords()
{
    m_chordsRead = m_window.readChordTable(m_chords);
}

void LiveInput::received(const QByteArray &bytes)
{
    // A message already queued when the port closed is let go.
    if (!isOn())
        return;
    if (m_keys.take(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                              static_cast<size_t>(bytes.size()))))
        fillRows();
}

void LiveInput::fillRows()
{
    const std::vector<int> &keys = m_keys.shown();
    if (keys.empty())
        return;
    QStringList left;
    {
        const QScopedValueRollback filling(m_filling, true);
        const auto show = [this](int r, int key) {
            InstrumentRow &row = m_window.row(r);
            row.showPart(RowPart{});
            row.showNote(spelledNote(key, 0, key < kMiddleC ? 2 : 1));
        };
        show(rows::kBassRow, keys.front());
        for (int r = 0; r < rows::kBassRow; ++r) {
            const size_t k = static_cast<size_t>(r) + 1;
            if (k < keys.size()) {
                show(r, keys[k]);
            } else {
                m_window.row(r).showPart(RowPart{});
                m_window.row(r).showRest(1);
            }
        }
        for (size_t k = rows::kBassRow + 1; k < keys.size(); ++k)
            left << keyName(keys[k]);
    }
    m_window.startRowHistory(); // the keys played are no edit to undo
    m_overflow = left.join(QLatin1Char(' '));
    showChord();
}

void LiveInput::showChord()
{
    // With a score open, its status names the rows' chord after an edit.
    const bool shown = isOn() && !m_window.scoreBrowser().isOpen();
    lblMidiChord->setVisible(shown);
    if (!shown)
        return;
    QString text = m_chordsRead ? rowChordText(m_chords, m_window.engine(),
                                               m_window.rankByRateAction()->isChecked())
                                : tr("コードリストが読み込まれていません");
    if (!m_overflow.isEmpty())
        text = tr("行に入らない音 %1").arg(m_overflow) + QStringLiteral("　") + text;
    lblMidiChord->setText(text);
}

} // namespace chordvane
