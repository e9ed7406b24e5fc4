// The window driven from a MIDI keyboard: a private JACK server on its dummy
// driver (no sound card, no real-time) and a JACK client of the test that
// sends MIDI from its port into Chordvane's input.
#include "ctlnoteinput.h"
#include "liveinput.h"
#include "windowfixture.h"

#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <RtMidi.h>
#include <jack/jack.h>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

using namespace chordvane;
using namespace chordvane::test;

namespace {

constexpr int kWait = 20'000; // ms: generous, the dummy driver runs in cycles

// The rows as the user reads them: the bass row's concert name and clef,
// then each ordinary row in use, top down ("E4 G", "-").
std::string rowsShown(const frmMain &window)
{
    std::string text;
    for (int r : {11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        if (r != 11)
            text += ' ';
        if (!window.rowInUse(r)) {
            text += '-';
            continue;
        }
        text += window.row(r).lblResult()->text().toStdString();
        text += window.row(r).ctlNoteInput()->ScoreType() == 2 ? "/F" : "/G";
    }
    return text;
}

// The bass row and the ordinary rows in use, the rest of the eleven resting.
std::string rowsWith(const std::string &inUse)
{
    std::string text = inUse;
    for (auto n = std::count(inUse.begin(), inUse.end(), ' '); n < 11; ++n)
        text += " -";
    return text;
}

class LiveInputTest : public WindowFixture {
protected:
    QProcess jackd;
    std::unique_ptr<RtMidiOut> sender;

    void SetUp() override
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("jackd"));
        if (program.isEmpty())
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2)";
        // The probes below fail until the server is up, each with lines on
        // standard error.
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
        const QByteArray server = "chordvane-test-" + QByteArray::number(getpid());
        // Every JACK client of this process, RtMidi's included, finds it by name.
        qputenv("JACK_DEFAULT_SERVER", server);
        jackd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Should this process die, the server goes too: left running, it
        // would hold ctest's output open until the test times out.
        jackd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        jackd.start(program, {"-r", "-n", QString::fromLatin1(server), "-d", "dummy"});
        ASSERT_TRUE(jackd.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([] { return serverAnswers(); }, kWait))
            << "the JACK server did not start";
        sender = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "sender");
        sender->openVirtualPort("out");
        WindowFixture::SetUp();
    }

    void TearDown() override
    {
        window.reset();
        sender.reset();
        if (jackd.state() != QProcess::NotRunning) {
            jackd.terminate();
            if (!jackd.waitForFinished(kWait))
                jackd.kill();
            jackd.waitForFinished();
        }
    }

    static bool serverAnswers()
    {
        jack_status_t status{};
        jack_client_t *probe = jack_client_open("probe", JackNoStartServer, &status);
        if (!probe)
            return false;
        jack_client_close(probe);
        return true;
    }

    // Opens 編集 > MIDI入力 as the user does and chooses the entry named so.
    void choosePort(const QString &text)
    {
        QMenu *menu = window->liveInput().mnuEditMidi;
        menu->popup(window->mapToGlobal(QPoint(0, 0)));
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                chosen = action;
        }
        ASSERT_NE(chosen, nullptr) << "no entry " << text.toStdString();
        chosen->trigger();
        menu->hide();
    }

    void send(std::vector<unsigned char> message) { sender->sendMessage(&message); }
    void play(const std::vector<int> &keys, bool pressed)
    {
        for (const int key : keys)
            send({static_cast<unsigned char>(pressed ? 0x90 : 0x80),
                  static_cast<unsigned char>(key), 80});
    }
    QString status() const { return window->liveInput().lblMidiChord->text(); }
    // Waits until the rows show the keys and the status bar follows.
    void expectRows(const std::string &rows, const QString &chord)
    {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return rowsShown(*window) == rows && status() == chord; }, kWait))
            << rowsShown(*window) << " / " << status().toStdString();
    }
};

} // namespace

TEST_F(LiveInputTest, ChordsPlayedFillTheRowsAndTheStatusBarNamesThem)
{
    ASSERT_FALSE(window->statusBar()->isVisible());
    choosePort("sender:out (JACK)");
    ASSERT_TRUE(window->liveInput().isOn()) << dialogs.messages.join('\n').toStdString();
    EXPECT_TRUE(window->statusBar()->isVisible());
    struct Case {
        std::vector<int> keys;
        std::string rows;
        QString chord;
    };
    const Case cases[] = {
        {{48, 64, 67}, rowsWith("C/F E/G G/G"), "行のコード C (100%)"},
        {{45, 60, 64, 67}, rowsWith("A/F C/G E/G G/G"), "行のコード Am7 (100%)"},
        {{43, 59, 62, 65}, rowsWith("G/F B(H)/F D/G F/G"), "行のコード G7 (100%)"},
        {{36, 60}, rowsWith("C/F C/G"), "行のコード なし"},
        // Fourteen keys: the two highest find no row, and the status says so.
        {{36, 48, 52, 55, 58, 60, 64, 67, 70, 72, 76, 79, 82, 84},
         "C/F C/F E/F G/F A♯/B♭/F C/G E/G G/G A♯/B♭/G C/G E/G G/G",
         "行に入らない音 A♯5 C6　行のコード C7 (100%)"},
    };
    std::vector<int> held;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chord.toStdString());
        play(held, false);
        play(c.keys, true);
        held = c.keys;
        expectRows(c.rows, c.chord);
    }
}

TEST_F(LiveInputTest, ThePedalHoldsKeysAsAPianoDoes)
{
    choosePort("sender:out (JACK)");
    send({0xB0, 64, 127});
    play({48, 64, 67}, true);
    play({48, 64, 67}, false);
    play({71}, true);
    expectRows(rowsWith("C/F E/G G/G B(H)/G"), "行のコード Em on C (100%)");
    send({0xB0, 64, 0});
    play({71}, false);
    play({50, 65, 69}, true);
    expectRows(rowsWith("D/F F/G A/G"), "行のコード Dm (100%)");
}

TEST_F(LiveInputTest, AVanishedPortIsReportedOnceAndTheRowsStay)
{
    choosePort("sender:out (JACK)");
    play({45, 60, 64}, true);
    expectRows(rowsWith("A/F C/G E/G"), "行のコード Am (100%)");
    sender.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.isEmpty(); }, kWait));
    EXPECT_EQ(
        dialogs.messages,
        QStringList{"exclamation|Chordvane|MIDI 入力がなくなりました。MIDI 入力をなしにします。"});
    EXPECT_FALSE(window->liveInput().isOn());
    EXPECT_TRUE(window->liveInput().mnuEditMidiNone->isChecked());
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_EQ(rowsShown(*window), rowsWith("A/F C/G E/G"));
    // The choice stays, for when the keyboard is back.
    EXPECT_EQ(settings.value("midi/input").toString(), "JACK/sender:out");
}

TEST_F(LiveInputTest, TheChoiceIsKeptAndAMissingPortChangesNothing)
{
    choosePort("sender:out (JACK)");
    EXPECT_EQ(settings.value("midi/input").toString(), "JACK/sender:out");
    open(); // the next run opens it again
    ASSERT_TRUE(window->liveInput().isOn());
    EXPECT_TRUE(window->statusBar()->isVisible());
    play({48, 64, 67}, true);
    expectRows(rowsWith("C/F E/G G/G"), "行のコード C (100%)");

    settings.setValue("midi/input", "JACK/gone:out");
    open();
    EXPECT_EQ(dialogs.messages,
              QStringList{"exclamation|Chordvane|MIDI 入力「gone:out (JACK)」が見つかりません。"});
    EXPECT_FALSE(window->liveInput().isOn());
    EXPECT_EQ(settings.value("midi/input").toString(), "JACK/gone:out");
    dialogs.messages.clear();
    choosePort("sender:out (JACK)");
    choosePort("なし(&N)");
    EXPECT_FALSE(window->liveInput().isOn());
    EXPECT_FALSE(settings.contains("midi/input"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
